#include "options/Options.h"

#include "clock/UhrAnzeige.h"
#include "options/KeyRules.h"

#include "NativeKeys.h"
#include "TestProgram.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace velmora;
using velmora::test::NativeKeyPress;
using velmora::test::ScriptedModalRunner;
using velmora::test::TestProgram;

namespace {

const QByteArray kEnglishSpace = "[General]\nLanguage=1\nMouseButton1=32\nMouseButton2=32\n"
                                 "[Sounds]\nPlayerChange=1\nGameOver=1\n"
                                 "[Time]\nP1h=0\nP1min=5\nP1sec=0\nP2h=0\nP2min=5\nP2sec=0\n"
                                 "ContinueRunning=0\nGameType=1\n";

// A program as it runs after start-up: English, both keys Space, both sounds on.
void StartEnglish(TestProgram& tp) {
    tp.WriteSettingsFile(kEnglishSpace);
    Variables& vars = tp.vars();
    vars.Strings.SetLanguage(LanguageEnglish);
    vars.KeyWhite = 32;
    vars.KeyBlack = 32;
    vars.SoundPlayerChange = true;
    vars.SoundGameOver = true;
}

template <typename T> T* Child(QWidget& parent, const char* name) {
    T* child = parent.findChild<T*>(QString::fromLatin1(name));
    if (!child)
        qFatal("no child %s", name);
    return child;
}

QLineEdit* KeyBoxOf(QWidget& dialog, int player) {
    return Child<QLineEdit>(dialog, player == White ? "TextKeyPlayer(1)" : "TextKeyPlayer(2)");
}

// Presses and releases a key as X11 delivers it, straight to `target`.
void PressKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers, quint32 xKeycode,
              const QString& text = QString()) {
    auto press = NativeKeyPress(key, modifiers, xKeycode, text);
    QApplication::sendEvent(target, press.get());
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, xKeycode, 0, 0, text);
    QApplication::sendEvent(target, &release);
}

// X keycodes (evdev + 8) of the keys the tests press.
constexpr quint32 kXEscape = 9, kXOne = 10, kXBackspace = 22, kXTab = 23, kXReturn = 36,
                  kXControl = 37, kXA = 38, kXL = 46, kXShift = 50, kXAlt = 64, kXF10 = 76,
                  kXKeypadEnter = 104, kXAltGr = 108;

} // namespace

class OptionsDialogTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void captions_data();
    void captions();
    void keyPresses_data();
    void keyPresses();
    void refusalMessage_data();
    void refusalMessage();
    void mousePresses_data();
    void mousePresses();
    void clickIntoBoxThenKey();
    void editsAreUndone_data();
    void editsAreUndone();
    void returnAndEscapeDoNotCloseTheDialog_data();
    void returnAndEscapeDoNotCloseTheDialog();
    void tabMovesThroughTheControls();
    void okStoresEverythingAtOnce();
    void cancelChangesNothing_data();
    void cancelChangesNothing();
    void mainWindowAfterOptions_data();
    void mainWindowAfterOptions();
    void mainWindowShowsKeyNamesAtStartUp_data();
    void mainWindowShowsKeyNamesAtStartUp();
};

void OptionsDialogTest::captions_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("texts"); // window, frames, check boxes, labels, buttons
    QTest::addColumn<QString>("selected");
    QTest::newRow("English") << int(LanguageEnglish)
                             << QStringList{"Options",       "Language",  "Sound",    "Keys",
                                            "Player change", "Time over", "Player 1", "Player 2",
                                            "&Okay",         "&Cancel"}
                             << "English";
    QTest::newRow("German") << int(LanguageGerman)
                            << QStringList{"Optionen",  "Sprache",        "Sound",
                                           "Tasten",    "Spielerwechsel", "Ende der Zeit",
                                           "Spieler 1", "Spieler 2",      "&Okay",
                                           "&Abbruch"}
                            << "Deutsch";
}

