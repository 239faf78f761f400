#include "TestProgram.h"
#include "TimeControlAnswers.h"

#include "clock/UhrAnzeige.h"

#include <QDialog>
#include <QGroupBox>
#include <QTest>

#include <memory>

using namespace velmora;
using namespace velmora::test;

namespace {

constexpr std::int32_t kSpace = 32;
const QString kDialogName = QStringLiteral("UserSelection");
const QByteArray kGeneral = "[General]\nLanguage=1\nMouseButton1=32\nMouseButton2=32\n\n";
const QByteArray kFiveMinutes = "[Time]\nP1h=0\nP1min=5\nP1sec=0\nP2h=0\nP2min=5\nP2sec=0\n"
                                "ContinueRunning=0\nGameType=1\n";

} // namespace

class NewGameFlowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void start_up_with_stored_times_shows_no_dialog();
    void start_up_asks_when_a_time_is_zero_data();
    void start_up_asks_when_a_time_is_zero();
    void start_up_cannot_be_cancelled();
    void start_up_window_frame_leaves_an_empty_game();
    void new_game_okay_waits_for_black();
    void new_game_left_without_okay_plays_on_data();
    void new_game_left_without_okay_plays_on();
    void failed_save_is_told_once();

private:
    // The main window after start-up, with the settings file given.
    UhrAnzeige& Start(const QByteArray& settings);
    QString Status() const {
        return window->findChild<QGroupBox*>(QStringLiteral("FrameAnzeige"))->title();
    }
    int DialogsShown() const;

    std::unique_ptr<TestProgram> tp;
    std::unique_ptr<UhrAnzeige> window;
};

void NewGameFlowTest::init() {
    tp = std::make_unique<TestProgram>();
}

void NewGameFlowTest::cleanup() {
    QCOMPARE(tp->modal.Unanswered(), 0);
    QCOMPARE(tp->modal.Pending(), std::size_t(0));
    window.reset();
    tp.reset();
}

UhrAnzeige& NewGameFlowTest::Start(const QByteArray& settings) {
    tp->WriteSettingsFile(settings);
    window = std::make_unique<UhrAnzeige>(*tp->program);
    window->Form_Load();
    return *window;
}

int NewGameFlowTest::DialogsShown() const {
    int count = 0;
    for (const ShownDialog& shown : tp->modal.Shown())
        count += shown.objectName == kDialogName;
    return count;
}

void NewGameFlowTest::start_up_with_stored_times_shows_no_dialog() {
    Start(kGeneral + kFiveMinutes);
    QCOMPARE(DialogsShown(), 0);
    QCOMPARE(tp->vars().PlayerTime[White], (TimeAccount{0, 5, 0, 0}));
    QCOMPARE(tp->vars().PlayerTime[Black], (TimeAccount{0, 5, 0, 0}));
    QVERIFY(!window->ClockRunning());
    QCOMPARE(Status(), u"First, black has to press any key to start the game for white");
}

void NewGameFlowTest::start_up_asks_when_a_time_is_zero_data() {
    QTest::addColumn<QByteArray>("time");
    QTest::newRow("nothing stored") << QByteArray();
    QTest::newRow("White zero") << QByteArray("[Time]\nP2min=5\n");
    QTest::newRow("Black zero") << QByteArray("[Time]\nP1min=5\n");
    QTest::newRow("negative values are not zero")
        << QByteArray("[Time]\nP1h=-1\nP2sec=-1\n"); // never asked again
}

void NewGameFlowTest::start_up_asks_when_a_time_is_zero() {
    QFETCH(QByteArray, time);
    const bool expectDialog = !QByteArray(QTest::currentDataTag()).startsWith("negative");
    if (expectDialog)
        tp->modal.Expect(ChooseAndOkay(9));
    Start(kGeneral + time);

    QCOMPARE(DialogsShown(), expectDialog ? 1 : 0);
    if (expectDialog) {
        QCOMPARE(tp->vars().PlayerTime[White], (TimeAccount{1, 30, 0, 0}));
        QCOMPARE(tp->vars().PlayerTime[Black], (TimeAccount{1, 30, 0, 0}));
    }
    QVERIFY(!window->ClockRunning());
    QCOMPARE(tp->vars().CurrentPlayer, std::uint8_t(NoPlayer));
    QVERIFY(!tp->vars().StartingUp);
}

void NewGameFlowTest::start_up_cannot_be_cancelled() {
    TimeDialogView view;
    bool stillOpenAfterEscape = false;
    tp->modal.Expect([&](QDialog& dialog) {
        view = LookAt(dialog);
        QTest::keyClick(&dialog, Qt::Key_Escape);
        stillOpenAfterEscape = dialog.isVisible();
        ScriptedModalRunner::ClickButton(QStringLiteral("ButtonOkay"))(dialog);
    });
    Start(kGeneral);
    QVERIFY(!view.cancelEnabled);
    QVERIFY(stillOpenAfterEscape);
    QVERIFY(tp->vars().NewGameAccepted);
    QCOMPARE(tp->vars().PlayerTime[White], (TimeAccount{0, 15, 0, 0}));

    // Later, from the menu, Cancel can be pressed.
    tp->modal.Expect(
        LookThen(view, ScriptedModalRunner::ClickButton(QStringLiteral("ButtonCancel"))));
    window->FileNewGame_Click();
    QVERIFY(view.cancelEnabled);
}

