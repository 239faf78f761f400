#include "options/ui/Options.h"
#include "clock/ui/UhrAnzeige.h"

#include "UiFakes.h"

#include <QtTest>
#include <QtWidgets>

#include <functional>

using namespace velmora;
using velmora::test::TestUi;

namespace {

// The file on disk as it is, read without a flush; "-" where a key is missing.
QString Stored(const TestUi& tp) {
    const QSettings file(tp.SettingsPath(), QSettings::IniFormat);
    QStringList values;
    for (const char* key : {"Language", "MouseButton1", "MouseButton2", "LowTimeWarning",
                            "Sounds/PlayerChange", "Sounds/GameOver", "Sounds/LowTime"})
        values << file.value(QLatin1String(key), QStringLiteral("-")).toString();
    return values.join(' ');
}

// Something done in the options dialog.
using Act = std::function<void(QDialog&)>;
// A key pressed as X11 delivers it (X keycode = evdev code + 8, 0 for none), on
// White's key box unless told.
Act Key(int key, quint32 xKeycode, QString text = {}, Qt::KeyboardModifiers modifiers = {},
        const char* target = "TextKeyPlayer(1)") {
    return [=](QDialog& dialog) {
        const auto press = test::NativeKeyPress(key, modifiers, xKeycode, text);
        QApplication::sendEvent(dialog.findChild<QWidget*>(target), press.get());
    };
}

} // namespace

Q_DECLARE_METATYPE(Act)

// The general settings as the start-up loads them (asking for the language on
// the very first start), and the options dialog.
class OptionsTest : public QObject {
    Q_OBJECT

    // The main window after start-up with the [General] settings given (null:
    // no file) and five minutes each.
    std::unique_ptr<UhrAnzeige> Start(TestUi& tp, const QByteArray& general) {
        if (!general.isNull())
            tp.WriteSettingsFile("[General]\n" + general + "\n[Time]\nP1min=5\nP2min=5\n");
        auto window = std::make_unique<UhrAnzeige>(*tp.program, tp.services);
        window->Form_Load();
        return window;
    }

private Q_SLOTS:
    // Exit stops the clock and writes back what was understood; the sound
    // switches stay as they were. Only blanks are trimmed from the language: a tab (written
    // escaped, as QSettings stores it) is part of it. Options that a file without them leaves off;
    // a warning out of range is off too.
    void load_data() {
        QTest::addColumn<QByteArray>("general"); // null: the first start
        QTest::addColumn<bool>("okay");          // the first start's dialog: OK, else the frame
        QTest::addColumn<QString>("sounds");     // player change, game over, low time
        QTest::addColumn<QString>("atExit");
        // clang-format off
        QTest::newRow("first start, OK") << QByteArray() << true << "0 0 0" << "1 32 32 - 0 0 -";
        QTest::newRow("first start, frame") << QByteArray() << false << "1 1 0" << "1 32 32 - - - -";
        QTest::newRow("2 between blanks") << QByteArray("Language=\" 2 \"\nMouseButton1=65\nMouseButton2=1\nLowTimeWarning=3600\n[Sounds]\nPlayerChange=True\nGameOver=-1\nLowTime=1") << false << "1 1 1" << "2 65 1 3600 True -1 1";
        QTest::newRow("02, garbage") << QByteArray("Language=02\nMouseButton1=abc\nMouseButton2=0\nLowTimeWarning=3601\n[Sounds]\nPlayerChange=False\nGameOver=loud") << false << "0 1 0" << "1 32 32 - False loud -";
        QTest::newRow("tab before 2") << QByteArray("Language=\\t2") << false << "1 1 0" << "1 32 32 - - - -";
        // clang-format on
    }
    void load() {
        QFETCH(QByteArray, general);
        QFETCH(bool, okay);
        TestUi tp;
        // OK, or else the runner closes it, as the frame does; without a stored
        // time the start-up asks for one next, and gets OK.
        const auto ok = [](QDialog& dialog) {
            QTest::mouseClick(dialog.findChild<QWidget*>("ButtonOkay"), Qt::LeftButton);
        };
        tp.modal.Expect(okay ? test::ScriptedModalRunner::Answer(ok) : nullptr);
        tp.modal.Expect(ok);
        auto window = Start(tp, general);
        QCOMPARE(tp.modal.Shown(), general.isNull() ? 2 : 0);
        const Variables& v = tp.vars();
        QTEST(QString::asprintf("%d %d %d", v.SoundPlayerChange, v.SoundGameOver, v.SoundLowTime),
              "sounds");
        window->Form_KeyDown(v.KeyBlack); // a game runs until the window closes
        window->close();
        QVERIFY(!window->ClockRunning());
        QTEST(Stored(tp), "atExit");
    }