void OptionsDialogTest::captions() {
    QFETCH(int, language);
    QFETCH(QStringList, texts);
    QFETCH(QString, selected);
    TestProgram tp;
    StartEnglish(tp);
    tp.vars().Strings.SetLanguage(language);
    Options dialog(*tp.program);

    const QStringList shown{
        dialog.windowTitle(),
        Child<QGroupBox>(dialog, "SelectionLanguage")->title(),
        Child<QGroupBox>(dialog, "Sounds")->title(),
        Child<QGroupBox>(dialog, "Keys")->title(),
        Child<QCheckBox>(dialog, "CheckPlayerChange")->text(),
        Child<QCheckBox>(dialog, "CheckGameOver")->text(),
        Child<QLabel>(dialog, "LabelKeyPlayer(1)")->text(),
        Child<QLabel>(dialog, "LabelKeyPlayer(2)")->text(),
        Child<QPushButton>(dialog, "ButtonOkay")->text(),
        Child<QPushButton>(dialog, "ButtonCancel")->text(),
    };
    QCOMPARE(shown, texts);
    auto* combo = Child<QComboBox>(dialog, "SelectionLanguageCombo");
    QCOMPARE(combo->currentText(), selected);
    QCOMPARE(combo->count(), 2);
    QCOMPARE(combo->itemText(0), QStringLiteral("English"));
    QCOMPARE(combo->itemText(1), QStringLiteral("Deutsch"));
    const QString space = language == LanguageGerman ? "Leertaste" : "Space";
    QCOMPARE(KeyBoxOf(dialog, White)->text(), space);
    QCOMPARE(KeyBoxOf(dialog, Black)->text(), space);
}

void OptionsDialogTest::keyPresses_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<uint>("xKeycode");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expectedCode");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("refusal"); // empty: accepted

    const int none = Qt::NoModifier;
    QTest::newRow("A") << int(Qt::Key_A) << none << kXA << "a" << 65 << "A"
                       << "";
    QTest::newRow("Shift") << int(Qt::Key_Shift) << int(Qt::ShiftModifier) << kXShift << "" << 16
                           << "Shift"
                           << "";
    QTest::newRow("Shift+1 is 1") << int(Qt::Key_Exclam) << int(Qt::ShiftModifier) << kXOne << "!"
                                  << 49 << "1"
                                  << "";
    QTest::newRow("Return") << int(Qt::Key_Return) << none << kXReturn << "\r" << 13 << "Return"
                            << "";
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << kXKeypadEnter
                                  << "\r" << 13 << "Return"
                                  << "";
    QTest::newRow("Escape") << int(Qt::Key_Escape) << none << kXEscape << "\x1b" << 27 << "Escape"
                            << "";
    QTest::newRow("Backspace") << int(Qt::Key_Backspace) << none << kXBackspace << "\b" << 8
                               << "Backspace"
                               << "";
    QTest::newRow("F10 refused") << int(Qt::Key_F10) << none << kXF10 << "" << 32 << "Space"
                                 << "Not allowed: F10";
    QTest::newRow("Alt refused") << int(Qt::Key_Alt) << int(Qt::AltModifier) << kXAlt << "" << 32
                                 << "Space"
                                 << "Not allowed: Alt";
    QTest::newRow("AltGr refused") << int(Qt::Key_AltGr) << none << kXAltGr << "" << 32 << "Space"
                                   << "Not allowed: Alt";
    QTest::newRow("Control refused")
        << int(Qt::Key_Control) << int(Qt::ControlModifier) << kXControl << "" << 32 << "Space"
        << "Not allowed: Control";
    QTest::newRow("key without a code")
        << int(Qt::Key_LaunchMail) << none << 0u << "" << 32 << "Space"
        << "";
}

void OptionsDialogTest::keyPresses() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(uint, xKeycode);
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QFETCH(QString, refusal);
    TestProgram tp;
    StartEnglish(tp);
    tp.modal.Expect([&](QDialog& dialog) {
        QLineEdit* box = KeyBoxOf(dialog, White);
        box->setFocus();
        if (!refusal.isEmpty())
            tp.modal.Expect(ScriptedModalRunner::AcceptMessage());
        PressKey(box, key, Qt::KeyboardModifiers(modifiers), xKeycode, text);
        QVERIFY2(dialog.isVisible(), "the key closed the dialog");
        QCOMPARE(box->text(), shown);
        QCOMPARE(KeyBoxOf(dialog, Black)->text(), QStringLiteral("Space"));
        QTest::mouseClick(Child<QPushButton>(dialog, "ButtonOkay"), Qt::LeftButton);
    });
    ShowOptionsDialog(*tp.program, nullptr);

    QCOMPARE(tp.modal.Unanswered(), 0);
    QCOMPARE(tp.modal.Pending(), std::size_t(0));
    QCOMPARE(tp.modal.Shown().size(), refusal.isEmpty() ? std::size_t(1) : std::size_t(2));
    if (!refusal.isEmpty())
        QCOMPARE(tp.modal.Shown()[1].text, refusal);
    QTEST(tp.vars().KeyWhite, "expectedCode");
    QCOMPARE(tp.vars().KeyBlack, 32);
}

