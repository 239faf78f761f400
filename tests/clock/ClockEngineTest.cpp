#include "clock/ClockEngine.h"
#include "clock/ClockHost.h"

#include "Printers.h"
#include "TestProgram.h"

#include <QTest>

#include <functional>
#include <limits>

using namespace velmora;

namespace {

// The window around the engine, reduced to what the engine can see.
struct FakeHost final : ClockHost {
    bool ClockRunning() const override { return running; }
    void SetClockRunning(bool value) override { running = value; }
    int TimerInterval() const override { return 100; }
    void ShowTimes() override {}
    void ShowTurn(std::uint8_t player, bool forced, const QString& message) override {
        status = forced ? message + QStringLiteral(" / ") + QString::number(player) : QString();
    }
    void SetStatus(const QString& text) override { status = text; }
    TimeControlAnswer AskTimeControl(const TimeSettings&, bool) override { return answer; }

    bool running = false;
    QString status;
    TimeControlAnswer answer;
};

constexpr std::int32_t kKeyA = 65, kKeyL = 76; // White's and Black's keys

} // namespace

class ClockEngineTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TestProgram> t;
    Variables* vars = nullptr;
    std::vector<Cue>* cues = nullptr;
    std::unique_ptr<FakeHost> host;
    std::unique_ptr<ClockEngine> engine;

    void StartGame(TimeAccount white, TimeAccount black = {0, 5, 0, 0}) {
        vars->PlayerTime[White] = white;
        vars->PlayerTime[Black] = black;
        Press(kKeyL); // Black's key starts White's clock
        QCOMPARE(vars->CurrentPlayer, std::uint8_t(White));
    }
    void Tick(int count = 1) {
        while (count-- > 0)
            engine->TimerClock_Timer();
    }
    void Press(std::int32_t key) { engine->SwitchPlayer(key, false, {}); }

private Q_SLOTS:
    void init() {
        t = std::make_unique<test::TestProgram>();
        vars = &t->vars();
        cues = &t->cues.played;
        vars->Strings.SetLanguage(LanguageEnglish);
        vars->KeyWhite = kKeyA;
        vars->KeyBlack = kKeyL;
        vars->SoundPlayerChange = vars->SoundGameOver = true;
        host = std::make_unique<FakeHost>();
        engine = std::make_unique<ClockEngine>(*t->program, *host);
    }

    void ticksCharge_data() {
        constexpr std::int32_t min = std::numeric_limits<std::int32_t>::min();
        QTest::addColumn<TimeAccount>("start");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<TimeAccount>("after");
        QTest::newRow("first tick") << TimeAccount{0, 5, 0, 0} << 1 << TimeAccount{0, 4, 59, 900};
        QTest::newRow("ten ticks") << TimeAccount{0, 5, 0, 0} << 10 << TimeAccount{0, 4, 59, 0};
        QTest::newRow("borrow from hours")
            << TimeAccount{1, 0, 0, 0} << 1 << TimeAccount{0, 59, 59, 900};
        // Hand-edited extremes neither overflow nor hang; hours beyond range end the account.
        QTest::newRow("most negative minutes")
            << TimeAccount{5, min, 0, 0} << 1 << TimeAccount{-35791390, 51, 59, 900};
        QTest::newRow("hours out of range") << TimeAccount{min, 1, min, 0} << 1 << TimeAccount{};
    }
    void ticksCharge() {
        QFETCH(TimeAccount, start);
        QFETCH(int, ticks);
        StartGame({0, 5, 0, 0});
        vars->PlayerTime[White] = start;
        Tick(ticks);
        QTEST(vars->PlayerTime[White], "after");
        QCOMPARE(vars->PlayerTime[Black], (TimeAccount{0, 5, 0, 0}));
    }

    void gameEndsOneTickAfterZeroAndIgnoresPresses() {
        StartGame({0, 0, 0, 100});
        cues->clear();
        Tick();
        QVERIFY(host->running);
        Tick();
        QVERIFY(!host->running);
        QCOMPARE(host->status, QStringLiteral("Time of player 1 is over."));
        QCOMPARE(*cues, std::vector<Cue>{Cue::GameOver});
        Press(kKeyA);
        Press(kKeyL);
        QVERIFY(!host->running);
    }

    void onlyTheRightKeyHandsOver_data() {
        QTest::addColumn<bool>("started");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("after");
        QTest::newRow("ready, White's key") << false << kKeyA << 0;
        QTest::newRow("ready, Black's key") << false << kKeyL << int(White);
        QTest::newRow("White's clock, White's key") << true << kKeyA << int(Black);
        QTest::newRow("White's clock, Black's key") << true << kKeyL << int(White);
    }
    void onlyTheRightKeyHandsOver() {
        QFETCH(bool, started);
        QFETCH(int, key);
        vars->PlayerTime[White] = vars->PlayerTime[Black] = {0, 5, 0, 300};
        if (started)
            StartGame({0, 5, 0, 300});
        Press(key);
        QTEST(int(vars->CurrentPlayer), "after");
        QCOMPARE(vars->PlayerTime[White],
                 (TimeAccount{0, 5, 0, 300})); // a hand-over charges nothing
    }

    void continueRunningHandsOverAndEndsWhenBothAreOver() {
        vars->ContinueRunning = true;
        StartGame({0, 0, 0, 100}, {0, 0, 0, 300});
        cues->clear();
        Tick(2); // White reaches zero; the next tick hands over without charging
        QCOMPARE(vars->PlayerTime[Black], (TimeAccount{0, 0, 0, 300}));
        QCOMPARE(host->status, QStringLiteral("Time of player 1 is over. / 2"));
        QCOMPARE(*cues, (std::vector<Cue>{Cue::ChangePlayer, Cue::GameOver}));
        Tick(4);
        QVERIFY(!host->running);
        QCOMPARE(host->status, QStringLiteral("Time of player 2 is over."));
    }

    void newGameAcceptedOrCancelled_data() {
        QTest::addColumn<bool>("accepted");
        QTest::newRow("accepted") << true;
        QTest::newRow("cancelled") << false;
    }
    void newGameAcceptedOrCancelled() {
        QFETCH(bool, accepted);
        StartGame({0, 5, 0, 0});
        Press(kKeyA);
        host->answer.Outcome = accepted ? DialogOutcome::Okay : DialogOutcome::Cancelled;
        host->answer.Choice.White = {0, 5, 0, 0};
        engine->NewGame();
        QCOMPARE(host->running, !accepted);
        QCOMPARE(vars->CurrentPlayer, std::uint8_t(accepted ? NoPlayer : Black));
    }

    void sixHourGameToTheMillisecond() {
        // 216,000 ticks: White thinks 2.5 s a move, Black 3.5 s, 7,200 hand-overs.
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
};

QTEST_GUILESS_MAIN(ClockEngineTest)
#include "ClockEngineTest.moc"
