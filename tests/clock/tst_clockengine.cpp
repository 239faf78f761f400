#include "clock/ClockEngine.h"
#include "clock/ClockHost.h"
#include "state/SettingsStore.h"

#include "Printers.h"

#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <limits>

using namespace velmora;

namespace {

// The window around the engine, reduced to what the engine can see.
class FakeHost final : public ClockHost {
public:
    bool ClockRunning() const override { return running; }
    void SetClockRunning(bool value) override { running = value; }
    int TimerInterval() const override { return 100; }
    void ShowTimes() override { ++timesShown; }
    void ShowTurn(std::uint8_t player, bool forced, const QString& message) override {
        turns.push_back(player);
        status = forced ? message + QStringLiteral(" ") + QString::number(player) : QString();
    }
    void SetStatus(const QString& text) override { status = text; }
    void ShowTimeControlDialog() override {
        ++dialogsShown;
        if (answerDialog)
            answerDialog();
    }
    void PlayCue(Cue cue) override { cues.push_back(cue); }

    bool running = false;
    int timesShown = 0;
    std::vector<std::uint8_t> turns;
    QString status;
    int dialogsShown = 0;
    std::function<void()> answerDialog;
    std::vector<Cue> cues;
};

constexpr std::int32_t kSpace = 32;
constexpr std::int32_t kKeyA = 65;
constexpr std::int32_t kKeyL = 76;

} // namespace

class TestClockEngine : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void firstTicksOfFiveMinutes();
    void borrowChains_data();
    void borrowChains();
    void extremeAccountsStayDefined_data();
    void extremeAccountsStayDefined();
    void gameEndsOneTickAfterZero();
    void blackStartsWhitesClock();
    void onlyTheRightKeyHandsOver_data();
    void onlyTheRightKeyHandsOver();
    void sameKeyForBothHandsOverEveryTime();
    void readyIgnoresBlackWhenWhiteHasNoTime();
    void pressesAreIgnoredWhenOver();
    void forcedHandOverWithContinueRunning();
    void continueRunningEndsWhenBothAreOver();
    void cuesFollowTheSwitches();
    void newGameAtStartUpUsesStoredTimes();
    void newGameAtStartUpAsksWhenATimeIsZero_data();
    void newGameAtStartUpAsksWhenATimeIsZero();
    void newGameAcceptedWaitsForBlack();
    void newGameCancelledRunsOn();
    void sixHourGameToTheMillisecond();

private:
    void StartGame(TimeAccount white, TimeAccount black);
    void Tick(int count = 1) {
        for (int i = 0; i < count; ++i)
            engine->TimerClock_Timer();
    }

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<SettingsStore> store;
    Variables vars;
    FakeHost host;
    std::unique_ptr<ClockEngine> engine;
};

void TestClockEngine::init() {
    dir = std::make_unique<QTemporaryDir>();
    store = std::make_unique<SettingsStore>(dir->filePath(QStringLiteral("Velmora.ini")));
    vars = Variables{};
    vars.Strings.SetLanguage(LanguageEnglish);
    vars.KeyWhite = kKeyA;
    vars.KeyBlack = kKeyL;
    host = FakeHost{};
    engine = std::make_unique<ClockEngine>(vars, *store, host);
}

void TestClockEngine::cleanup() {
    engine.reset();
    store.reset();
    dir.reset();
}

void TestClockEngine::StartGame(TimeAccount white, TimeAccount black) {
    vars.PlayerTime[White] = white;
    vars.PlayerTime[Black] = black;
    vars.CurrentPlayer = NoPlayer;
    host.running = false;
    engine->SwitchPlayer(kKeyL, false, {});
    QCOMPARE(vars.CurrentPlayer, std::uint8_t(White));
}

void TestClockEngine::firstTicksOfFiveMinutes() {
    StartGame({0, 5, 0, 0}, {0, 5, 0, 0});
    Tick();
    QCOMPARE(host.timesShown, 1);
    QCOMPARE(vars.PlayerTime[White], (TimeAccount{0, 4, 59, 900}));
    Tick(9);
    QCOMPARE(vars.PlayerTime[White], (TimeAccount{0, 4, 59, 0}));
    QCOMPARE(vars.PlayerTime[Black], (TimeAccount{0, 5, 0, 0}));
}