void OptionsDialogTest::refusalMessage_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    QTest::newRow("Control") << int(LanguageEnglish) << 17 << "Not allowed: Control";
    QTest::newRow("Alt") << int(LanguageEnglish) << 18 << "Not allowed: Alt";
    QTest::newRow("F10") << int(LanguageEnglish) << 121 << "Not allowed: F10";
    QTest::newRow("Strg") << int(LanguageGerman) << 17 << "Nicht zugelassen: Strg";
    QTest::newRow("Alt, German") << int(LanguageGerman) << 18 << "Nicht zugelassen: Alt";
    QTest::newRow("F10, German") << int(LanguageGerman) << 121 << "Nicht zugelassen: F10";
    QTest::newRow("language never set") << 0 << 17 << "Not allowed: Control";
}

void OptionsDialogTest::refusalMessage() {
    QFETCH(int, language);
    QFETCH(int, code);
    QFETCH(QString, text);
    TestProgram tp;
    if (language != 0)
        tp.vars().Strings.SetLanguage(language);
    bool inspected = false;
    tp.modal.Expect([&](QDialog& dialog) {
        auto* box = qobject_cast<QMessageBox*>(&dialog);
        QVERIFY(box);
        QCOMPARE(box->windowTitle(), QStringLiteral("Velmora"));
        QCOMPARE(box->text(), text);
        QCOMPARE(box->icon(), QMessageBox::Warning);
        QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
        inspected = true;
        box->accept();
    });
    ShowKeyNotAllowed(*tp.program, code);
    QVERIFY(inspected);
}

void OptionsDialogTest::mousePresses_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("doubleClick");
    QTest::addColumn<int>("expectedCode");
    QTest::addColumn<QString>("shown");
    QTest::newRow("left") << int(Qt::LeftButton) << false << 1 << "Left mouse button";
    QTest::newRow("right") << int(Qt::RightButton) << false << 2 << "Right mouse button";
    QTest::newRow("middle") << int(Qt::MiddleButton) << false << 4 << "Middle mouse button";
    QTest::newRow("right, double click")
        << int(Qt::RightButton) << true << 2 << "Right mouse button";
    QTest::newRow("back button ignored") << int(Qt::BackButton) << false << 32 << "Space";
}

void OptionsDialogTest::mousePresses() {
    QFETCH(int, button);
    QFETCH(bool, doubleClick);
    QFETCH(QString, shown);
    TestProgram tp;
    StartEnglish(tp);
    tp.modal.Expect([&](QDialog& dialog) {
        QLineEdit* box = KeyBoxOf(dialog, Black);
        if (doubleClick)
            QTest::mouseDClick(box, Qt::MouseButton(button));
        else
            QTest::mouseClick(box, Qt::MouseButton(button));
        QCOMPARE(box->text(), shown);
        QTest::mouseClick(Child<QPushButton>(dialog, "ButtonOkay"), Qt::LeftButton);
    });
    ShowOptionsDialog(*tp.program, nullptr);

    QCOMPARE(tp.modal.Shown().size(), std::size_t(1)); // no menu, no message
    QTEST(tp.vars().KeyBlack, "expectedCode");
    QCOMPARE(tp.vars().KeyWhite, 32);
}

void OptionsDialogTest::clickIntoBoxThenKey() {
    TestProgram tp;
    StartEnglish(tp);
    tp.vars().Strings.SetLanguage(LanguageGerman);
    Options dialog(*tp.program);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QLineEdit* box = KeyBoxOf(dialog, White);
    QVERIFY(!box->hasFocus());

    // The click that puts the focus into the box is a press on it.
    QTest::mouseClick(box, Qt::LeftButton);
    QVERIFY(box->hasFocus());
    QCOMPARE(box->text(), QStringLiteral("Linke Maustaste"));

    // The letter typed with the key does not stay in the box.
    PressKey(box, Qt::Key_A, Qt::NoModifier, kXA, QStringLiteral("a"));
    QCOMPARE(box->text(), QStringLiteral("A"));
    PressKey(box, Qt::Key_L, Qt::ShiftModifier, kXL, QStringLiteral("L"));
    QCOMPARE(box->text(), QStringLiteral("L"));
}

