#pragma once

#include <QString>

#include <array>
#include <cstdint>

namespace velmora {

// Entry numbers of the interface texts.
enum UIText : int {
    TxtAssignedKey = 0,
    TxtWhitesTurn = 1,
    TxtBlacksTurn = 2,
    TxtBlackStarts = 3,
    TxtPlayerTimeOver = 4,
    TxtUserDefined = 5,
    TxtPreset5Min = 6,
    TxtPreset10Min = 7,
    TxtPreset15Min = 8,
    TxtPreset20Min = 9,
    TxtPreset25Min = 10,
    TxtPreset30Min = 11,
    TxtPreset45Min = 12,
    TxtPreset1H = 13,
    TxtPreset1H30 = 14,
    TxtPreset2H = 15,
    TxtPreset2H30 = 16,
    TxtPreset3H = 17,
    TxtPreset4H = 18,
    TxtPreset6H = 19,
    TxtTimeWhite = 26,
    TxtTimeBlack = 27,
    TxtChooseTime = 28,
    TxtContinueRunning = 29,
    TxtMenuFile = 30,
    TxtMenuNewGame = 31,
    TxtMenuOptions = 32,
    TxtMenuExit = 33,
    TxtMenuAbout = 34,
    TxtAboutCaption = 35,
    TxtSupportFrom = 36,
    TxtSponsor = 37,
    TxtOptionsCaption = 38,
    TxtLanguage = 39,
    TxtSound = 40,
    TxtSoundPlayerChange = 41,
    TxtSoundTimeOver = 42,
    TxtKeys = 43,
    TxtPlayer = 44,
    TxtOkay = 45,
    TxtCancel = 46,
};

// Language codes; the code is also the row the active texts are copied from.
enum LanguageCode : std::int32_t { LanguageEnglish = 1, LanguageGerman = 2 };

// The table of interface texts: an active row that windows read, and one row
// per language. Empty until SetLanguage fills it.
class UIStrings {
public:
    static constexpr int EntryCount = 47;
    static constexpr int RowCount = 3;
    enum Row : int { LangActive = 0, LangEnglish = 1, LangGerman = 2 };

    // Fills the language rows, copies row `code` into the active row and makes
    // `code` the current language. A code outside 0..2 raises "Subscript out of
    // range" after the language rows were written; the active row and the
    // current language then stay as they were.
    void SetLanguage(std::int32_t code);
    std::int32_t GetLanguage() const { return CurrentLanguage; }

    // UIStrings(entry, row); the active row by default.
    const QString& operator()(int entry, int row = LangActive) const;

private:
    void FillLanguageRows();

    std::array<std::array<QString, RowCount>, EntryCount> table_{};
    std::int32_t CurrentLanguage = 0;
};

} // namespace velmora