void TestClockEngine::borrowChains_data() {
    QTest::addColumn<TimeAccount>("before");
    QTest::addColumn<TimeAccount>("after");
    QTest::newRow("milliseconds only") << TimeAccount{0, 0, 1, 500} << TimeAccount{0, 0, 1, 400};
    QTest::newRow("from seconds") << TimeAccount{0, 0, 1, 0} << TimeAccount{0, 0, 0, 900};
    QTest::newRow("from minutes") << TimeAccount{0, 1, 0, 0} << TimeAccount{0, 0, 59, 900};
    QTest::newRow("from hours") << TimeAccount{1, 0, 0, 0} << TimeAccount{0, 59, 59, 900};
    QTest::newRow("hours never normalised") << TimeAccount{100, 0, 0, 0}
                                            << TimeAccount{99, 59, 59, 900};
    QTest::newRow("minutes above 59 count down") << TimeAccount{0, 90, 0, 0}
                                                 << TimeAccount{0, 89, 59, 900};
    QTest::newRow("negative minutes borrow from hours") << TimeAccount{2, -5, 0, 0}
                                                        << TimeAccount{1, 54, 59, 900};
}

void TestClockEngine::borrowChains() {
    QFETCH(TimeAccount, before);
    QFETCH(TimeAccount, after);
    StartGame(before, {0, 5, 0, 0});
    Tick();
    QCOMPARE(vars.PlayerTime[White], after);
}

void TestClockEngine::extremeAccountsStayDefined_data() {
    constexpr std::int32_t min = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t max = std::numeric_limits<std::int32_t>::max();
    QTest::addColumn<TimeAccount>("start");
    QTest::addColumn<bool>("overAfterOneTick");
    QTest::newRow("most negative hours") << TimeAccount{min, 0, 0, 0} << true;
    QTest::newRow("most negative hours, minutes left") << TimeAccount{min, 1, 0, 0} << false;
    QTest::newRow("most negative seconds") << TimeAccount{min, 1, min, 0} << true;
    QTest::newRow("most negative minutes") << TimeAccount{5, min, 0, 0} << false;
    QTest::newRow("largest everything") << TimeAccount{max, max, max, 0} << false;
}

void TestClockEngine::extremeAccountsStayDefined() {
    // Only a hand-edited store gives such values; the clock must go on sensibly.
    QFETCH(TimeAccount, start);
    QFETCH(bool, overAfterOneTick);
    StartGame({0, 5, 0, 0}, {0, 5, 0, 0});
    vars.PlayerTime[White] = start;
    Tick();
    QCOMPARE(IsAccountOver(vars.PlayerTime[White]), overAfterOneTick);
    const TimeAccount& now = vars.PlayerTime[White];
    QVERIFY(now.Milliseconds >= 0 && now.Milliseconds <= 900);
}

void TestClockEngine::gameEndsOneTickAfterZero() {
    StartGame({0, 0, 0, 200}, {0, 5, 0, 0});
    Tick(2);
    QVERIFY(host.running);
    QCOMPARE(vars.PlayerTime[White], (TimeAccount{0, 0, 0, 0}));
    vars.SoundGameOver = true;
    Tick();
    QVERIFY(!host.running);
    QCOMPARE(host.status, QStringLiteral("Time of player 1 is over."));
    QCOMPARE(host.cues, (std::vector<Cue>{Cue::GameOver}));
    QCOMPARE(vars.PlayerTime[White], (TimeAccount{0, 0, 0, 0}));
}

void TestClockEngine::blackStartsWhitesClock() {
    vars.PlayerTime[White] = {0, 5, 0, 0};
    vars.PlayerTime[Black] = {0, 5, 0, 0};
    engine->SwitchPlayer(kKeyA, false, {});
    QCOMPARE(vars.CurrentPlayer, std::uint8_t(NoPlayer));
    QVERIFY(!host.running);
    engine->SwitchPlayer(kKeyL, false, {});
    QCOMPARE(vars.CurrentPlayer, std::uint8_t(White));
    QVERIFY(host.running);
    QCOMPARE(host.turns, (std::vector<std::uint8_t>{White}));
}

void TestClockEngine::onlyTheRightKeyHandsOver_data() {
    QTest::addColumn<int>("runningPlayer");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("playerAfter");
    QTest::newRow("white presses white") << int(White) << kKeyA << int(Black);
    QTest::newRow("white's clock, black presses") << int(White) << kKeyL << int(White);
    QTest::newRow("black presses black") << int(Black) << kKeyL << int(White);
    QTest::newRow("black's clock, white presses") << int(Black) << kKeyA << int(Black);
    QTest::newRow("unassigned key") << int(White) << kSpace << int(White);
    QTest::newRow("left mouse button, unassigned") << int(White) << 1 << int(White);
}