void OptionsDialogTest::editsAreUndone_data() {
    QTest::addColumn<QString>("edit");
    QTest::newRow("paste") << "paste";
    QTest::newRow("clear") << "clear";
    QTest::newRow("backspace") << "backspace";
    QTest::newRow("replace") << "replace";
}

void OptionsDialogTest::editsAreUndone() {
    QFETCH(QString, edit);
    TestProgram tp;
    StartEnglish(tp);
    tp.vars().KeyWhite = 65;
    tp.modal.Expect([&](QDialog& dialog) {
        QLineEdit* box = KeyBoxOf(dialog, White);
        QCOMPARE(box->text(), QStringLiteral("A"));
        box->setFocus();
        box->end(false);
        if (edit == "paste")
            box->insert(QStringLiteral("pasted"));
        else if (edit == "clear")
            box->clear();
        else if (edit == "backspace")
            box->backspace();
        else
            box->setText(QStringLiteral("Q"));
        QCOMPARE(box->text(), QStringLiteral("A"));
        QTest::mouseClick(Child<QPushButton>(dialog, "ButtonOkay"), Qt::LeftButton);
    });
    ShowOptionsDialog(*tp.program, nullptr);
    QCOMPARE(tp.vars().KeyWhite, 65);
}

void OptionsDialogTest::returnAndEscapeDoNotCloseTheDialog_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("key");
    QTest::addColumn<uint>("xKeycode");
    QTest::newRow("Escape in the language list")
        << "SelectionLanguageCombo" << int(Qt::Key_Escape) << kXEscape;
    QTest::newRow("Return in the language list")
        << "SelectionLanguageCombo" << int(Qt::Key_Return) << kXReturn;
    QTest::newRow("Escape on a check box") << "CheckGameOver" << int(Qt::Key_Escape) << kXEscape;
    QTest::newRow("Return on a check box") << "CheckGameOver" << int(Qt::Key_Return) << kXReturn;
    QTest::newRow("Escape on Cancel") << "ButtonCancel" << int(Qt::Key_Escape) << kXEscape;
    QTest::newRow("Return on Okay") << "ButtonOkay" << int(Qt::Key_Return) << kXReturn;
    QTest::newRow("Return on Cancel") << "ButtonCancel" << int(Qt::Key_Return) << kXReturn;
}

void OptionsDialogTest::returnAndEscapeDoNotCloseTheDialog() {
    QFETCH(QString, control);
    QFETCH(int, key);
    QFETCH(uint, xKeycode);
    TestProgram tp;
    StartEnglish(tp);
    const QByteArray before = tp.SettingsFileText();
    Options dialog(*tp.program);
    QSignalSpy finished(&dialog, &QDialog::finished);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* target = dialog.findChild<QWidget*>(control);
    QVERIFY(target);
    target->setFocus();
    PressKey(target, key, Qt::NoModifier, xKeycode);
    QVERIFY(dialog.isVisible());
    QCOMPARE(finished.count(), 0);
    QCOMPARE(tp.SettingsFileText(), before);
}

void OptionsDialogTest::tabMovesThroughTheControls() {
    TestProgram tp;
    StartEnglish(tp);
    Options dialog(*tp.program);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));

    const QStringList order{"SelectionLanguageCombo", "CheckPlayerChange",     "CheckGameOver",
                            "TextKeyPlayer(1)",       "TextKeyPlayer(2)",      "ButtonOkay",
                            "ButtonCancel",           "SelectionLanguageCombo"};
    QCOMPARE(QApplication::focusWidget()->objectName(), order.front());
    for (qsizetype i = 1; i < order.size(); ++i) {
        PressKey(QApplication::focusWidget(), Qt::Key_Tab, Qt::NoModifier, kXTab, "\t");
        QCOMPARE(QApplication::focusWidget()->objectName(), order[i]);
    }
    // Tab in a key box moves on and does not become the key.
    QCOMPARE(KeyBoxOf(dialog, White)->text(), QStringLiteral("Space"));
    QCOMPARE(KeyBoxOf(dialog, Black)->text(), QStringLiteral("Space"));
}

