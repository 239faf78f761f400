#include "options/ui/Options.h"
#include "clock/ui/UhrAnzeige.h"
#include "options/KeyName.h"
#include "state/ui/MessageBoxes.h"

#include "UiFakes.h"

#include <QtTest>
#include <QtWidgets>

using namespace velmora;
using velmora::test::TestUi;

namespace {

template <typename T = QWidget> T* Child(QWidget& parent, const char* name) {
    T* child = parent.findChild<T*>(QString::fromLatin1(name));
    return child ? child : (qFatal("no child %s", name), nullptr);
}

// Presses a key as X11 delivers it (X keycode = evdev code + 8).
void PressKey(QWidget* target, int key, quint32 xKeycode, const QString& text = QString()) {
    QApplication::sendEvent(target, test::NativeKeyPress(key, {}, xKeycode, text).get());
}

// Language, keys of White and Black, sounds of player change and game over, the
// active texts' word for the keys, and the options that are on.
QString Loaded(const Variables& v) {
    return QString::asprintf("%d %d %d %d %d ", v.Strings.GetLanguage(), v.KeyWhite, v.KeyBlack,
                             int(v.SoundPlayerChange), int(v.SoundGameOver)) +
           v.Text(TxtKeys) + (v.FitToWindow ? " fit" : "") +
           (v.LowTimeWarning ? QStringLiteral(" %1").arg(v.LowTimeWarning) : QString()) +
           (v.SoundLowTime ? " low" : "");
}

// The same values as the file on disk holds them, read without a flush; "-" where missing.
QString Stored(const TestUi& tp) {
    QFile file(tp.SettingsPath());
    const QString text = file.open(QIODevice::ReadOnly) ? QString(file.readAll()) : QString();
    QStringList values;
    for (const char* key : {"Language", "MouseButton1", "MouseButton2", "PlayerChange", "GameOver",
                            "LowTimeWarning", "LowTime"}) {
        const auto found = QRegularExpression(QString("(?m)^%1=(.*)$").arg(key)).match(text);
        values << (found.hasMatch() ? found.captured(1) : QStringLiteral("-"));
    }
    return values.join(' ');
}

} // namespace

// The general settings as the start-up loads them (asking for the language on
// the very first start), and the options dialog.
class OptionsTest : public QObject {
    Q_OBJECT

    // The main window after start-up with the settings file given (five
    // minutes each unless the file has a time).
    std::unique_ptr<UhrAnzeige> Start(TestUi& tp, const QByteArray& general) {
        if (!general.isNull())
            tp.WriteSettingsFile(general + "[Time]\nP1min=5\nP2min=5\n");
        auto window = std::make_unique<UhrAnzeige>(*tp.program, tp.services);
        window->Form_Load();
        return window;
    }
    // The options dialog on the program's values, its messages shown as message boxes.
    std::optional<GeneralChoice> ShowOptions(TestUi& tp) {
        MessageBoxes messages(tp.modal);
        Options dialog(CurrentGeneralChoice(tp.vars()), tp.vars().Strings, false, messages);
        tp.modal.Run(dialog);
        return dialog.Choice();
    }

private Q_SLOTS:
    void load_data() {
        QTest::addColumn<QByteArray>("general"); // null: the first start
        QTest::addColumn<QString>("button");     // what closes the first start's dialog
        QTest::addColumn<QString>("loaded");
        QTest::addColumn<QString>("atExit"); // the file after Exit
        const QByteArray first;
        const auto file = [](const char* language, const char* white, const char* black,
                             const char* change, const char* over) {
            return QString::asprintf("[General]\nLanguage=%s\nMouseButton1=%s\nMouseButton2=%s\n"
                                     "[Sounds]\nPlayerChange=%s\nGameOver=%s\n",
                                     language, white, black, change, over)
                .toUtf8();
        };
        // clang-format off
        QTest::newRow("first start, OK") << first << "ButtonOkay" << "1 32 32 0 0 Keys" << "1 32 32 0 0 - -";
        QTest::newRow("first start, Cancel") << first << "ButtonCancel" << "1 32 32 1 1 Keys" << "1 32 32 - - - -";
        QTest::newRow("first start, frame") << first << "" << "1 32 32 1 1 Keys" << "1 32 32 - - - -";
        // Exit writes back what was understood; the sound switches stay as they were.
        QTest::newRow("2 between blanks") << file("\" 2 \"", "65", "1", "True", "-1") << "" << "2 65 1 1 1 Tasten" << "2 65 1 True -1 - -";
        QTest::newRow("02 is English") << file("02", "abc", "0", "1", "0") << "" << "1 32 32 1 0 Keys" << "1 32 32 1 0 - -";
        QTest::newRow("False, garbage") << file("1", "32", "32", "False", "loud") << "" << "1 32 32 0 1 Keys" << "1 32 32 False loud - -";
        // Only blanks are trimmed: a tab (written escaped, as QSettings stores
        // it) or a no-break space is part of the value, and not empty.
        QTest::newRow("tab before 2") << file("\\t2", "32", "32", "1", "1") << "" << "1 32 32 1 1 Keys" << "1 32 32 1 1 - -";
        QTest::newRow("no-break space before 2") << file("\u00a02", "32", "32", "1", "1") << "" << "1 32 32 1 1 Keys" << "1 32 32 1 1 - -";
        QTest::newRow("a tab alone") << file("\\t", "32", "32", "1", "1") << "" << "1 32 32 1 1 Keys" << "1 32 32 1 1 - -";
        // Options that a file without them leaves off; out of range is off too.
        QTest::newRow("options on") << QByteArray("[General]\nLanguage=1\nFitToWindow=1\nLowTimeWarning=3600\n[Sounds]\nLowTime=1\n") << "" << "1 32 32 1 1 Keys fit 3600 low" << "1 32 32 - - 3600 1";
        QTest::newRow("warning too long") << QByteArray("[General]\nLanguage=1\nLowTimeWarning=3601\n") << "" << "1 32 32 1 1 Keys" << "1 32 32 - - - -";
        // clang-format on
    }
    void load() {
        QFETCH(QByteArray, general);
        QFETCH(QString, button);
        TestUi tp;
        tp.modal.Expect([&](QDialog& dialog) {
            // Nothing but the language is known yet.
            QCOMPARE(dialog.windowTitle(), u"Options");
            QCOMPARE(Child<QComboBox>(dialog, "SelectionLanguageCombo")->currentText(), u"English");
            QCOMPARE(Child<QLineEdit>(dialog, "TextKeyPlayer(1)")->text(), QString(QChar(0)));
            if (button.isEmpty())
                dialog.close();
            else
                test::ScriptedModalRunner::ClickButton(button)(dialog);
        });
        // Without a stored time the start-up asks for one next.
        tp.modal.Expect(test::ScriptedModalRunner::ClickButton(QStringLiteral("ButtonOkay")));
        auto window = Start(tp, general);
        QCOMPARE(tp.modal.Shown(), general.isNull() ? 2 : 0);
        QTEST(Loaded(tp.vars()), "loaded");
        window->close();
        QTEST(Stored(tp), "atExit");
    }

