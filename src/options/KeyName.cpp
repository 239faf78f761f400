#include "options/KeyName.h"

#include "localisation/UIStrings.h"

namespace velmora {

namespace {

struct NamedKey {
    std::int32_t code;
    const char16_t* english;
    const char16_t* german; // nullptr: the same as English
};

constexpr NamedKey kNamedKeys[] = {
    {1, u"Left mouse button", u"Linke Maustaste"},
    {2, u"Right mouse button", u"Rechte Maustaste"},
    {3, u"Cancel", nullptr},
    {4, u"Middle mouse button", u"Mittlere Maustaste"},
    {8, u"Backspace", nullptr},
    {9, u"Tab", nullptr},
    {12, u"Numpad - 5", nullptr},
    {13, u"Return", nullptr},
    {16, u"Shift", nullptr},
    {17, u"Control", u"Strg"},
    {18, u"Alt", nullptr},
    {19, u"Pause", nullptr},
    {20, u"Capital", u"Caps Lock"},
    {27, u"Escape", nullptr},
    {32, u"Space", u"Leertaste"},
    {33, u"Page up", u"Bild auf"},
    {34, u"Page down", u"Bild ab"},
    {35, u"End", u"Ende"},
    {36, u"Home", u"Pos1"},
    {37, u"Arrow left", u"Pfeil links"},
    {38, u"Arrow up", u"Pfeil rauf"},
    {39, u"Arrow right", u"Pfeil rechts"},
    {40, u"Arrow down", u"Pfeil runter"},
    {41, u"Select", nullptr},
    {42, u"Print", u"Druck"},
    {44, u"Snapshot", nullptr},
    {45, u"Insert", u"Einf\u00fcgen"},
    {46, u"Delete", u"Entfernen"},
    {47, u"Help", u"Hilfe"},
    {96, u"Numpad - 0", nullptr},
    {97, u"Numpad - 1", nullptr},
    {98, u"Numpad - 2", nullptr},
    {99, u"Numpad - 3", nullptr},
    {100, u"Numpad - 4", nullptr},
    {101, u"Numpad - 5", nullptr},
    {102, u"Numpad - 6", nullptr},
    {103, u"Numpad - 7", nullptr},
    {104, u"Numpad - 8", nullptr},
    {105, u"Numpad - 9", nullptr},
    {106, u"Numpad - Multiply", u"Numpad - Multiplikation"},
    {107, u"Numpad - Add", u"Numpad - Addition"},
    {108, u"Numpad - Separator", nullptr},
    {109, u"Numpad - Subtract", u"Numpad - Subtraktion"},
    {110, u"Numpad - Decimal", u"Numpad - Dezimal"},
    {111, u"Numpad - Divide", u"Numpad - Division"},
    {112, u"F1", nullptr},
    {113, u"F2", nullptr},
    {114, u"F3", nullptr},
    {115, u"F4", nullptr},
    {116, u"F5", nullptr},
    {117, u"F6", nullptr},
    {118, u"F7", nullptr},
    {119, u"F8", nullptr},
    {120, u"F9", nullptr},
    {121, u"F10", nullptr},
    {122, u"F11", nullptr},
    {123, u"F12", nullptr},
    {124, u"F13", nullptr},
    {125, u"F14", nullptr},
    {126, u"F15", nullptr},
    {127, u"F16", nullptr},
    {144, u"Num Lock", nullptr},
};

// Windows-1252 128..159; its five undefined bytes stay the control character
// of the same number.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QChar Windows1252Character(std::int32_t code) {
    if (code >= 128 && code < 160)
        return QChar(kWindows1252High[code - 128]);
    return QChar(char16_t(code)); // 0..127 and 160..255 equal their Unicode numbers
}

} // namespace

QString KeyName(std::int32_t code, std::int32_t language) {
    for (const NamedKey& key : kNamedKeys) {
        if (key.code != code)
            continue;
        const bool german = language == LanguageGerman && key.german != nullptr;
        return QString::fromUtf16(german ? key.german : key.english);
    }
    if (code < 0 || code > 255)
        return QString::number(code);
    return QString(Windows1252Character(code));
}

} // namespace velmora