void OptionsDialogTest::okStoresEverythingAtOnce() {
    TestProgram tp;
    StartEnglish(tp);
    tp.modal.Expect([&](QDialog& dialog) {
        Child<QComboBox>(dialog, "SelectionLanguageCombo")->setCurrentIndex(1);
        Child<QCheckBox>(dialog, "CheckPlayerChange")->setChecked(false);
        PressKey(KeyBoxOf(dialog, White), Qt::Key_A, Qt::NoModifier, kXA, "a");
        QTest::mouseClick(KeyBoxOf(dialog, Black), Qt::RightButton);
        QTest::mouseClick(Child<QPushButton>(dialog, "ButtonOkay"), Qt::LeftButton);
    });
    ShowOptionsDialog(*tp.program, nullptr);

    const Variables& vars = tp.vars();
    QCOMPARE(vars.Strings.GetLanguage(), int(LanguageGerman));
    QCOMPARE(vars.Text(TxtMenuFile), QStringLiteral("&Datei"));
    QVERIFY(!vars.SoundPlayerChange);
    QVERIFY(vars.SoundGameOver);
    QCOMPARE(vars.KeyWhite, 65);
    QCOMPARE(vars.KeyBlack, 2);

    // Stored at once, not only at exit.
    auto store = tp.ReopenStore();
    const auto stored = [&](const char* section, const char* key) {
        return store->ReadText(QString::fromLatin1(section), QString::fromLatin1(key));
    };
    QCOMPARE(stored("General", "Language"), QStringLiteral("2"));
    QCOMPARE(stored("General", "MouseButton1"), QStringLiteral("65"));
    QCOMPARE(stored("General", "MouseButton2"), QStringLiteral("2"));
    QCOMPARE(stored("Sounds", "PlayerChange"), QStringLiteral("0"));
    QCOMPARE(stored("Sounds", "GameOver"), QStringLiteral("1"));
}

void OptionsDialogTest::cancelChangesNothing_data() {
    QTest::addColumn<bool>("byWindowFrame");
    QTest::newRow("Cancel") << false;
    QTest::newRow("window closed") << true;
}

void OptionsDialogTest::cancelChangesNothing() {
    QFETCH(bool, byWindowFrame);
    TestProgram tp;
    StartEnglish(tp);
    const QByteArray before = tp.SettingsFileText();
    tp.modal.Expect([&](QDialog& dialog) {
        Child<QComboBox>(dialog, "SelectionLanguageCombo")->setCurrentIndex(1);
        Child<QCheckBox>(dialog, "CheckPlayerChange")->setChecked(false);
        Child<QCheckBox>(dialog, "CheckGameOver")->setChecked(false);
        PressKey(KeyBoxOf(dialog, White), Qt::Key_A, Qt::NoModifier, kXA, "a");
        QTest::mouseClick(KeyBoxOf(dialog, Black), Qt::MiddleButton);
        if (byWindowFrame)
            dialog.close();
        else
            QTest::mouseClick(Child<QPushButton>(dialog, "ButtonCancel"), Qt::LeftButton);
    });
    ShowOptionsDialog(*tp.program, nullptr);

    const Variables& vars = tp.vars();
    QCOMPARE(tp.modal.LeftOpen(), 0);
    QCOMPARE(vars.Strings.GetLanguage(), int(LanguageEnglish));
    QCOMPARE(vars.Text(TxtMenuFile), QStringLiteral("&File"));
    QVERIFY(vars.SoundPlayerChange);
    QVERIFY(vars.SoundGameOver);
    QCOMPARE(vars.KeyWhite, 32);
    QCOMPARE(vars.KeyBlack, 32);
    QCOMPARE(tp.SettingsFileText(), before);
}

