#include "clock/LiveKeyCodes.h"

#include "NativeKeys.h"

#include <QTest>

using namespace velmora;
using velmora::test::NativeKeyPress;

// X keycodes (evdev + 8) of a US keyboard, as X11 reports them in nativeScanCode().
namespace xkey {
constexpr quint32 Escape = 9, Digit1 = 10, Digit0 = 19, Minus = 20, Backspace = 22, Tab = 23,
                  Q = 24, Return = 36, ControlL = 37, A = 38, Semicolon = 47, ShiftL = 50,
                  Z = 52, Comma = 59, ShiftR = 62, KpMultiply = 63, AltL = 64, Space = 65,
                  CapsLock = 66, F1 = 67, F10 = 76, NumLock = 77, Kp7 = 79, Kp8 = 80, Kp5 = 84,
                  KpMinus = 82, KpPlus = 86, Kp1 = 87, Kp0 = 90, KpDecimal = 91, Less = 94,
                  F12 = 96, KpEnter = 104, ControlR = 105, KpDivide = 106, AltR = 108,
                  Home = 110, Up = 111, PageUp = 112, Left = 113, Delete = 119, Pause = 127;
}

class TestLiveKeyCodes : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void nativeKeys_data();
    void nativeKeys();
    void keysWithoutScanCode_data();
    void keysWithoutScanCode();
    void mouseButtons();
};

void TestLiveKeyCodes::nativeKeys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<quint32>("scanCode");
    QTest::addColumn<int>("code");

    const int none = Qt::NoModifier;
    const int shift = Qt::ShiftModifier;
    const int keypad = Qt::KeypadModifier;
    QTest::newRow("1") << int(Qt::Key_1) << none << xkey::Digit1 << 49;
    QTest::newRow("shift+1 is !") << int(Qt::Key_Exclam) << shift << xkey::Digit1 << 49;
    QTest::newRow("0") << int(Qt::Key_0) << none << xkey::Digit0 << 48;
    QTest::newRow("A") << int(Qt::Key_A) << none << xkey::A << 65;
    QTest::newRow("shift+A") << int(Qt::Key_A) << shift << xkey::A << 65;
    QTest::newRow("ctrl+A") << int(Qt::Key_A) << int(Qt::ControlModifier) << xkey::A << 65;
    QTest::newRow("alt+Q") << int(Qt::Key_Q) << int(Qt::AltModifier) << xkey::Q << 81;
    QTest::newRow("German Z in the US Y place") << int(Qt::Key_Z) << none << quint32(29) << 90;
    QTest::newRow("German Y in the US Z place") << int(Qt::Key_Y) << none << xkey::Z << 89;
    QTest::newRow("Cyrillic letter by position") << 0x0444 << none << xkey::A << 65;
    QTest::newRow("space") << int(Qt::Key_Space) << none << xkey::Space << 32;
    QTest::newRow("shift+space") << int(Qt::Key_Space) << shift << xkey::Space << 32;
    QTest::newRow("return") << int(Qt::Key_Return) << none << xkey::Return << 13;
    QTest::newRow("escape") << int(Qt::Key_Escape) << none << xkey::Escape << 27;
    QTest::newRow("tab") << int(Qt::Key_Tab) << none << xkey::Tab << 9;
    QTest::newRow("shift+tab") << int(Qt::Key_Backtab) << shift << xkey::Tab << 9;
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << none << xkey::Backspace << 8;
    QTest::newRow("left shift") << int(Qt::Key_Shift) << none << xkey::ShiftL << 16;
    QTest::newRow("right shift") << int(Qt::Key_Shift) << none << xkey::ShiftR << 16;
    QTest::newRow("left control") << int(Qt::Key_Control) << none << xkey::ControlL << 17;
    QTest::newRow("right control") << int(Qt::Key_Control) << none << xkey::ControlR << 17;
    QTest::newRow("left alt") << int(Qt::Key_Alt) << none << xkey::AltL << 18;
    QTest::newRow("AltGr") << int(Qt::Key_AltGr) << none << xkey::AltR << 18;
    QTest::newRow("caps lock") << int(Qt::Key_CapsLock) << none << xkey::CapsLock << 20;
    QTest::newRow("F1") << int(Qt::Key_F1) << none << xkey::F1 << 112;
    QTest::newRow("F10") << int(Qt::Key_F10) << none << xkey::F10 << 121;
    QTest::newRow("F12") << int(Qt::Key_F12) << none << xkey::F12 << 123;
    QTest::newRow("pause") << int(Qt::Key_Pause) << none << xkey::Pause << 19;
    QTest::newRow("arrow left") << int(Qt::Key_Left) << none << xkey::Left << 37;
    QTest::newRow("arrow up") << int(Qt::Key_Up) << none << xkey::Up << 38;
    QTest::newRow("home") << int(Qt::Key_Home) << none << xkey::Home << 36;
    QTest::newRow("page up") << int(Qt::Key_PageUp) << none << xkey::PageUp << 33;
    QTest::newRow("delete") << int(Qt::Key_Delete) << none << xkey::Delete << 46;
    QTest::newRow("minus") << int(Qt::Key_Minus) << none << xkey::Minus << 189;
    QTest::newRow("German sharp s in the minus place") << int(Qt::Key_ssharp) << none << xkey::Minus << 189;
    QTest::newRow("semicolon") << int(Qt::Key_Semicolon) << none << xkey::Semicolon << 186;
    QTest::newRow("shift+comma is <") << int(Qt::Key_Less) << shift << xkey::Comma << 188;
    QTest::newRow("ISO key") << int(Qt::Key_Less) << none << xkey::Less << 226;
    QTest::newRow("num lock") << int(Qt::Key_NumLock) << none << xkey::NumLock << 144;
    // The keypad follows NumLock.
    QTest::newRow("keypad 7, NumLock on") << int(Qt::Key_7) << keypad << xkey::Kp7 << 103;
    QTest::newRow("keypad 7, NumLock off") << int(Qt::Key_Home) << keypad << xkey::Kp7 << 36;
    QTest::newRow("keypad 8, NumLock off") << int(Qt::Key_Up) << keypad << xkey::Kp8 << 38;
    QTest::newRow("keypad 5, NumLock on") << int(Qt::Key_5) << keypad << xkey::Kp5 << 101;
    QTest::newRow("keypad 5, NumLock off") << int(Qt::Key_Clear) << keypad << xkey::Kp5 << 12;
    QTest::newRow("keypad 1, shift held") << int(Qt::Key_End) << (keypad | shift) << xkey::Kp1 << 35;
    QTest::newRow("keypad 0, NumLock on") << int(Qt::Key_0) << keypad << xkey::Kp0 << 96;
    QTest::newRow("keypad 0, NumLock off") << int(Qt::Key_Insert) << keypad << xkey::Kp0 << 45;
    QTest::newRow("keypad point") << int(Qt::Key_Period) << keypad << xkey::KpDecimal << 110;
    QTest::newRow("keypad comma (German)") << int(Qt::Key_Comma) << keypad << xkey::KpDecimal << 110;
    QTest::newRow("keypad delete") << int(Qt::Key_Delete) << keypad << xkey::KpDecimal << 46;
    QTest::newRow("keypad multiply") << int(Qt::Key_Asterisk) << keypad << xkey::KpMultiply << 106;
    QTest::newRow("keypad add") << int(Qt::Key_Plus) << keypad << xkey::KpPlus << 107;
    QTest::newRow("keypad subtract") << int(Qt::Key_Minus) << keypad << xkey::KpMinus << 109;
    QTest::newRow("keypad divide") << int(Qt::Key_Slash) << keypad << xkey::KpDivide << 111;
    QTest::newRow("keypad enter") << int(Qt::Key_Enter) << keypad << xkey::KpEnter << 13;
}