void TestClockEngine::onlyTheRightKeyHandsOver() {
    QFETCH(int, runningPlayer);
    QFETCH(int, key);
    QFETCH(int, playerAfter);
    StartGame({0, 5, 0, 0}, {0, 5, 0, 0});
    if (runningPlayer == Black)
        engine->SwitchPlayer(kKeyA, false, {});
    const TimeAccount pressedBefore = vars.PlayerTime[runningPlayer];
    engine->SwitchPlayer(key, false, {});
    QCOMPARE(int(vars.CurrentPlayer), playerAfter);
    QVERIFY(host.running);
    // A hand-over charges nothing and rounds nothing.
    QCOMPARE(vars.PlayerTime[runningPlayer], pressedBefore);
}

void TestClockEngine::sameKeyForBothHandsOverEveryTime() {
    vars.KeyWhite = vars.KeyBlack = kSpace;
    vars.PlayerTime[White] = vars.PlayerTime[Black] = {0, 5, 0, 0};
    for (std::uint8_t expected : {White, Black, White, Black}) {
        engine->SwitchPlayer(kSpace, false, {});
        QCOMPARE(vars.CurrentPlayer, expected);
    }
}

void TestClockEngine::readyIgnoresBlackWhenWhiteHasNoTime() {
    vars.PlayerTime[White] = {0, 0, 0, 0};
    vars.PlayerTime[Black] = {0, 5, 0, 0};
    engine->SwitchPlayer(kKeyL, false, {});
    QCOMPARE(vars.CurrentPlayer, std::uint8_t(NoPlayer));
    QVERIFY(!host.running);
}

void TestClockEngine::pressesAreIgnoredWhenOver() {
    StartGame({0, 0, 0, 100}, {0, 5, 0, 0});
    Tick(2);
    QVERIFY(!host.running);
    for (std::int32_t key : {kKeyA, kKeyL, kSpace, 1}) {
        engine->SwitchPlayer(key, false, {});
        QVERIFY(!host.running);
        QCOMPARE(vars.CurrentPlayer, std::uint8_t(White));
    }
}

void TestClockEngine::forcedHandOverWithContinueRunning() {
    vars.ContinueRunning = true;
    vars.SoundPlayerChange = true;
    vars.SoundGameOver = true;
    StartGame({0, 0, 0, 100}, {0, 0, 2, 0});
    host.cues.clear();
    Tick(); // White reaches zero
    const TimeAccount blackBefore = vars.PlayerTime[Black];
    Tick(); // forced hand-over: nothing charged
    QCOMPARE(vars.CurrentPlayer, std::uint8_t(Black));
    QVERIFY(host.running);
    QCOMPARE(vars.PlayerTime[Black], blackBefore);
    QCOMPARE(host.status, QStringLiteral("Time of player 1 is over. 2"));
    QCOMPARE(host.cues, (std::vector<Cue>{Cue::ChangePlayer, Cue::GameOver}));

    // Black hands back; White has no time, so the next tick hands over again.
    engine->SwitchPlayer(kKeyL, false, {});
    QCOMPARE(vars.CurrentPlayer, std::uint8_t(White));
    Tick();
    QCOMPARE(vars.CurrentPlayer, std::uint8_t(Black));
    QCOMPARE(host.turns.back(), std::uint8_t(Black));
}

void TestClockEngine::continueRunningEndsWhenBothAreOver() {
    vars.ContinueRunning = true;
    StartGame({0, 0, 0, 100}, {0, 0, 0, 100});
    Tick(2); // White over, handed to Black
    QCOMPARE(vars.CurrentPlayer, std::uint8_t(Black));
    Tick(2); // Black reaches zero, then the game ends
    QVERIFY(!host.running);
    QCOMPARE(host.status, QStringLiteral("Time of player 2 is over."));
}

void TestClockEngine::cuesFollowTheSwitches() {
    vars.SoundPlayerChange = false;
    vars.SoundGameOver = true;
    StartGame({0, 0, 0, 100}, {0, 5, 0, 0});
    engine->SwitchPlayer(kKeyA, false, {});
    engine->SwitchPlayer(kKeyL, false, {});
    QVERIFY(host.cues.empty());
    Tick(2);
    QCOMPARE(host.cues, (std::vector<Cue>{Cue::GameOver}));
}