void OptionsDialogTest::mainWindowAfterOptions_data() {
    QTest::addColumn<bool>("okay");
    QTest::addColumn<bool>("gameRunning");
    QTest::addColumn<QStringList>("captions"); // File, New Game, Options, Exit, About, status
    QTest::addColumn<QString>("whiteKey");
    const QStringList english{"&File", "&New Game",         "&Options",
                              "&Exit", "&About Velmora...", "The assigned key switches the clock!"};
    const QStringList german{
        "&Datei",   "&Neues Spiel",          "&Optionen",
        "&Beenden", "&\u00dcber Velmora...", "Ihre zugewiesene Taste bet\u00e4tigt die Uhr!"};
    QTest::newRow("OK with Deutsch, clock running") << true << true << german << "A";
    QTest::newRow("OK with Deutsch, clock waiting") << true << false << german << "A";
    QTest::newRow("Cancel, clock running") << false << true << english << "Space";
}

void OptionsDialogTest::mainWindowAfterOptions() {
    QFETCH(bool, okay);
    QFETCH(bool, gameRunning);
    QFETCH(QStringList, captions);
    QFETCH(QString, whiteKey);
    TestProgram tp;
    tp.WriteSettingsFile(kEnglishSpace);
    UhrAnzeige window(*tp.program);
    window.Form_Load();
    window.show();
    if (gameRunning)
        window.Form_KeyDown(32); // Black's key starts White's clock
    QCOMPARE(window.ClockRunning(), gameRunning);
    const QString whiteTime = Child<QLabel>(window, "TimeLeft(0)")->text();

    tp.modal.Expect([&](QDialog& dialog) {
        Child<QComboBox>(dialog, "SelectionLanguageCombo")->setCurrentIndex(1);
        PressKey(KeyBoxOf(dialog, White), Qt::Key_A, Qt::NoModifier, kXA, "a");
        const char* button = okay ? "ButtonOkay" : "ButtonCancel";
        QTest::mouseClick(Child<QPushButton>(dialog, button), Qt::LeftButton);
    });
    window.FileOptions_Click();

    QCOMPARE(tp.modal.Shown().size(), std::size_t(1));
    const QStringList shown{
        Child<QMenu>(window, "File")->title(),
        Child<QAction>(window, "FileNewGame")->text(),
        Child<QAction>(window, "FileOptions")->text(),
        Child<QAction>(window, "FileQuit")->text(),
        Child<QAction>(window, "HelpTopicAbout")->text(),
        Child<QGroupBox>(window, "FrameAnzeige")->title(),
    };
    QCOMPARE(shown, captions);
    QCOMPARE(Child<QLabel>(window, "PlayerKey(1)")->text(), whiteKey);
    QCOMPARE(Child<QLabel>(window, "PlayerKey(2)")->text(),
             okay ? QStringLiteral("Leertaste") : QStringLiteral("Space"));
    QCOMPARE(Child<QLabel>(window, "TimeLeft(0)")->text(), whiteTime);
    QCOMPARE(window.ClockRunning(), gameRunning);
    QCOMPARE(tp.ReopenStore()->ReadText("General", "Language"), okay ? "2" : "1");
}

void OptionsDialogTest::mainWindowShowsKeyNamesAtStartUp_data() {
    QTest::addColumn<QByteArray>("general");
    QTest::addColumn<QString>("whiteKey");
    QTest::addColumn<QString>("blackKey");
    QTest::newRow("English") << QByteArray("Language=1\nMouseButton1=65\nMouseButton2=1\n") << "A"
                             << "Left mouse button";
    QTest::newRow("German") << QByteArray("Language=2\nMouseButton1=32\nMouseButton2=13\n")
                            << "Leertaste"
                            << "Return";
    QTest::newRow("unreadable keys")
        << QByteArray("Language=1\nMouseButton1=abc\nMouseButton2=0\n") << "Space"
        << "Space";
}

void OptionsDialogTest::mainWindowShowsKeyNamesAtStartUp() {
    QFETCH(QByteArray, general);
    QFETCH(QString, whiteKey);
    QFETCH(QString, blackKey);
    TestProgram tp;
    tp.WriteSettingsFile("[General]\n" + general +
                         "[Time]\nP1h=0\nP1min=5\nP1sec=0\nP2h=0\nP2min=5\nP2sec=0\n");
    UhrAnzeige window(*tp.program);
    window.Form_Load();
    QVERIFY(tp.modal.Shown().empty());
    QCOMPARE(Child<QLabel>(window, "PlayerKey(1)")->text(), whiteKey);
    QCOMPARE(Child<QLabel>(window, "PlayerKey(2)")->text(), blackKey);
}

QTEST_MAIN(OptionsDialogTest)
#include "OptionsDialogTest.moc"
