#include "options/GeneralSettings.h"

#include "options/Options.h"
#include "state/Program.h"
#include "state/SettingsStore.h"
#include "timecontrol/NumberFromText.h"

namespace velmora {

namespace {

const QString kGeneral = QStringLiteral("General");
const QString kSounds = QStringLiteral("Sounds");
constexpr std::int32_t kSpace = 32;

std::int32_t KeyFromText(const QString& text) {
    const std::int32_t code = NumberFromText(text);
    return code == 0 ? kSpace : code;
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

void LoadGeneralSettings(Program& program, QWidget* dialogParent) {
    Variables& vars = program.vars;
    const QString language = program.store.ReadText(kGeneral, QStringLiteral("Language")).trimmed();
    if (language.isEmpty()) {
        // First start: ask for the language before the other values are read,
        // so that they come from what the dialog stored.
        vars.Strings.SetLanguage(LanguageEnglish);
        ShowOptionsDialog(program, dialogParent);
    } else {
        vars.Strings.SetLanguage(language == u"2" ? LanguageGerman : LanguageEnglish);
    }

    vars.SoundPlayerChange =
        SwitchFromText(program.store.ReadText(kSounds, QStringLiteral("PlayerChange"), QStringLiteral("True")), true);
    vars.SoundGameOver =
        SwitchFromText(program.store.ReadText(kSounds, QStringLiteral("GameOver"), QStringLiteral("True")), true);
    vars.KeyWhite = KeyFromText(program.store.ReadText(kGeneral, QStringLiteral("MouseButton1")));
    vars.KeyBlack = KeyFromText(program.store.ReadText(kGeneral, QStringLiteral("MouseButton2")));
}

void SaveGeneralSettings(Program& program) {
    const Variables& vars = program.vars;
    program.store.WriteText(kGeneral, QStringLiteral("Language"), QString::number(vars.Strings.GetLanguage()));
    program.store.WriteText(kGeneral, QStringLiteral("MouseButton1"), QString::number(vars.KeyWhite));
    program.store.WriteText(kGeneral, QStringLiteral("MouseButton2"), QString::number(vars.KeyBlack));
    program.store.Flush();
}

} // namespace velmora
