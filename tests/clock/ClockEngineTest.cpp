#include "clock/ClockEngine.h"

#include "TestProgram.h"

#include <QTest>

#include <limits>

using namespace velmora;

namespace {

constexpr std::int32_t kKeyA = 65, kKeyL = 76; // White's and Black's keys
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
const TimeAccount kFive{0, 5, 0, 0}, kSecond{0, 0, 1, 0}, kTenth{0, 0, 0, 100};

QString Shown(const TimeAccount& a) {
    return QString::asprintf("%d:%d:%d.%03d", a.Hours, a.Minutes, a.Seconds, a.Milliseconds);
}

} // namespace

class ClockEngineTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TestProgram> t;
    Variables* vars = nullptr;
    std::unique_ptr<test::FakeClockHost> host;
    std::unique_ptr<ClockEngine> engine;

    // Plays a script: a number is that many ticks (they come only while the
    // clock runs, as the timer sends them), w and b are White's and Black's
    // keys, p pauses and c continues; New Game is answered "new" (OK, a second
    // each) or "cancel". Before the game: "run-on" after a time-over, the
    // "same" key for both, warn=<seconds> and a bonus increment=, bronstein=
    // or delay=<seconds>.
    void Play(const QString& script) {
        const QStringList bonuses{{}, "increment", "bronstein", "delay"}; // in BonusMode order
        for (const QString& step : script.split(u' ', Qt::SkipEmptyParts)) {
            const QString name = step.section(u'=', 0, 0);
            const int value = step.section(u'=', 1).toInt();
            if (step == u"w" || step == u"b")
                engine->SwitchPlayer(step == u"w" ? kKeyA : vars->KeyBlack, false, {});
            else if (step == u"p")
                engine->Pause();
            else if (step == u"c")
                engine->Continue();
            else if (step == u"new" || step == u"cancel") {
                host->answer = {step == u"new" ? DialogOutcome::Okay : DialogOutcome::Cancelled,
                                {0, kSecond, kSecond, false, {}}};
                engine->NewGame();
            } else if (step == u"run-on")
                vars->ContinueRunning = true;
            else if (step == u"same")
                vars->KeyBlack = kKeyA;
            else if (name == u"warn")
                vars->LowTimeWarning = value;
            else if (bonuses.contains(name))
                vars->Bonus = {BonusMode(bonuses.indexOf(name)), value};
            else
                for (int tick = step.toInt(); tick > 0 && host->running; --tick)
                    engine->TimerClock_Timer();
        }
    }
    // White's and Black's accounts and what runs: ready, W, B, paused or over
    // with the status shown.
    QString State() const {
        const QString runs = engine->IsPaused()                ? QStringLiteral("paused")
                             : vars->CurrentPlayer == NoPlayer ? QStringLiteral("ready")
                             : !host->running                  ? "over: " + host->status
                             : vars->CurrentPlayer == White    ? QStringLiteral("W")
                                                               : QStringLiteral("B");
        return Shown(vars->PlayerTime[White]) + u' ' + Shown(vars->PlayerTime[Black]) + u' ' + runs;
    }
    // The cues played: C player change, G game over, L low time.
    QString Cues() const {
        QString played;
        for (Cue cue : t->cues.played)
            played += cue == Cue::ChangePlayer ? u'C' : cue == Cue::GameOver ? u'G' : u'L';
        return played;
    }

