#include "options/ui/Options.h"

#include "clock/ui/UhrAnzeige.h"
#include "options/GeneralSettings.h"
#include "options/KeyName.h"

#include "state/ui/MessageBoxes.h"

#include "UiFakes.h"

#include <QtTest>
#include <QtWidgets>

using namespace velmora;
using velmora::test::TestUi;

namespace {

// After start-up in `language`: both keys Space, both sounds on, five minutes each.
void Start(TestUi& tp, int language = LanguageEnglish) {
    tp.WriteSettingsFile("[General]\nLanguage=" + QByteArray::number(language) +
                         "\nMouseButton1=32\nMouseButton2=32\n"
                         "[Time]\nP1h=0\nP1min=5\nP1sec=0\nP2h=0\nP2min=5\nP2sec=0\n");
    LoadGeneralSettings(*tp.program);
}

// The options dialog on the program's values, its messages shown as message boxes.
std::optional<GeneralChoice> ShowOptions(TestUi& tp) {
    MessageBoxes messages(tp.modal);
    Options dialog(CurrentGeneralChoice(tp.vars()), tp.vars().Strings, false, messages);
    tp.modal.Run(dialog);
    return dialog.Choice();
}

template <typename T = QWidget> T* Child(QWidget& parent, const char* name) {
    T* child = parent.findChild<T*>(QString::fromLatin1(name));
    return child ? child : (qFatal("no child %s", name), nullptr);
}

// Presses a key as X11 delivers it (X keycode = evdev code + 8).
void PressKey(QWidget* target, int key, quint32 xKeycode, const QString& text = QString()) {
    QApplication::sendEvent(target, test::NativeKeyPress(key, {}, xKeycode, text).get());
}

} // namespace

class OptionsDialogTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void keyPresses_data();
    void keyPresses();
    void germanDialog();
    void closing_data();
    void closing();
};

void OptionsDialogTest::keyPresses_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("key");
    QTest::addColumn<uint>("xKeycode");
    QTest::addColumn<int>("code");        // White's key after OK
    QTest::addColumn<QString>("refusal"); // empty: accepted
    const int en = LanguageEnglish, de = LanguageGerman;
    QTest::newRow("Shift") << en << int(Qt::Key_Shift) << 50u << 16 << "";
    // Return and Escape are keys here, not OK and Cancel.
    QTest::newRow("Return") << en << int(Qt::Key_Return) << 36u << 13 << "";
    QTest::newRow("Escape") << en << int(Qt::Key_Escape) << 9u << 27 << "";
    QTest::newRow("F10") << en << int(Qt::Key_F10) << 76u << 32 << "Not allowed: F10";
    QTest::newRow("Alt") << en << int(Qt::Key_Alt) << 64u << 32 << "Not allowed: Alt";
    QTest::newRow("Control") << en << int(Qt::Key_Control) << 37u << 32 << "Not allowed: Control";
    QTest::newRow("Strg") << de << int(Qt::Key_Control) << 37u << 32 << "Nicht zugelassen: Strg";
    QTest::newRow("F10, German") << de << int(Qt::Key_F10) << 76u << 32 << "Nicht zugelassen: F10";
}

void OptionsDialogTest::keyPresses() {
    QFETCH(int, language);
    QFETCH(int, code);
    QFETCH(QString, refusal);
    TestUi tp;
    Start(tp, language);
    tp.modal.Expect([&](QDialog& dialog) {
        QLineEdit* box = Child<QLineEdit>(dialog, "TextKeyPlayer(1)");
        tp.modal.Expect([&](QDialog& shown) {
            auto* message = qobject_cast<QMessageBox*>(&shown);
            QVERIFY(message);
            QCOMPARE(message->windowTitle(), QStringLiteral("Velmora"));
            QCOMPARE(message->text(), refusal);
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

    // The answer kept for a message is used only if the key was refused.
    QCOMPARE(tp.modal.Pending(), std::size_t(refusal.isEmpty() ? 1 : 0));
    QCOMPARE(choice->KeyWhite, code);
}

void OptionsDialogTest::germanDialog() {
    TestUi tp;
    Start(tp, LanguageGerman);
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
        // Neither Return nor Escape answers for OK or Cancel.
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
        // The click that puts the focus into the box is a press on it.
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(box->hasFocus());
        QCOMPARE(box->text(), "Linke Maustaste");
        // The second press of a double click is a press too.
        QTest::mouseDClick(box, Qt::RightButton);
        QCOMPARE(box->text(), "Rechte Maustaste");
        // Neither the letter typed with a key nor a paste or deletion stays in the box.
        PressKey(box, Qt::Key_A, 38, "a");
        box->insert(QStringLiteral("pasted"));
        box->backspace();
        box->clear();
        QCOMPARE(box->text(), "A");
        QTest::mouseClick(Child(dialog, "ButtonOkay"), Qt::LeftButton);
    });
    QCOMPARE(ShowOptions(tp)->KeyWhite, 65);
}

void OptionsDialogTest::closing_data() {
    QTest::addColumn<QString>("button"); // empty: closed by the window frame
    QTest::addColumn<bool>("gameRunning");
    QTest::addColumn<QStringList>("shown"); // menu File, status frame, keys
    const QStringList german{"&Datei", "Ihre zugewiesene Taste bet\u00e4tigt die Uhr!", "A",
                             "Rechte Maustaste"};
    const QStringList english{"&File", "The assigned key switches the clock!", "Space", "Space"};
    QTest::newRow("OK") << "ButtonOkay" << true << german;
    QTest::newRow("Cancel") << "ButtonCancel" << false << english;
    QTest::newRow("window closed") << "" << true << english;
}

void OptionsDialogTest::closing() {
    QFETCH(QString, button);
    QFETCH(bool, gameRunning);
    TestUi tp;
    Start(tp);
    UhrAnzeige window(*tp.program, tp.services);
    window.Form_Load();
    window.show();
    if (gameRunning)
        window.Form_KeyDown(32); // Black's key starts White's clock
    QCOMPARE(window.ClockRunning(), gameRunning);
    const QString whiteTime = Child<QLabel>(window, "TimeLeft(0)")->text();
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
    window.FileOptions_Click();

    QTEST((QStringList{Child<QMenu>(window, "File")->title(),
                       Child<QGroupBox>(window, "FrameAnzeige")->title(),
                       Child<QLabel>(window, "PlayerKey(1)")->text(),
                       Child<QLabel>(window, "PlayerKey(2)")->text()}),
          "shown");
    QCOMPARE(Child<QLabel>(window, "TimeLeft(0)")->text(), whiteTime);
    QCOMPARE(window.ClockRunning(), gameRunning);
    QCOMPARE(tp.modal.LeftOpen(), 0);

    // OK stores at once, not only at Exit; otherwise nothing changes.
    if (button != "ButtonOkay") {
        QVERIFY(tp.vars().SoundPlayerChange);
        QCOMPARE(tp.SettingsFileText(), before);
        return;
    }
    QVERIFY(!tp.vars().SoundPlayerChange);
    QFile file(tp.SettingsPath()); // as it is on disk, without a flush
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray onDisk = file.readAll();
    for (const char* line : {"Language=2", "MouseButton1=65", "MouseButton2=2", "PlayerChange=0",
                             "GameOver=1", "LowTimeWarning=90", "LowTime=1"})
        QVERIFY2(onDisk.contains(line), line);
}

QTEST_MAIN(OptionsDialogTest)
#include "OptionsDialogTest.moc"