void TestLiveKeyCodes::nativeKeys() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(quint32, scanCode);
    QFETCH(int, code);
    const auto event = NativeKeyPress(key, Qt::KeyboardModifiers(modifiers), scanCode);
    QCOMPARE(KeyCodeOf(*event), code);
}

void TestLiveKeyCodes::keysWithoutScanCode_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("code");
    QTest::newRow("space") << int(Qt::Key_Space) << 0 << 32;
    QTest::newRow("digit") << int(Qt::Key_7) << 0 << 55;
    QTest::newRow("shifted digit") << int(Qt::Key_ParenLeft) << int(Qt::ShiftModifier) << 57;
    QTest::newRow("letter") << int(Qt::Key_L) << 0 << 76;
    QTest::newRow("F5") << int(Qt::Key_F5) << 0 << 116;
    QTest::newRow("keypad digit") << int(Qt::Key_3) << int(Qt::KeypadModifier) << 99;
    QTest::newRow("keypad enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << 13;
    QTest::newRow("keypad navigation") << int(Qt::Key_PageDown) << int(Qt::KeypadModifier) << 34;
    QTest::newRow("unknown") << int(Qt::Key_LaunchMail) << 0 << 0;
}

void TestLiveKeyCodes::keysWithoutScanCode() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, code);
    const auto event = NativeKeyPress(key, Qt::KeyboardModifiers(modifiers), 0);
    QCOMPARE(KeyCodeOf(*event), code);
}

void TestLiveKeyCodes::mouseButtons() {
    QCOMPARE(KeyCodeOfMouseButton(Qt::LeftButton), 1);
    QCOMPARE(KeyCodeOfMouseButton(Qt::RightButton), 2);
    QCOMPARE(KeyCodeOfMouseButton(Qt::MiddleButton), 4);
    QCOMPARE(KeyCodeOfMouseButton(Qt::BackButton), 0);
}

QTEST_MAIN(TestLiveKeyCodes)
#include "tst_livekeycodes.moc"
