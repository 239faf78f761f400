#include "clock/LiveKeyCodes.h"

#include "NativeKeys.h"

#include <QTest>

using namespace velmora;

class LiveKeyCodesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Key events as X11 delivers them: Qt's key, the modifiers and the X keycode
    // (evdev + 8; 0 where a platform or QTest gives none).
    void keyCodes_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<quint32>("xKeycode");
        QTest::addColumn<int>("code");
        const int none = Qt::NoModifier, shift = Qt::ShiftModifier, keypad = Qt::KeypadModifier;
        QTest::newRow("1") << int(Qt::Key_1) << none << 10u << 49;
        QTest::newRow("Shift+1 gives !") << int(Qt::Key_Exclam) << shift << 10u << 49;
        QTest::newRow("A") << int(Qt::Key_A) << none << 38u << 65;
        QTest::newRow("A with Caps Lock and Shift") << int(Qt::Key_A) << shift << 38u << 65;
        QTest::newRow("Ctrl+Alt+Q")
            << int(Qt::Key_Q) << int(Qt::ControlModifier | Qt::AltModifier) << 24u << 81;
        QTest::newRow("German Z in the US Y place") << int(Qt::Key_Z) << none << 29u << 90;
        QTest::newRow("Cyrillic letter by position") << 0x0444 << none << 38u << 65;
        QTest::newRow("Shift+Space") << int(Qt::Key_Space) << shift << 65u << 32;
        QTest::newRow("Shift+Tab") << int(Qt::Key_Backtab) << shift << 23u << 9;
        QTest::newRow("left Shift") << int(Qt::Key_Shift) << none << 50u << 16;
        QTest::newRow("right Shift") << int(Qt::Key_Shift) << none << 62u << 16;
        QTest::newRow("left Control") << int(Qt::Key_Control) << none << 37u << 17;
        QTest::newRow("right Control") << int(Qt::Key_Control) << none << 105u << 17;
        QTest::newRow("left Alt") << int(Qt::Key_Alt) << none << 64u << 18;
        QTest::newRow("AltGr") << int(Qt::Key_AltGr) << none << 108u << 18;
        QTest::newRow("Caps Lock") << int(Qt::Key_CapsLock) << none << 66u << 20;
        QTest::newRow("F10") << int(Qt::Key_F10) << none << 76u << 121;
        QTest::newRow("German sharp s in the minus place")
            << int(Qt::Key_ssharp) << none << 20u << 189;
        QTest::newRow("Shift+comma gives <") << int(Qt::Key_Less) << shift << 59u << 188;
        QTest::newRow("ISO key") << int(Qt::Key_Less) << none << 94u << 226;
        QTest::newRow("keypad 7, NumLock on") << int(Qt::Key_7) << keypad << 79u << 103;
        QTest::newRow("keypad 7, NumLock off") << int(Qt::Key_Home) << keypad << 79u << 36;
        QTest::newRow("keypad 5, NumLock off") << int(Qt::Key_Clear) << keypad << 84u << 12;
        QTest::newRow("keypad 1 with Shift") << int(Qt::Key_End) << (keypad | shift) << 87u << 35;
        QTest::newRow("keypad comma, NumLock on") << int(Qt::Key_Comma) << keypad << 91u << 110;
        QTest::newRow("keypad delete, NumLock off") << int(Qt::Key_Delete) << keypad << 91u << 46;
        QTest::newRow("keypad add") << int(Qt::Key_Plus) << keypad << 86u << 107;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << keypad << 104u << 13;
        QTest::newRow("no scan code: digit") << int(Qt::Key_7) << none << 0u << 55;
        QTest::newRow("no scan code: keypad digit") << int(Qt::Key_3) << keypad << 0u << 99;
        QTest::newRow("no scan code: F5") << int(Qt::Key_F5) << none << 0u << 116;
        QTest::newRow("no code at all") << int(Qt::Key_LaunchMail) << none << 0u << 0;
    }
    void keyCodes() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(quint32, xKeycode);
        QFETCH(int, code);
        const auto event = test::NativeKeyPress(key, Qt::KeyboardModifiers(modifiers), xKeycode);
        QCOMPARE(KeyCodeOf(*event), code);
    }

    void mouseButtons() {
        QCOMPARE(KeyCodeOfMouseButton(Qt::LeftButton), 1);
        QCOMPARE(KeyCodeOfMouseButton(Qt::RightButton), 2);
        QCOMPARE(KeyCodeOfMouseButton(Qt::MiddleButton), 4);
        QCOMPARE(KeyCodeOfMouseButton(Qt::BackButton), 0);
    }
};

// With an application, so that the key events' input device is released.
QTEST_MAIN(LiveKeyCodesTest)
#include "LiveKeyCodesTest.moc"
