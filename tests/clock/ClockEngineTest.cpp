#include "clock/ClockEngine.h"
#include "clock/ClockHost.h"

#include "Printers.h"
#include "TestProgram.h"

#include <QTest>

#include <algorithm>
#include <functional>
#include <limits>

using namespace velmora;

namespace {

constexpr std::int32_t kKeyA = 65, kKeyL = 76; // White's and Black's keys

} // namespace

class ClockEngineTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TestProgram> t;
    Variables* vars = nullptr;
    std::vector<Cue>* cues = nullptr;
    std::unique_ptr<test::FakeClockHost> host;
    std::unique_ptr<ClockEngine> engine;

    void StartGame(TimeAccount white, TimeAccount black = {0, 5, 0, 0}) {
        vars->PlayerTime[White] = white;
        vars->PlayerTime[Black] = black;
        Press(kKeyL); // Black's key starts White's clock
        QCOMPARE(vars->CurrentPlayer, std::uint8_t(White));
    }
    // Ticks come only while the clock runs, as the window's timer sends them.
    void Tick(int count = 1) {
        while (count-- > 0 && host->running)
            engine->TimerClock_Timer();
    }
    // Plays a script: a number is that many ticks, w and b are White's and
    // Black's keys, p pauses and c continues.
    void Play(const QString& script) {
        for (const QString& step : script.split(u' ', Qt::SkipEmptyParts)) {
            if (step == u"w" || step == u"b")
                Press(step == u"w" ? kKeyA : kKeyL);
            else if (step == u"p")
                engine->Pause();
            else if (step == u"c")
                engine->Continue();
            else
                Tick(step.toInt());
        }
    }
    static QString Shown(const TimeAccount& a) {
        return QStringLiteral("%1:%2:%3.%4")
            .arg(a.Hours)
            .arg(a.Minutes)
            .arg(a.Seconds)
            .arg(a.Milliseconds, 3, 10, QLatin1Char('0'));
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
        host = std::make_unique<test::FakeClockHost>();
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

    // Each game starts with Black's key; White has `white`, Black 5 minutes.
    void timeBonusAndPause_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<TimeAccount>("white");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("after"); // White's and Black's accounts, White's turn or not
        const int none = 0, increment = 1, bronstein = 2, delay = 3;
        const TimeAccount five{0, 5, 0, 0};
        // clang-format off
        QTest::newRow("none") << none << 0 << five << "25 w 35 b" << "0:4:57.500 0:4:56.500 W";
        QTest::newRow("increment, one move") << increment << 2 << five << "25 w" << "0:4:59.500 0:5:0.000 B";
        QTest::newRow("increment, many moves") << increment << 2 << five << "25 w 35 b 25 w" << "0:4:59.000 0:4:58.500 B";
        QTest::newRow("increment carries seconds") << increment << 5 << TimeAccount{0, 0, 58, 0} << "1 w" << "0:1:2.900 0:5:0.000 B";
        QTest::newRow("increment carries minutes") << increment << 5 << TimeAccount{0, 59, 58, 0} << "w" << "1:0:3.000 0:5:0.000 B";
        QTest::newRow("Bronstein, shorter move") << bronstein << 3 << five << "20 w" << "0:5:0.000 0:5:0.000 B";
        QTest::newRow("Bronstein, longer move") << bronstein << 3 << five << "50 w 10 b" << "0:4:58.000 0:5:0.000 W";
        QTest::newRow("delay, shorter move") << delay << 3 << five << "20 w" << "0:5:0.000 0:5:0.000 B";
        QTest::newRow("delay, each move") << delay << 3 << five << "50 w 50 b 50 w" << "0:4:56.000 0:4:58.000 B";
        QTest::newRow("delay, near zero") << delay << 2 << TimeAccount{0, 0, 0, 100} << "20" << "0:0:0.100 0:5:0.000 W";
        QTest::newRow("delay, over after it") << delay << 2 << TimeAccount{0, 0, 0, 100} << "22 w" << "0:0:0.000 0:5:0.000 over";
        // Paused: no charge, no key, and the rest of the delay afterwards.
        QTest::newRow("pause") << none << 0 << five << "10 p 50 w b c 10" << "0:4:58.000 0:5:0.000 W";
        QTest::newRow("pause keeps the delay") << delay << 3 << five << "10 p 50 c 30 w" << "0:4:59.000 0:5:0.000 B";
        QTest::newRow("no pause when over") << none << 0 << TimeAccount{0, 0, 0, 100} << "2 p c" << "0:0:0.000 0:5:0.000 over";
        // clang-format on
    }
    void timeBonusAndPause() {
        QFETCH(int, mode);
        QFETCH(int, seconds);
        QFETCH(TimeAccount, white);
        QFETCH(QString, script);
        vars->Bonus = {BonusMode(mode), seconds};
        StartGame(white);
        Play(script);
        const QString turn = !host->running && !engine->IsPaused() ? QStringLiteral("over")
                             : vars->CurrentPlayer == White        ? QStringLiteral("W")
                                                                   : QStringLiteral("B");
        QTEST(Shown(vars->PlayerTime[White]) + u' ' + Shown(vars->PlayerTime[Black]) + u' ' + turn,
              "after");
        QVERIFY(!engine->IsPaused() && !host->paused);
    }

    // With the other clock running on, the player whose time is over gets no
    // bonus back, nor does a forced hand-over give one.
    void noBonusForTimeOver() {
        vars->ContinueRunning = true;
        vars->Bonus = {BonusMode::Increment, 5};
        StartGame({0, 0, 0, 100}, {0, 5, 0, 0});
        Play("2 10 b 1");
        QCOMPARE(vars->PlayerTime[White], TimeAccount{});
        QCOMPARE(vars->PlayerTime[Black], (TimeAccount{0, 5, 4, 0}));
        QCOMPARE(vars->CurrentPlayer, std::uint8_t(Black));
    }

    // The low-time cue sounds once for each player in a game, as the account
    // reaches the warning's seconds.
    void lowTimeCueOncePerPlayerAndGame() {
        vars->LowTimeWarning = 1;
        vars->SoundLowTime = true;
        vars->SoundPlayerChange = false;
        StartGame({0, 0, 2, 0}, {0, 0, 1, 500});
        const auto warnings = [this] {
            return std::count(cues->begin(), cues->end(), Cue::LowTime);
        };
        Play("9");
        QCOMPARE(warnings(), 0);
        Play("1 w 4");
        QCOMPARE(warnings(), 1);
        Play("1");
        QCOMPARE(warnings(), 2);
        Play("b 3 w 3 b");
        QCOMPARE(warnings(), 2);
        host->answer = {DialogOutcome::Okay, {1, {0, 5, 0, 0}, {}, false, {}}};
        engine->NewGame();
        StartGame({0, 0, 1, 0});
        Play("1");
        QCOMPARE(warnings(), 3);
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
