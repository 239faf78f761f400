#include "localisation/UIStrings.h"

#include "localisation/ApplicationInfo.h"
#include "localisation/ProgramError.h"

#include <QtGlobal>

namespace velmora {

namespace {

struct Translation {
    int entry;
    const char16_t* english;
    const char16_t* german;
};

// Entries 34, 35 and 37 are built in FillLanguageRows.
constexpr Translation kTranslations[] = {
    {TxtAssignedKey, u"The assigned key switches the clock!",
     u"Ihre zugewiesene Taste bet\u00e4tigt die Uhr!"},
    {TxtWhitesTurn, u"White's turn", u"Wei\u00df ist am Zug"},
    {TxtBlacksTurn, u"Black's turn", u"Schwarz ist am Zug"},
    {TxtBlackStarts, u"First, black has to press any key to start the game for white",
     u"Schwarz bet\u00e4tigt als erstes die Uhr"},
    {TxtPlayerTimeOver, u"Time of player [*] is over.",
     u"Die Zeit von Spieler [*] ist abgelaufen."},
    {TxtUserDefined, u"User defined (h/m/s)", u"Benutzerdefiniert (h/m/s)"},
    {TxtTimeWhite, u"Time White", u"Zeit Wei\u00df"},
    {TxtTimeBlack, u"Time Black", u"Zeit Schwarz"},
    {TxtChooseTime, u"Please choose your preferred time setting!",
     u"Bitte w\u00e4hlen Sie Ihre gew\u00fcnschte Zeiteinstellung!"},
    {TxtContinueRunning, u"Continue running after the end of one player",
     u"Nach Ende die Zeit des anderen Spielers weiterlaufen lassen"},
    {TxtMenuFile, u"&File", u"&Datei"},
    {TxtMenuNewGame, u"&New Game", u"&Neues Spiel"},
    {TxtMenuOptions, u"&Options", u"&Optionen"},
    {TxtMenuExit, u"&Exit", u"&Beenden"},
    {TxtSupportFrom, u"With friendly support from", u"Mit freundlicher Unterst\u00fctzung von"},
    {TxtOptionsCaption, u"Options", u"Optionen"},
    {TxtLanguage, u"Language", u"Sprache"},
    {TxtSound, u"Sound", u"Sound"},
    {TxtSoundPlayerChange, u"Player change", u"Spielerwechsel"},
    {TxtSoundTimeOver, u"Time over", u"Ende der Zeit"},
    {TxtKeys, u"Keys", u"Tasten"},
    {TxtPlayer, u"Player", u"Spieler"},
    {TxtOkay, u"&Okay", u"&Okay"},
    {TxtCancel, u"&Cancel", u"&Abbruch"},
};

constexpr const char16_t* kPresetNames[] = {
    u"5 min", u"10 min",     u"15 min", u"20 min",     u"25 min", u"30 min", u"45 min",
    u"1 h",   u"1 h 30 min", u"2 h",    u"2 h 30 min", u"3 h",    u"4 h",    u"6 h",
};

bool IsLanguageDependent(int entry) {
    return (entry >= TxtAssignedKey && entry <= TxtUserDefined) ||
           (entry >= TxtTimeWhite && entry <= TxtCancel);
}

} // namespace

void UIStrings::FillLanguageRows() {
    for (const Translation& t : kTranslations) {
        table_[t.entry][LangEnglish] = QString::fromUtf16(t.english);
        table_[t.entry][LangGerman] = QString::fromUtf16(t.german);
    }
    const QString title = ApplicationTitle();
    const QString about = QStringLiteral("About ");
    const QString ueber = QString::fromUtf16(u"\u00dcber ");
    const QString dots = QStringLiteral("...");
    table_[TxtMenuAbout][LangEnglish] = u'&' + about + title + dots;
    table_[TxtMenuAbout][LangGerman] = u'&' + ueber + title + dots;
    table_[TxtAboutCaption][LangEnglish] = about + title + dots;
    table_[TxtAboutCaption][LangGerman] = ueber + title + dots;
    table_[TxtSponsor][LangEnglish] =
        QStringLiteral("Talvista\r\nHandcrafted clocks and boards for chess clubs.");
    table_[TxtSponsor][LangGerman] =
        QString::fromUtf16(u"Talvista\r\nHandgefertigte Uhren und Bretter f\u00fcr Schachvereine.");
}

void UIStrings::SetLanguage(std::int32_t code) {
    FillLanguageRows();
    if (code < 0 || code >= RowCount)
        throw ProgramError::subscriptOutOfRange(QStringLiteral("SetLanguage"));
    for (int entry = 0; entry < EntryCount; ++entry) {
        if (IsLanguageDependent(entry))
            table_[entry][LangActive] = table_[entry][code];
    }
    for (int i = 0; i < int(std::size(kPresetNames)); ++i)
        table_[TxtPreset5Min + i][LangActive] = QString::fromUtf16(kPresetNames[i]);
    CurrentLanguage = code;
}

const QString& UIStrings::operator()(int entry, int row) const {
    Q_ASSERT(entry >= 0 && entry < EntryCount && row >= 0 && row < RowCount);
    return table_[entry][row];
}

} // namespace velmora
