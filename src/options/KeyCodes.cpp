#include "options/KeyCodes.h"

#include <optional>
#include <utility>

namespace velmora {

namespace {

// X keycodes are the kernel's evdev codes plus 8.
constexpr std::uint32_t kEvdevOffset = 8;

// Physical keys by evdev code, named by the key in that place on a US keyboard.
// The keypad's digit keys are handled separately because they follow NumLock.
constexpr std::pair<std::uint32_t, std::int32_t> kKeyByEvdev[] = {
    {1, 27},    {2, 49},    {3, 50},    {4, 51},    {5, 52},   {6, 53},   {7, 54},   {8, 55},
    {9, 56},    {10, 57},   {11, 48},   {12, 189},  {13, 187}, {14, 8},   {15, 9},   {16, 81},
    {17, 87},   {18, 69},   {19, 82},   {20, 84},   {21, 89},  {22, 85},  {23, 73},  {24, 79},
    {25, 80},   {26, 219},  {27, 221},  {28, 13},   {29, 17},  {30, 65},  {31, 83},  {32, 68},
    {33, 70},   {34, 71},   {35, 72},   {36, 74},   {37, 75},  {38, 76},  {39, 186}, {40, 222},
    {41, 192},  {42, 16},   {43, 220},  {44, 90},   {45, 88},  {46, 67},  {47, 86},  {48, 66},
    {49, 78},   {50, 77},   {51, 188},  {52, 190},  {53, 191}, {54, 16},  {55, 106}, {56, 18},
    {57, 32},   {58, 20},   {59, 112},  {60, 113},  {61, 114}, {62, 115}, {63, 116}, {64, 117},
    {65, 118},  {66, 119},  {67, 120},  {68, 121},  {69, 144}, {70, 145}, {74, 109}, {78, 107},
    {86, 226},  {87, 122},  {88, 123},  {96, 13},   {97, 17},  {98, 111}, {99, 44},  {100, 18},
    {102, 36},  {103, 38},  {104, 33},  {105, 37},  {106, 39}, {107, 35}, {108, 40}, {109, 34},
    {110, 45},  {111, 46},  {119, 19},  {121, 108}, {125, 91}, {126, 92}, {127, 93}, {183, 124},
    {184, 125}, {185, 126}, {186, 127},
};

// Keypad keys that follow NumLock: evdev code, code with NumLock on, code with it off.
struct KeypadKey {
    std::uint32_t evdev;
    std::int32_t numLockOn;
    std::int32_t numLockOff;
};
constexpr KeypadKey kKeypad[] = {
    {71, 103, 36}, {72, 104, 38}, {73, 105, 33}, {75, 100, 37}, {76, 101, 12}, {77, 102, 39},
    {79, 97, 35},  {80, 98, 40},  {81, 99, 34},  {82, 96, 45},  {83, 110, 46},
};

// Keys identified by Qt's key alone, for events without a scan code.
constexpr std::pair<int, std::int32_t> kKeyByQtKey[] = {
    {Qt::Key_Space, 32},
    {Qt::Key_Return, 13},
    {Qt::Key_Enter, 13},
    {Qt::Key_Tab, 9},
    {Qt::Key_Backtab, 9},
    {Qt::Key_Backspace, 8},
    {Qt::Key_Escape, 27},
    {Qt::Key_Shift, 16},
    {Qt::Key_Control, 17},
    {Qt::Key_Alt, 18},
    {Qt::Key_AltGr, 18},
    {Qt::Key_CapsLock, 20},
    {Qt::Key_Pause, 19},
    {Qt::Key_Left, 37},
    {Qt::Key_Up, 38},
    {Qt::Key_Right, 39},
    {Qt::Key_Down, 40},
    {Qt::Key_Insert, 45},
    {Qt::Key_Delete, 46},
    {Qt::Key_Home, 36},
    {Qt::Key_End, 35},
    {Qt::Key_PageUp, 33},
    {Qt::Key_PageDown, 34},
    {Qt::Key_NumLock, 144},
    {Qt::Key_ScrollLock, 145},
    {Qt::Key_Print, 44},
    {Qt::Key_Meta, 91},
    {Qt::Key_Menu, 93},
    {Qt::Key_Clear, 12},
    {Qt::Key_Help, 47},
    {Qt::Key_Select, 41},
    {Qt::Key_Cancel, 3},
    {Qt::Key_Exclam, 49},
    {Qt::Key_At, 50},
    {Qt::Key_NumberSign, 51},
    {Qt::Key_Dollar, 52},
    {Qt::Key_Percent, 53},
    {Qt::Key_AsciiCircum, 54},
    {Qt::Key_Ampersand, 55},
    {Qt::Key_Asterisk, 56},
    {Qt::Key_ParenLeft, 57},
    {Qt::Key_ParenRight, 48},
    {Qt::Key_Minus, 189},
    {Qt::Key_Underscore, 189},
    {Qt::Key_Equal, 187},
    {Qt::Key_Plus, 187},
    {Qt::Key_BracketLeft, 219},
    {Qt::Key_BraceLeft, 219},
    {Qt::Key_BracketRight, 221},
    {Qt::Key_BraceRight, 221},
    {Qt::Key_Backslash, 220},
    {Qt::Key_Bar, 220},
    {Qt::Key_Semicolon, 186},
    {Qt::Key_Colon, 186},
    {Qt::Key_Apostrophe, 222},
    {Qt::Key_QuoteDbl, 222},
    {Qt::Key_QuoteLeft, 192},
    {Qt::Key_AsciiTilde, 192},
    {Qt::Key_Comma, 188},
    {Qt::Key_Less, 188},
    {Qt::Key_Period, 190},
    {Qt::Key_Greater, 190},
    {Qt::Key_Slash, 191},
    {Qt::Key_Question, 191},
};

// The keypad keys Qt marks with KeypadModifier, for events without a scan code.
constexpr std::pair<int, std::int32_t> kKeypadByQtKey[] = {
    {Qt::Key_Asterisk, 106}, {Qt::Key_Plus, 107},   {Qt::Key_Minus, 109}, {Qt::Key_Slash, 111},
    {Qt::Key_Enter, 13},     {Qt::Key_Period, 110}, {Qt::Key_Comma, 110}, {Qt::Key_Clear, 12},
};

template <typename Table, typename Key>
std::optional<std::int32_t> Lookup(const Table& table, Key key) {
    for (const auto& [from, to] : table) {
        if (from == key)
            return to;
    }
    return std::nullopt;
}

bool IsDigitKey(int key) {
    return key >= Qt::Key_0 && key <= Qt::Key_9;
}

// With NumLock on the keypad produces digits and its decimal sign; otherwise
// (NumLock off, or Shift held) navigation keys.
bool KeypadGivesDigits(int key) {
    return IsDigitKey(key) || key == Qt::Key_Period || key == Qt::Key_Comma;
}

std::optional<std::int32_t> FromScanCode(std::uint32_t scanCode, int key) {
    if (scanCode < kEvdevOffset)
        return std::nullopt;
    const std::uint32_t evdev = scanCode - kEvdevOffset;
    for (const KeypadKey& k : kKeypad) {
        if (k.evdev == evdev)
            return KeypadGivesDigits(key) ? k.numLockOn : k.numLockOff;
    }
    return Lookup(kKeyByEvdev, evdev);
}

std::optional<std::int32_t> FromQtKey(int key, Qt::KeyboardModifiers modifiers) {
    if (modifiers & Qt::KeypadModifier) {
        if (IsDigitKey(key))
            return 96 + (key - Qt::Key_0);
        if (auto code = Lookup(kKeypadByQtKey, key))
            return code;
    }
    if (IsDigitKey(key))
        return 48 + (key - Qt::Key_0);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return 112 + (key - Qt::Key_F1);
    return Lookup(kKeyByQtKey, key);
}

} // namespace

std::int32_t KeyCodeFromNative(std::uint32_t scanCode, int key, Qt::KeyboardModifiers modifiers) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return 65 + (key - Qt::Key_A);
    if (auto code = FromScanCode(scanCode, key))
        return *code;
    return FromQtKey(key, modifiers).value_or(0);
}

std::int32_t KeyCodeOfMouseButton(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

} // namespace velmora