void TestClockEngine::newGameAtStartUpUsesStoredTimes() {
    store->WriteText(QStringLiteral("Time"), QStringLiteral("P1h"), QStringLiteral("1"));
    store->WriteText(QStringLiteral("Time"), QStringLiteral("P1min"), QStringLiteral("30"));
    store->WriteText(QStringLiteral("Time"), QStringLiteral("P2min"), QStringLiteral("45"));
    store->WriteText(QStringLiteral("Time"), QStringLiteral("ContinueRunning"), QStringLiteral("1"));
    vars.StartingUp = true;
    vars.NewGameAccepted = true;
    engine->NewGame();
    QCOMPARE(host.dialogsShown, 0);
    QCOMPARE(vars.PlayerTime[White], (TimeAccount{1, 30, 0, 0}));
    QCOMPARE(vars.PlayerTime[Black], (TimeAccount{0, 45, 0, 0}));
    QVERIFY(vars.ContinueRunning);
    QVERIFY(!host.running);
    QCOMPARE(host.status, QStringLiteral("First, black has to press any key to start the game for white"));
    QCOMPARE(host.timesShown, 1);
}

void TestClockEngine::newGameAtStartUpAsksWhenATimeIsZero_data() {
    QTest::addColumn<QString>("whiteMinutes");
    QTest::addColumn<QString>("blackMinutes");
    QTest::addColumn<int>("dialogs");
    QTest::newRow("both set") << "5" << "5" << 0;
    QTest::newRow("white zero") << "0" << "5" << 1;
    QTest::newRow("black zero") << "5" << "" << 1;
    QTest::newRow("nothing stored") << "" << "" << 1;
}

void TestClockEngine::newGameAtStartUpAsksWhenATimeIsZero() {
    QFETCH(QString, whiteMinutes);
    QFETCH(QString, blackMinutes);
    QFETCH(int, dialogs);
    if (!whiteMinutes.isEmpty())
        store->WriteText(QStringLiteral("Time"), QStringLiteral("P1min"), whiteMinutes);
    if (!blackMinutes.isEmpty())
        store->WriteText(QStringLiteral("Time"), QStringLiteral("P2min"), blackMinutes);
    vars.StartingUp = true;
    vars.NewGameAccepted = true;
    engine->NewGame();
    QCOMPARE(host.dialogsShown, dialogs);
}

void TestClockEngine::newGameAcceptedWaitsForBlack() {
    StartGame({0, 5, 0, 0}, {0, 5, 0, 0});
    Tick(3);
    host.answerDialog = [this] {
        vars.PlayerTime[White] = vars.PlayerTime[Black] = {1, 0, 0, 0};
        vars.NewGameAccepted = true;
        vars.CurrentPlayer = NoPlayer;
    };
    engine->NewGame();
    QVERIFY(!host.running);
    QCOMPARE(host.status, QStringLiteral("First, black has to press any key to start the game for white"));
    engine->SwitchPlayer(kKeyA, false, {});
    QCOMPARE(vars.CurrentPlayer, std::uint8_t(NoPlayer));
    engine->SwitchPlayer(kKeyL, false, {});
    QCOMPARE(vars.CurrentPlayer, std::uint8_t(White));
}

void TestClockEngine::newGameCancelledRunsOn() {
    StartGame({0, 5, 0, 0}, {0, 5, 0, 0});
    engine->SwitchPlayer(kKeyA, false, {});
    Tick(3);
    const auto accounts = vars.PlayerTime;
    host.answerDialog = [this] { vars.NewGameAccepted = false; };
    engine->NewGame();
    QVERIFY(host.running);
    QCOMPARE(vars.CurrentPlayer, std::uint8_t(Black));
    QCOMPARE(vars.PlayerTime, accounts);
}

void TestClockEngine::sixHourGameToTheMillisecond() {
    // 216,000 ticks of play: White thinks 2.5 s a move, Black 3.5 s, 7,200 hand-overs.
    StartGame({6, 0, 0, 0}, {6, 0, 0, 0});
    for (int pair = 0; pair < 3600; ++pair) {
        Tick(25);
        engine->SwitchPlayer(kKeyA, false, {});
        Tick(35);
        engine->SwitchPlayer(kKeyL, false, {});
    }
    QCOMPARE(vars.PlayerTime[White], (TimeAccount{3, 30, 0, 0}));
    QCOMPARE(vars.PlayerTime[Black], (TimeAccount{2, 30, 0, 0}));
    QCOMPARE(vars.CurrentPlayer, std::uint8_t(White));
}

QTEST_APPLESS_MAIN(TestClockEngine)
#include "tst_clockengine.moc"
