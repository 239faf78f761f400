#include "options/GeneralSettings.h"

#include "state/Program.h"
#include "state/SettingsStore.h"
#include "timecontrol/NumberFromText.h"

namespace velmora {

namespace {

const QString kGeneral = QStringLiteral("General");
const QString kLanguage = QStringLiteral("Language");
const QString kKeyWhite = QStringLiteral("MouseButton1"); // any key, despite the name
const QString kKeyBlack = QStringLiteral("MouseButton2");
const QString kSounds = QStringLiteral("Sounds");
const QString kPlayerChange = QStringLiteral("PlayerChange");
const QString kGameOver = QStringLiteral("GameOver");
// Options that a file without them leaves off; they are written only while on.
const QString kFitToWindow = QStringLiteral("FitToWindow");
const QString kLowTimeWarning = QStringLiteral("LowTimeWarning");
const QString kLowTime = QStringLiteral("LowTime");
constexpr std::int32_t kSpace = 32;

// A key code of 0 means no key: such a player gets Space.
std::int32_t KeyFromText(const QString& text) {
    const std::int32_t code = NumberFromText(text);
    return code == 0 ? kSpace : code;
}

bool SoundSwitch(const SettingsStore& store, const QString& key) {
    return SwitchFromText(store.ReadText(kSounds, key, QStringLiteral("True")), true);
}

// The stored language loses leading and trailing blanks, and nothing else: a
// tab or a line feed is part of the value.
QString WithoutBlanks(const QString& text) {
    qsizetype first = 0;
    qsizetype end = text.size();
    while (first < end && text[first] == u' ')
        ++first;
    while (end > first && text[end - 1] == u' ')
        --end;
    return text.mid(first, end - first);
}

QString SwitchText(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

// Writes an option's value while it is on (not 0), and removes its key otherwise.
void WriteOption(SettingsStore& store, const QString& section, const QString& key,
                 std::int32_t value) {
    if (value != 0)
        store.WriteText(section, key, QString::number(value));
    else
        store.Remove(section, key);
}

std::int32_t LowTimeWarningFrom(std::int32_t seconds) {
    return seconds >= 0 && seconds <= MaxLowTimeWarning ? seconds : 0;
}

} // namespace

bool SwitchFromText(const QString& text, bool fallback) {
    const QString word = text.trimmed();
    if (word.compare(u"True", Qt::CaseInsensitive) == 0)
        return true;
    if (word.compare(u"False", Qt::CaseInsensitive) == 0)
        return false;
    bool isNumber = false;
    const double value = word.toDouble(&isNumber);
    return isNumber ? value != 0.0 : fallback;
}

GeneralChoice CurrentGeneralChoice(const Variables& vars) {
    return {vars.Strings.GetLanguage(),
            vars.SoundPlayerChange,
            vars.SoundGameOver,
            vars.KeyWhite,
            vars.KeyBlack,
            vars.LowTimeWarning,
            vars.SoundLowTime};
}

bool IsFirstStart(const SettingsStore& store) {
    return WithoutBlanks(store.ReadText(kGeneral, kLanguage)).isEmpty();
}

bool BeginFirstStart(Program& program) {
    if (!IsFirstStart(program.store))
        return false;
    program.vars.Strings.SetLanguage(LanguageEnglish);
    return true;
}

void LoadGeneralSettings(Program& program) {
    Variables& vars = program.vars;
    const SettingsStore& store = program.store;
    const QString language = WithoutBlanks(store.ReadText(kGeneral, kLanguage));
    vars.Strings.SetLanguage(language == u"2" ? LanguageGerman : LanguageEnglish);

    vars.SoundPlayerChange = SoundSwitch(store, kPlayerChange);
    vars.SoundGameOver = SoundSwitch(store, kGameOver);
    vars.KeyWhite = KeyFromText(store.ReadText(kGeneral, kKeyWhite));
    vars.KeyBlack = KeyFromText(store.ReadText(kGeneral, kKeyBlack));
    vars.FitToWindow = NumberFromText(store.ReadText(kGeneral, kFitToWindow)) != 0;
    vars.LowTimeWarning =
        LowTimeWarningFrom(NumberFromText(store.ReadText(kGeneral, kLowTimeWarning)));
    vars.SoundLowTime = SwitchFromText(store.ReadText(kSounds, kLowTime), false);
}

void SaveGeneralSettings(Program& program) {
    const Variables& vars = program.vars;
    program.store.WriteText(kGeneral, kLanguage, QString::number(vars.Strings.GetLanguage()));
    program.store.WriteText(kGeneral, kKeyWhite, QString::number(vars.KeyWhite));
    program.store.WriteText(kGeneral, kKeyBlack, QString::number(vars.KeyBlack));
    WriteOption(program.store, kGeneral, kFitToWindow, vars.FitToWindow ? 1 : 0);
    WriteOption(program.store, kGeneral, kLowTimeWarning, vars.LowTimeWarning);
    program.store.Flush();
}

void ApplyFitToWindow(Program& program, bool on) {
    program.vars.FitToWindow = on;
    SaveGeneralSettings(program);
}

void ApplyOptions(Program& program, const GeneralChoice& choice) {
    Variables& vars = program.vars;
    vars.Strings.SetLanguage(choice.Language == LanguageGerman ? LanguageGerman : LanguageEnglish);
    // Only the options dialog writes the sound switches.
    program.store.WriteText(kSounds, kPlayerChange, SwitchText(choice.SoundPlayerChange));
    program.store.WriteText(kSounds, kGameOver, SwitchText(choice.SoundGameOver));
    vars.SoundPlayerChange = choice.SoundPlayerChange;
    vars.SoundGameOver = choice.SoundGameOver;
    WriteOption(program.store, kSounds, kLowTime, choice.SoundLowTime ? 1 : 0);
    vars.SoundLowTime = choice.SoundLowTime;
    vars.KeyWhite = choice.KeyWhite;
    vars.KeyBlack = choice.KeyBlack;
    vars.LowTimeWarning = LowTimeWarningFrom(choice.LowTimeWarning);
    SaveGeneralSettings(program);
}

} // namespace velmora
