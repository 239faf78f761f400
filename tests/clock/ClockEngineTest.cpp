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
struct FakeHost final : ClockHost {
    explicit FakeHost(const Variables& v) : vars(v) {}
    bool ClockRunning() const override { return running; }
    void SetClockRunning(bool value) override { running = value; }
    int TimerInterval() const override { return 100; }
    void ShowTimes() override { shownWhite = vars.PlayerTime[White]; }
    void ShowTurn(std::uint8_t player, bool forced, const QString& message) override {
        turns.push_back(player);
        status =
            forced ? message + QStringLiteral(" / turn ") + QString::number(player) : QString();
    }
    void SetStatus(const QString& text) override { status = text; }
    void ShowTimeControlDialog() override {
        ++dialogs;
        if (answerDialog)
            answerDialog();
    }
    void PlayCue(Cue cue) override { cues.push_back(cue); }

    const Variables& vars;
    bool running = false;
    TimeAccount shownWhite;
    std::vector<std::uint8_t> turns;
    QString status;
    int dialogs = 0;
    std::function<void()> answerDialog;
    std::vector<Cue> cues;
};

constexpr std::int32_t kSpace = 32, kKeyA = 65, kKeyL = 76;
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

} // namespace

class ClockEngineTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();

    void ticksCharge_data();
    void ticksCharge();
    void labelsShowTheAccountBeforeTheCharge();
    void gameEndsOneTickAfterZero();
    void onlyTheRightKeyHandsOver_data();
    void onlyTheRightKeyHandsOver();
    void sameKeyForBothHandsOverEveryTime();
    void pressesAreIgnoredWhenOver();
    void continueRunningHandsOverAndEndsWhenBothAreOver();
    void startUpAsksOnlyWhenATimeIsMissing_data();
    void startUpAsksOnlyWhenATimeIsMissing();
    void newGameAcceptedOrCancelled_data();
    void newGameAcceptedOrCancelled();
    void sixHourGameToTheMillisecond();

private:
    void StartGame(TimeAccount white, TimeAccount black = {0, 5, 0, 0});
    void Tick(int count = 1) {
        for (int i = 0; i < count; ++i)
            engine->TimerClock_Timer();
    }
    void Press(std::int32_t key) { engine->SwitchPlayer(key, false, {}); }

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<SettingsStore> store;
    std::unique_ptr<Variables> vars;
    std::unique_ptr<FakeHost> host;
    std::unique_ptr<ClockEngine> engine;
};

void ClockEngineTest::init() {
    engine.reset();
    dir = std::make_unique<QTemporaryDir>();
    store = std::make_unique<SettingsStore>(dir->filePath(QStringLiteral("Velmora.ini")));
    vars = std::make_unique<Variables>();
    vars->Strings.SetLanguage(LanguageEnglish);
    vars->KeyWhite = kKeyA;
    vars->KeyBlack = kKeyL;
    host = std::make_unique<FakeHost>(*vars);
    engine = std::make_unique<ClockEngine>(*vars, *store, *host);
}

void ClockEngineTest::StartGame(TimeAccount white, TimeAccount black) {
    vars->PlayerTime[White] = white;
    vars->PlayerTime[Black] = black;
    Press(kKeyL); // Black's key starts White's clock
    QCOMPARE(vars->CurrentPlayer, std::uint8_t(White));
}

void ClockEngineTest::ticksCharge_data() {
    QTest::addColumn<TimeAccount>("start");
    QTest::addColumn<int>("ticks");
    QTest::addColumn<TimeAccount>("after");
    QTest::newRow("first tick") << TimeAccount{0, 5, 0, 0} << 1 << TimeAccount{0, 4, 59, 900};
    QTest::newRow("ten ticks") << TimeAccount{0, 5, 0, 0} << 10 << TimeAccount{0, 4, 59, 0};
    QTest::newRow("borrow from hours")
        << TimeAccount{1, 0, 0, 0} << 1 << TimeAccount{0, 59, 59, 900};
    QTest::newRow("hours not normalised")
        << TimeAccount{100, 0, 0, 0} << 1 << TimeAccount{99, 59, 59, 900};
    QTest::newRow("minutes above 59")
        << TimeAccount{0, 90, 0, 0} << 1 << TimeAccount{0, 89, 59, 900};
    QTest::newRow("negative minutes")
        << TimeAccount{2, -5, 0, 0} << 1 << TimeAccount{1, 54, 59, 900};
    // Hand-edited extremes must neither overflow nor hang.
    QTest::newRow("largest") << TimeAccount{kMax, kMax, kMax, 0} << 1
                             << TimeAccount{kMax, kMax, kMax - 1, 900};
    QTest::newRow("most negative minutes")
        << TimeAccount{5, kMin, 0, 0} << 1 << TimeAccount{-35791390, 51, 59, 900};
    QTest::newRow("hours out of range end at zero")
        << TimeAccount{kMin, 1, kMin, 0} << 1 << TimeAccount{};
}