void NewGameFlowTest::start_up_window_frame_leaves_an_empty_game() {
    // Closing the start-up dialog by its frame chooses nothing: the game is
    // ready with no time, nothing is stored, and no key starts it.
    tp->modal.Expect(ScriptedModalRunner::CloseWindow());
    Start(kGeneral);
    QCOMPARE(tp->modal.LeftOpen(), 0);
    QVERIFY(tp->vars().NewGameAccepted);
    QCOMPARE(tp->vars().PlayerTime[White], TimeAccount{});
    QCOMPARE(tp->vars().PlayerTime[Black], TimeAccount{});
    QCOMPARE(TimeSectionOnDisk(tp->SettingsPath()), (QMap<QString, QString>{}));
    QCOMPARE(Status(), u"First, black has to press any key to start the game for white");

    window->Form_KeyDown(kSpace);
    QCOMPARE(tp->vars().CurrentPlayer, std::uint8_t(NoPlayer));
    QVERIFY(!window->ClockRunning());

    // New Game from the menu sets one up.
    tp->modal.Expect(ChooseAndOkay(1));
    window->FileNewGame_Click();
    window->Form_KeyDown(kSpace);
    QCOMPARE(tp->vars().CurrentPlayer, std::uint8_t(White));
}

void NewGameFlowTest::new_game_okay_waits_for_black() {
    Start(kGeneral + kFiveMinutes);
    window->Form_KeyDown(kSpace);
    window->Engine().TimerClock_Timer();
    window->Form_KeyDown(kSpace);
    QCOMPARE(tp->vars().CurrentPlayer, std::uint8_t(Black));
    QVERIFY(window->ClockRunning());

    tp->modal.Expect(ChooseAndOkay(11, true));
    window->FileNewGame_Click();
    QVERIFY(!window->ClockRunning());
    QCOMPARE(tp->vars().CurrentPlayer, std::uint8_t(NoPlayer));
    QCOMPARE(tp->vars().PlayerTime[White], (TimeAccount{2, 30, 0, 0}));
    QCOMPARE(tp->vars().PlayerTime[Black], (TimeAccount{2, 30, 0, 0}));
    QVERIFY(tp->vars().ContinueRunning);
    QCOMPARE(Status(), u"First, black has to press any key to start the game for white");
    QCOMPARE(TimeSectionOnDisk(tp->SettingsPath()), StoredTimes(2, 30, 0, 2, 30, 0, 11, 1));

    window->Form_KeyDown(kSpace);
    QCOMPARE(tp->vars().CurrentPlayer, std::uint8_t(White));
}

void NewGameFlowTest::new_game_left_without_okay_plays_on_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Cancel") << "Cancel";
    QTest::newRow("Escape") << "Escape";
    QTest::newRow("window frame") << "window frame";
}

void NewGameFlowTest::new_game_left_without_okay_plays_on() {
    // An earlier OK must not make a later way out count as a new game.
    QFETCH(QString, how);
    Start(kGeneral + kFiveMinutes);
    tp->modal.Expect(ChooseAndOkay(2));
    window->FileNewGame_Click();
    window->Form_KeyDown(kSpace);
    for (int tick = 0; tick < 3; ++tick)
        window->Engine().TimerClock_Timer();
    const Variables before = tp->vars();
    const QByteArray fileBefore = tp->SettingsFileText();
    const QString statusBefore = Status();

    tp->modal.Expect(ChangeThenLeave(how));
    window->FileNewGame_Click();
    QVERIFY(window->ClockRunning());
    QCOMPARE(tp->vars().CurrentPlayer, std::uint8_t(White));
    QCOMPARE(tp->vars().PlayerTime, before.PlayerTime);
    QCOMPARE(tp->vars().ContinueRunning, before.ContinueRunning);
    QCOMPARE(Status(), statusBefore);
    QCOMPARE(tp->SettingsFileText(), fileBefore);

    // White's key still hands the clock to Black.
    window->Form_KeyDown(kSpace);
    QCOMPARE(tp->vars().CurrentPlayer, std::uint8_t(Black));

    // The next showing starts from the stored choice, not from the edits.
    TimeDialogView view;
    tp->modal.Expect(
        LookThen(view, ScriptedModalRunner::ClickButton(QStringLiteral("ButtonCancel"))));
    window->FileNewGame_Click();
    QCOMPARE(view.selected, 2);
    QCOMPARE(view.whiteBoxes, (QStringList{"0", "10", "0"}));
    QVERIFY(!view.continueChecked);
}

void NewGameFlowTest::failed_save_is_told_once() {
    // The settings folder is blocked by a file: nothing can be saved.
    QFile blocker(tp->dir_.filePath(QStringLiteral("blocked")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString path = tp->dir_.filePath(QStringLiteral("blocked/Velmora.ini"));
    tp->program.reset();
    tp->store = std::make_unique<SettingsStore>(path);
    tp->program = std::make_unique<Program>(*tp->store, tp->modal, tp->cues, tp->desktop);
    tp->store->WriteText(QStringLiteral("General"), QStringLiteral("Language"),
                         QStringLiteral("1"));

    tp->modal.Expect(ChooseAndOkay(3));
    tp->modal.Expect(ScriptedModalRunner::AcceptMessage());
    window = std::make_unique<UhrAnzeige>(*tp->program);
    window->Form_Load();
    QCOMPARE(tp->vars().PlayerTime[White], (TimeAccount{0, 15, 0, 0}));

    tp->modal.Expect(ChooseAndOkay(4));
    window->FileNewGame_Click();
    QCOMPARE(tp->vars().PlayerTime[White], (TimeAccount{0, 20, 0, 0}));

    QStringList messages;
    for (const ShownDialog& shown : tp->modal.Shown()) {
        if (shown.objectName == u"QMessageBox")
            messages << shown.text;
    }
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages.front().contains(path), qPrintable(messages.front()));
    QCOMPARE(DialogsShown(), 2);
}

QTEST_MAIN(NewGameFlowTest)
#include "NewGameFlowTest.moc"