    // Control, Alt and F10 are refused with a message and keep the old key;
    // Return and Escape are keys here, not OK and Cancel.
    void keyPresses_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("key");
        QTest::addColumn<uint>("xKeycode");
        QTest::addColumn<int>("code");        // White's key after OK
        QTest::addColumn<QString>("refusal"); // empty: accepted
        const int en = LanguageEnglish, de = LanguageGerman;
        QTest::newRow("Shift") << en << int(Qt::Key_Shift) << 50u << 16 << "";
        QTest::newRow("Return") << en << int(Qt::Key_Return) << 36u << 13 << "";
        QTest::newRow("Escape") << en << int(Qt::Key_Escape) << 9u << 27 << "";
        QTest::newRow("F10") << en << int(Qt::Key_F10) << 76u << 32 << "Not allowed: F10";
        QTest::newRow("Alt") << en << int(Qt::Key_Alt) << 64u << 32 << "Not allowed: Alt";
        QTest::newRow("Strg") << de << int(Qt::Key_Control) << 37u << 32
                              << "Nicht zugelassen: Strg";
    }
    void keyPresses() {
        QFETCH(int, language);
        QFETCH(int, code);
        QFETCH(QString, refusal);
        TestUi tp;
        auto window = Start(tp, "[General]\nLanguage=" + QByteArray::number(language) + "\n");
        tp.modal.Expect([&](QDialog& dialog) {
            QLineEdit* box = Child<QLineEdit>(dialog, "TextKeyPlayer(1)");
            tp.modal.Expect([&](QDialog& shown) {
                auto* message = qobject_cast<QMessageBox*>(&shown);
                QVERIFY(message);
                QCOMPARE(message->windowTitle() + ": " + message->text(), "Velmora: " + refusal);
                QCOMPARE(message->icon(), QMessageBox::Warning);
                QCOMPARE(message->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
                message->accept();
            });
            QFETCH(int, key);
            QFETCH(uint, xKeycode);
            PressKey(box, key, xKeycode);
            QVERIFY2(dialog.isVisible(), "the key closed the dialog");
            QCOMPARE(box->text(), KeyName(code, language)); // a refused key keeps the old one
            QTest::mouseClick(Child(dialog, "ButtonOkay"), Qt::LeftButton);
        });
        const std::optional<GeneralChoice> choice = ShowOptions(tp);
        QCOMPARE(tp.modal.Pending(), std::size_t(refusal.isEmpty() ? 1 : 0));
        QCOMPARE(choice->KeyWhite, code);
    }

    // In German; neither Return nor Escape answers for OK or Cancel; a click
    // and a double click on a key box are presses; typing stays out of it.
    void germanDialog() {
        TestUi tp;
        auto window = Start(tp, "[General]\nLanguage=2\n");
        tp.modal.Expect([&](QDialog& dialog) {
            QStringList shown{dialog.windowTitle()};
            for (auto* frame : dialog.findChildren<QGroupBox*>())
                shown << frame->title();
            for (auto* control : dialog.findChildren<QAbstractButton*>())
                shown << control->text();
            for (auto* label : dialog.findChildren<QLabel*>())
                shown << label->text();
            QCOMPARE(shown.join('|'), "Optionen|Sprache|Sound|Tasten|Warnung bei wenig Zeit|"
                                      "Spielerwechsel|Ende der Zeit|Wenig Zeit|&Okay|&Abbruch|"
                                      "Spieler 1|Spieler 2|Sekunden (0 = aus)");
            QCOMPARE(Child<QComboBox>(dialog, "SelectionLanguageCombo")->currentText(), "Deutsch");
            QCOMPARE(Child(dialog, "TextKeyPlayer(2)")->accessibleName(), "Taste Spieler 2");
            for (const char* name : {"SelectionLanguageCombo", "CheckGameOver", "ButtonOkay",
                                     "ButtonCancel", "TextKeyPlayer(2)"}) {
                QWidget* control = Child(dialog, name);
                control->setFocus();
                PressKey(control, Qt::Key_Return, 36);
                PressKey(control, Qt::Key_Escape, 9);
                QVERIFY2(dialog.isVisible(), name);
            }
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            QLineEdit* box = Child<QLineEdit>(dialog, "TextKeyPlayer(1)");
            QTest::mouseClick(box, Qt::LeftButton);
            QVERIFY(box->hasFocus());
            QCOMPARE(box->text(), "Linke Maustaste");
            QTest::mouseDClick(box, Qt::RightButton);
            QCOMPARE(box->text(), "Rechte Maustaste");
            PressKey(box, Qt::Key_A, 38, "a");
            box->insert(QStringLiteral("pasted"));
            box->backspace();
            QCOMPARE(box->text(), "A");
            QTest::mouseClick(Child(dialog, "ButtonOkay"), Qt::LeftButton);
        });
        QCOMPARE(ShowOptions(tp)->KeyWhite, 65);
    }

    // OK applies and stores at once (the window shows the new language and
    // keys, the clock runs on); Cancel and the frame change nothing.
    void closing_data() {
        QTest::addColumn<QString>("button");    // empty: closed by the window frame
        QTest::addColumn<QStringList>("shown"); // menu File, status frame, keys
        const QStringList german{"&Datei", "Ihre zugewiesene Taste bet\u00e4tigt die Uhr!", "A",
                                 "Rechte Maustaste"};
        const QStringList english{"&File", "The assigned key switches the clock!", "Space",
                                  "Space"};
        QTest::newRow("OK") << "ButtonOkay" << german;
        QTest::newRow("Cancel") << "ButtonCancel" << english;
        QTest::newRow("window closed") << "" << english;
    }
    void closing() {
        QFETCH(QString, button);
        TestUi tp;
        auto window = Start(tp, "[General]\nLanguage=1\nMouseButton1=32\nMouseButton2=32\n");
        window->Form_KeyDown(32); // Black's key starts White's clock
        const QString whiteTime = Child<QLabel>(*window, "TimeLeft(0)")->text();
        const QByteArray before = tp.SettingsFileText();
        tp.modal.Expect([&](QDialog& dialog) {
            Child<QComboBox>(dialog, "SelectionLanguageCombo")->setCurrentIndex(1);
            Child<QCheckBox>(dialog, "CheckPlayerChange")->setChecked(false);
            Child<QLineEdit>(dialog, "TextLowTimeWarning")->setText(QStringLiteral("90"));
            Child<QCheckBox>(dialog, "CheckLowTime")->setChecked(true);
            PressKey(Child(dialog, "TextKeyPlayer(1)"), Qt::Key_A, 38, "a");
            QTest::mouseClick(Child(dialog, "TextKeyPlayer(2)"), Qt::RightButton);
            if (button.isEmpty())
                dialog.close();
            else
                QTest::mouseClick(Child(dialog, qPrintable(button)), Qt::LeftButton);
        });
        window->FileOptions_Click();
        QTEST((QStringList{Child<QMenu>(*window, "File")->title(),
                           Child<QGroupBox>(*window, "FrameAnzeige")->title(),
                           Child<QLabel>(*window, "PlayerKey(1)")->text(),
                           Child<QLabel>(*window, "PlayerKey(2)")->text()}),
              "shown");
        QCOMPARE(Child<QLabel>(*window, "TimeLeft(0)")->text(), whiteTime);
        QVERIFY(window->ClockRunning());
        QCOMPARE(tp.vars().SoundPlayerChange, button != u"ButtonOkay");
        QFile file(tp.SettingsPath()); // as it is on disk, without a flush
        QVERIFY(file.open(QIODevice::ReadOnly));
        if (button != "ButtonOkay")
            QCOMPARE(file.readAll(), before);
        else
            QCOMPARE(Stored(tp), u"2 65 2 0 1 90 1");
    }
};

QTEST_MAIN(OptionsTest)
#include "OptionsTest.moc"