void ClockEngineTest::ticksCharge() {
    QFETCH(TimeAccount, start);
    QFETCH(int, ticks);
    QFETCH(TimeAccount, after);
    StartGame({0, 5, 0, 0});
    vars->PlayerTime[White] = start;
    Tick(ticks);
    QCOMPARE(vars->PlayerTime[White], after);
    QCOMPARE(vars->PlayerTime[Black], (TimeAccount{0, 5, 0, 0}));
}

void ClockEngineTest::labelsShowTheAccountBeforeTheCharge() {
    StartGame({0, 5, 0, 0});
    Tick();
    QCOMPARE(host->shownWhite, (TimeAccount{0, 5, 0, 0}));
    Tick(9);
    QCOMPARE(host->shownWhite, (TimeAccount{0, 4, 59, 100}));
}

void ClockEngineTest::gameEndsOneTickAfterZero() {
    vars->SoundGameOver = true;
    StartGame({0, 0, 0, 200});
    Tick(2);
    QVERIFY(host->running);
    QCOMPARE(vars->PlayerTime[White], TimeAccount{});
    Tick();
    QVERIFY(!host->running);
    QCOMPARE(host->status, QStringLiteral("Time of player 1 is over."));
    QCOMPARE(host->cues, std::vector<Cue>{Cue::GameOver});
}

void ClockEngineTest::onlyTheRightKeyHandsOver_data() {
    QTest::addColumn<int>("running"); // 0: Ready
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("after");
    QTest::newRow("ready, White's key") << 0 << kKeyA << 0;
    QTest::newRow("ready, Black's key starts White") << 0 << kKeyL << int(White);
    QTest::newRow("White presses") << int(White) << kKeyA << int(Black);
    QTest::newRow("White's clock, Black presses") << int(White) << kKeyL << int(White);
    QTest::newRow("Black presses") << int(Black) << kKeyL << int(White);
    QTest::newRow("Black's clock, White presses") << int(Black) << kKeyA << int(Black);
    QTest::newRow("unassigned key") << int(White) << kSpace << int(White);
    QTest::newRow("unassigned mouse button") << int(White) << 1 << int(White);
}

void ClockEngineTest::onlyTheRightKeyHandsOver() {
    QFETCH(int, running);
    QFETCH(int, key);
    QFETCH(int, after);
    vars->PlayerTime[White] = vars->PlayerTime[Black] = {0, 5, 0, 0};
    if (running != 0)
        StartGame({0, 5, 0, 300});
    if (running == Black)
        Press(kKeyA);
    const TimeAccount before = vars->PlayerTime[White];
    Press(key);
    QCOMPARE(int(vars->CurrentPlayer), after);
    QCOMPARE(host->running, after != 0);
    QCOMPARE(vars->PlayerTime[White], before); // a hand-over charges and rounds nothing
}

void ClockEngineTest::sameKeyForBothHandsOverEveryTime() {
    vars->KeyWhite = vars->KeyBlack = kSpace;
    vars->PlayerTime[White] = vars->PlayerTime[Black] = {0, 5, 0, 0};
    for (std::uint8_t expected : {White, Black, White, Black}) {
        Press(kSpace);
        QCOMPARE(vars->CurrentPlayer, expected);
    }
}

void ClockEngineTest::pressesAreIgnoredWhenOver() {
    StartGame({0, 0, 0, 100});
    Tick(2);
    for (std::int32_t key : {kKeyA, kKeyL, kSpace, 1})
        Press(key);
    QVERIFY(!host->running);
    QCOMPARE(vars->CurrentPlayer, std::uint8_t(White));

    // Ready with White's time over: even Black's key does nothing.
    init();
    vars->PlayerTime[Black] = {0, 5, 0, 0};
    Press(kKeyL);
    QCOMPARE(vars->CurrentPlayer, std::uint8_t(NoPlayer));
}