private Q_SLOTS:
    void init() {
        t = std::make_unique<test::TestProgram>();
        vars = &t->vars();
        vars->Strings.SetLanguage(LanguageEnglish);
        vars->KeyWhite = kKeyA;
        vars->KeyBlack = kKeyL;
        vars->SoundPlayerChange = vars->SoundGameOver = vars->SoundLowTime = true;
        host = std::make_unique<test::FakeClockHost>();
        engine = std::make_unique<ClockEngine>(*t->program, *host);
    }

    // Each game starts in Ready with the accounts given.
    void games_data() {
        QTest::addColumn<TimeAccount>("white");
        QTest::addColumn<TimeAccount>("black");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("state"); // see State()
        QTest::addColumn<QString>("cues");  // see Cues()
        const QString over1 = "over: Time of player 1 is over.";
        // clang-format off
        // Ticks charge 100 ms each, borrowing; labels show the account before the charge.
        QTest::newRow("first tick") << kFive << kFive << "b 1" << "0:4:59.900 0:5:0.000 W" << "C";
        QTest::newRow("borrow from hours") << TimeAccount{1, 0, 0, 0} << kFive << "b 1" << "0:59:59.900 0:5:0.000 W" << "C";
        // Hand-edited extremes neither overflow nor hang; hours beyond range end the account.
        QTest::newRow("most negative minutes") << TimeAccount{5, kMin, 0, 0} << kFive << "b 1" << "-35791390:51:59.900 0:5:0.000 W" << "C";
        QTest::newRow("hours out of range") << TimeAccount{kMin, 1, kMin, 0} << kFive << "b 1" << "0:0:0.000 0:5:0.000 W" << "C";
        // Only the key of the player who may press hands over, and Black's first press adds nothing.
        QTest::newRow("ready, White's key") << kFive << kFive << "w" << "0:5:0.000 0:5:0.000 ready" << "";
        QTest::newRow("ready, White over") << TimeAccount{} << kFive << "b" << "0:0:0.000 0:5:0.000 ready" << "";
        QTest::newRow("Black's key on White's clock") << kFive << kFive << "b 3 b" << "0:4:59.700 0:5:0.000 W" << "C";
        QTest::newRow("hand-overs") << kFive << kFive << "b 3 w 2 b" << "0:4:59.700 0:4:59.800 W" << "CCC";
        QTest::newRow("one key for both") << kFive << kFive << "same w w w" << "0:5:0.000 0:5:0.000 W" << "CCC";
        // Zero on one tick, over on the next; then every press is ignored.
        QTest::newRow("time over") << kTenth << kFive << "b 1 1 w b" << "0:0:0.000 0:5:0.000 " + over1 << "CG";
        QTest::newRow("running on") << kTenth << TimeAccount{0, 0, 0, 300} << "run-on b 2 1 b 1 3" << "0:0:0.000 0:0:0.000 over: Time of player 2 is over." << "CCGCCGG";
        // Time bonus: increment, Bronstein delay, simple delay; none for Black's first press.
        QTest::newRow("increment, many moves") << kFive << kFive << "increment=2 b 25 w 35 b 25 w" << "0:4:59.000 0:4:58.500 B" << "CCCC";
        QTest::newRow("increment carries") << TimeAccount{0, 59, 58, 0} << kFive << "increment=5 b 1 w" << "1:0:2.900 0:5:0.000 B" << "CC";
        QTest::newRow("no bonus when over") << kTenth << kFive << "run-on increment=5 b 2 10 b 1" << "0:0:0.000 0:5:4.000 B" << "CCGCCG";
        QTest::newRow("Bronstein, shorter move") << kFive << kFive << "bronstein=3 b 20 w" << "0:5:0.000 0:5:0.000 B" << "CC";
        QTest::newRow("Bronstein, longer move") << kFive << kFive << "bronstein=3 b 50 w 10 b" << "0:4:58.000 0:5:0.000 W" << "CCC";
        QTest::newRow("delay, shorter move") << kFive << kFive << "delay=3 b 20 w" << "0:5:0.000 0:5:0.000 B" << "CC";
        QTest::newRow("delay, each move") << kFive << kFive << "delay=3 b 50 w 50 b 50 w" << "0:4:56.000 0:4:58.000 B" << "CCCC";
        QTest::newRow("delay, near zero") << kTenth << kFive << "delay=2 b 20" << "0:0:0.100 0:5:0.000 W" << "C";
        QTest::newRow("delay, over after it") << kTenth << kFive << "delay=2 b 22 w" << "0:0:0.000 0:5:0.000 " + over1 << "CG";
        // Paused: no charge, no key, and the rest of the delay afterwards.
        QTest::newRow("pause") << kFive << kFive << "b 10 p 50 w b" << "0:4:59.000 0:5:0.000 paused" << "C";
        QTest::newRow("pause and continue") << kFive << kFive << "b 10 p c 10" << "0:4:58.000 0:5:0.000 W" << "C";
        QTest::newRow("pause keeps the delay") << kFive << kFive << "delay=3 b 10 p 50 c 30 w" << "0:4:59.000 0:5:0.000 B" << "CC";
        QTest::newRow("no pause when over") << kTenth << kFive << "b 2 p c" << "0:0:0.000 0:5:0.000 " + over1 << "CG";
        // The low-time cue sounds once per player as the account reaches the warning.
        // New Game: cancelled the game goes on; a new one waits in Ready, ends a pause and warns afresh.
        QTest::newRow("new game cancelled") << kFive << kFive << "b 1 cancel 1" << "0:4:59.800 0:5:0.000 W" << "C";
        QTest::newRow("new game") << kFive << kFive << "warn=1 b 1 p new" << "0:0:1.000 0:0:1.000 ready" << "C";
        QTest::newRow("new game warns afresh") << kSecond << kFive << "warn=1 b 1 new b 1" << "0:0:0.900 0:0:1.000 W" << "CLCL";
        QTest::newRow("low time") << TimeAccount{0, 0, 2, 0} << TimeAccount{0, 0, 1, 500} << "warn=1 b 9 1 w 4 1 b 3 w 3 b" << "0:0:0.700 0:0:0.700 W" << "CLCLCCC";
        // clang-format on
    }
    void games() {
        QFETCH(TimeAccount, white);
        QFETCH(TimeAccount, black);
        vars->PlayerTime[White] = white;
        vars->PlayerTime[Black] = black;
        QFETCH(QString, script);
        Play(script);
        QTEST(State(), "state");
        QTEST(Cues(), "cues");
    }
};

QTEST_GUILESS_MAIN(ClockEngineTest)
#include "ClockEngineTest.moc"