    // A key box takes the key pressed or the mouse button clicked (a double
    // click too) and shows its name, whatever is typed; Control, Alt and F10
    // are refused with a message; Return and Escape are neither OK nor Cancel. OK applies and
    // stores at once (the window shows the new language and keys, the clock runs on); Cancel and
    // the frame change nothing.
    void optionsDialog_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<Act>("act");
        QTest::addColumn<QString>("button"); // empty: closed by the window frame
        QTest::addColumn<QString>("dialog"); // the message shown, if any, and White's key box
        QTest::addColumn<QString>("shown");  // White's key in the window
        QTest::addColumn<QString>("stored");
        const int en = LanguageEnglish, de = LanguageGerman;
        const Act everything = [](QDialog& dialog) {
            dialog.findChild<QComboBox*>("SelectionLanguageCombo")->setCurrentIndex(1);
            dialog.findChild<QCheckBox*>("CheckPlayerChange")->setChecked(false);
            dialog.findChild<QLineEdit*>("TextLowTimeWarning")->setText(QStringLiteral("90"));
            dialog.findChild<QCheckBox*>("CheckLowTime")->setChecked(true);
            QTest::mouseDClick(dialog.findChild<QWidget*>("TextKeyPlayer(1)"), Qt::RightButton);
            QTest::mouseClick(dialog.findChild<QWidget*>("TextKeyPlayer(2)"), Qt::LeftButton);
        };
        // clang-format off
        QTest::newRow("Return") << en << Key(Qt::Key_Return, 36) << "ButtonOkay" << "Return" << "Return" << "1 13 32 - 1 1 -";
        QTest::newRow("Escape") << en << Key(Qt::Key_Escape, 9) << "ButtonOkay" << "Escape" << "Escape" << "1 27 32 - 1 1 -";
        QTest::newRow("A, not typed in") << en << Key(Qt::Key_A, 38, "a") << "ButtonOkay" << "A" << "A" << "1 65 32 - 1 1 -";
        // The place on the keyboard counts, the keypad's with NumLock; without a
        // scan code, Qt's key and the keypad modifier.
        QTest::newRow("Shift+1 is 1") << en << Key(Qt::Key_Exclam, 10, "!", Qt::ShiftModifier) << "ButtonOkay" << "1" << "1" << "1 49 32 - 1 1 -";
        QTest::newRow("keypad 7, NumLock on") << en << Key(Qt::Key_7, 79, "7", Qt::KeypadModifier) << "ButtonOkay" << "Numpad - 7" << "Numpad - 7" << "1 103 32 - 1 1 -";
        QTest::newRow("keypad 7, NumLock off") << en << Key(Qt::Key_Home, 79, {}, Qt::KeypadModifier) << "ButtonOkay" << "Home" << "Home" << "1 36 32 - 1 1 -";
        QTest::newRow("no scan code: keypad 3") << en << Key(Qt::Key_3, 0, "3", Qt::KeypadModifier) << "ButtonOkay" << "Numpad - 3" << "Numpad - 3" << "1 99 32 - 1 1 -";
        QTest::newRow("no scan code: Shift+;") << en << Key(Qt::Key_Colon, 0, ":", Qt::ShiftModifier) << "ButtonOkay" << "\u00ba" << "\u00ba" << "1 186 32 - 1 1 -";
        QTest::newRow("unknown") << en << Key(Qt::Key_Launch0, 0) << "ButtonOkay" << "Space" << "Space" << "1 32 32 - 1 1 -";
        QTest::newRow("AltGr") << en << Key(Qt::Key_AltGr, 108) << "ButtonOkay" << "Warning: Not allowed: Alt|Space" << "Space" << "1 32 32 - 1 1 -";
        QTest::newRow("F10") << en << Key(Qt::Key_F10, 76) << "ButtonOkay" << "Warning: Not allowed: F10|Space" << "Space" << "1 32 32 - 1 1 -";
        QTest::newRow("Strg") << de << Key(Qt::Key_Control, 37) << "ButtonOkay" << "Warning: Nicht zugelassen: Strg|Leertaste" << "Leertaste" << "2 32 32 - 1 1 -";
        QTest::newRow("Return on the language") << en << Key(Qt::Key_Return, 36, {}, {}, "SelectionLanguageCombo") << "ButtonOkay" << "Space" << "Space" << "1 32 32 - 1 1 -";
        QTest::newRow("Escape on OK") << de << Key(Qt::Key_Escape, 9, {}, {}, "ButtonOkay") << "ButtonOkay" << "Leertaste" << "Leertaste" << "2 32 32 - 1 1 -";
        QTest::newRow("all changed, OK") << en << everything << "ButtonOkay" << "Right mouse button" << "Rechte Maustaste" << "2 2 1 90 0 1 1";
        QTest::newRow("all changed, Cancel") << en << everything << "ButtonCancel" << "Right mouse button" << "Space" << "1 - - - - - -";
        QTest::newRow("all changed, frame") << en << everything << "" << "Right mouse button" << "Space" << "1 - - - - - -";
        // clang-format on
    }
    void optionsDialog() {
        QFETCH(int, language);
        QFETCH(Act, act);
        QFETCH(QString, button);
        TestUi tp;
        auto window = Start(tp, "Language=" + QByteArray::number(language));
        window->Form_KeyDown(32); // Black's key starts White's clock
        tp.modal.Expect([&](QDialog& dialog) {
            act(dialog);
            QVERIFY2(dialog.isVisible(), "closed too early");
            QVERIFY(!dialog.findChild<QWidget*>("TextKeyPlayer(2)")->accessibleName().isEmpty());
            const QString box = dialog.findChild<QLineEdit*>("TextKeyPlayer(1)")->text();
            QTEST((QStringList(tp.messages.shown) << box).join('|'), "dialog");
            if (!button.isEmpty()) // else the runner closes it, as the frame does
                QTest::mouseClick(dialog.findChild<QWidget*>(button), Qt::LeftButton);
        });
        window->FileOptions_Click();
        QTEST(window->findChild<QLabel*>("PlayerKey(1)")->text(), "shown");
        QTEST(Stored(tp), "stored");
        QVERIFY(window->ClockRunning());
    }
};

QTEST_MAIN(OptionsTest)
#include "OptionsTest.moc"