void ClockEngineTest::continueRunningHandsOverAndEndsWhenBothAreOver() {
    vars->ContinueRunning = vars->SoundPlayerChange = vars->SoundGameOver = true;
    StartGame({0, 0, 0, 100}, {0, 0, 0, 300});
    host->cues.clear();
    Tick(2); // White reaches zero; the next tick hands over without charging
    QCOMPARE(vars->CurrentPlayer, std::uint8_t(Black));
    QCOMPARE(vars->PlayerTime[Black], (TimeAccount{0, 0, 0, 300}));
    QCOMPARE(host->status, QStringLiteral("Time of player 1 is over. / turn 2"));
    QCOMPARE(host->cues, (std::vector<Cue>{Cue::ChangePlayer, Cue::GameOver}));

    Press(kKeyL); // back to White, who has no time: handed over again at once
    Tick();
    QCOMPARE(vars->CurrentPlayer, std::uint8_t(Black));
    Tick(4); // Black's 300 ms run out; the tick after ends the game
    QVERIFY(!host->running);
    QCOMPARE(host->status, QStringLiteral("Time of player 2 is over."));
}

void ClockEngineTest::startUpAsksOnlyWhenATimeIsMissing_data() {
    QTest::addColumn<QString>("whiteMinutes");
    QTest::addColumn<QString>("blackMinutes");
    QTest::addColumn<int>("dialogs");
    QTest::newRow("both stored") << "30"
                                 << "45" << 0;
    QTest::newRow("White zero") << "0"
                                << "5" << 1;
    QTest::newRow("Black missing") << "5"
                                   << "" << 1;
}

void ClockEngineTest::startUpAsksOnlyWhenATimeIsMissing() {
    QFETCH(QString, whiteMinutes);
    QFETCH(QString, blackMinutes);
    QFETCH(int, dialogs);
    const QString time = QStringLiteral("Time");
    store->WriteText(time, QStringLiteral("P1min"), whiteMinutes);
    store->WriteText(time, QStringLiteral("P2min"), blackMinutes);
    store->WriteText(time, QStringLiteral("ContinueRunning"), QStringLiteral("1"));
    vars->StartingUp = vars->NewGameAccepted = true;
    engine->NewGame();
    QCOMPARE(host->dialogs, dialogs);
    QCOMPARE(vars->PlayerTime[White].Minutes, whiteMinutes.toInt());
    QVERIFY(vars->ContinueRunning);
    QVERIFY(!host->running);
    QCOMPARE(host->status,
             QStringLiteral("First, black has to press any key to start the game for white"));
}

void ClockEngineTest::newGameAcceptedOrCancelled_data() {
    QTest::addColumn<bool>("accepted");
    QTest::newRow("accepted") << true;
    QTest::newRow("cancelled") << false;
}

void ClockEngineTest::newGameAcceptedOrCancelled() {
    QFETCH(bool, accepted);
    StartGame({0, 5, 0, 0});
    Press(kKeyA);
    Tick(3);
    const auto accounts = vars->PlayerTime;
    host->answerDialog = [this, accepted] {
        vars->NewGameAccepted = accepted;
        if (accepted) {
            vars->PlayerTime[White] = vars->PlayerTime[Black] = {1, 0, 0, 0};
            vars->CurrentPlayer = NoPlayer;
        }
    };
    engine->NewGame();
    QCOMPARE(host->running, !accepted);
    QCOMPARE(vars->CurrentPlayer, std::uint8_t(accepted ? NoPlayer : Black));
    if (!accepted)
        QCOMPARE(vars->PlayerTime, accounts);
}

void ClockEngineTest::sixHourGameToTheMillisecond() {
    // 216,000 ticks of play: White thinks 2.5 s a move, Black 3.5 s, 7,200 hand-overs.
    StartGame({6, 0, 0, 0}, {6, 0, 0, 0});
    for (int pair = 0; pair < 3600; ++pair) {
        Tick(25);
        Press(kKeyA);
        Tick(35);
        Press(kKeyL);
    }
    QCOMPARE(vars->PlayerTime[White], (TimeAccount{3, 30, 0, 0}));
    QCOMPARE(vars->PlayerTime[Black], (TimeAccount{2, 30, 0, 0}));
}

QTEST_APPLESS_MAIN(ClockEngineTest)
#include "ClockEngineTest.moc"
