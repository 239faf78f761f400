// In-process measurements of the clock, printed as "name value unit" lines for
// bench/run to collect. Nothing here asserts a time.
//   velmora_bench accuracy <seconds> <segments> [increment]
//                                                 charged time against the monotonic clock
//   velmora_bench handover <count>                key event to repainted window
//   velmora_bench engine <ticks>                  a long game through the engine alone
//   velmora_bench cues <count>                    cue start, and many cues in a row
//   velmora_bench storm <count>                   hand-overs as fast as keys come, cues on
//   velmora_bench stall <seconds>                 ticks and hand-overs, cues on, while the
//                                                 sound server is stopped (SIGSTOP)
// The last three need a sound server, the last one with-pulseaudio.sh's.
#include "BenchProgram.h"

#include "clock/ClockEngine.h"
#include "clock/ClockHost.h"
#include "sound/LazyAudioOutput.h"
#include "sound/ProcessExit.h"
#include "sound/SoundPlayerUncompressedWAV.h"
#include "sound/SoundThread.h"
#include "sound/WaveSoundCues.h"
#include "state/SettingsStore.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <vector>

using namespace velmora;
using namespace velmora::bench;

namespace {

std::int64_t AccountMs(const TimeAccount& a) {
    return ((std::int64_t(a.Hours) * 60 + a.Minutes) * 60 + a.Seconds) * 1000 + a.Milliseconds;
}

// Figures of this process from /proc: resident memory in KiB, open descriptors.
long ResidentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

int OpenFileDescriptors() {
    return int(QDir(QStringLiteral("/proc/self/fd"))
                   .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)
                   .size());
}

void Print(const char* name, double value, const char* unit) {
    std::printf("%s %.6f %s\n", name, value, unit);
    std::fflush(stdout);
}

// Charged time against the monotonic clock, one figure per segment, in ms per hour
// (negative: the clock charged less than passed, as when ticks come late or not at
// all). Both are read at the clock's own ticks, so the tick phase does not count.
int Accuracy(int seconds, int segments, bool increment) {
    BenchProgram bench(99);
    // With an increment, a hand-over every 2 s adds 2 s; what is charged is
    // what the accounts lost plus what they were given.
    constexpr int kMoveTicks = 20, kIncrementSeconds = 2;
    if (increment)
        bench.Vars().Bonus = {BonusMode::Increment, kIncrementSeconds};
    std::int64_t credited = 0;
    int ticks = 0;
    auto* tickTimer = bench.Window().findChild<QTimer*>(QStringLiteral("TimerClock"));
    const std::int64_t segmentNs = std::int64_t(seconds) * 1000000000 / segments;
    QElapsedTimer monotonic;
    std::int64_t segmentStartNs = -1;
    std::int64_t segmentStartAccount = 0;
    int done = 0;
    // Connected after the window's own connection: runs right after each charge.
    QObject::connect(tickTimer, &QTimer::timeout, [&] {
        const std::int64_t account = AccountMs(bench.Vars().PlayerTime[White]) +
                                     AccountMs(bench.Vars().PlayerTime[Black]) - credited;
        if (increment && ++ticks % kMoveTicks == 0) {
            bench.PressSpace();
            credited += kIncrementSeconds * 1000;
        }
        if (segmentStartNs < 0) {
            monotonic.start();
            segmentStartNs = 0;
            segmentStartAccount = account;
            return;
        }
        const std::int64_t now = monotonic.nsecsElapsed();
        if (now - segmentStartNs < segmentNs)
            return;
        const double passedMs = double(now - segmentStartNs) / 1e6;
        const double chargedMs = double(segmentStartAccount - account);
        Print("accuracy_ms_per_hour", (chargedMs - passedMs) / passedMs * 3600000.0, "ms/h");
        segmentStartNs = now;
        segmentStartAccount = account;
        if (++done == segments)
            QApplication::quit();
    });
    bench.PressSpace(); // White's clock runs
    return QApplication::exec();
}

int HandOver(int count) {
    BenchProgram bench(99);
    std::vector<double> micros;
    micros.reserve(std::size_t(count));
    QApplication::processEvents();
    for (int i = 0; i < count; ++i) {
        QElapsedTimer timer;
        timer.start();
        bench.PressSpace();
        bench.Window().repaint(); // the hand-over's new colours and caption on screen
        micros.push_back(double(timer.nsecsElapsed()) / 1000.0);
        QApplication::processEvents();
    }
    for (double value : micros)
        Print("handover_us", value, "us");
    return 0;
}

// A six-hour game through the engine alone, handing over every 30 ticks.
int Engine(int ticks) {
    test::TestProgram program;
    Variables& vars = program.vars();
    vars.Strings.SetLanguage(LanguageEnglish);
    vars.KeyWhite = vars.KeyBlack = 32;
    vars.PlayerTime[White] = vars.PlayerTime[Black] = {6, 0, 0, 0};
    test::FakeClockHost host;
    ClockEngine engine(*program.program, host);
    engine.SwitchPlayer(32, false, {});
    Print("engine_rss_start_kib", double(ResidentKiB()), "KiB");
    QElapsedTimer timer;
    timer.start();
    for (int tick = 1; tick <= ticks; ++tick) {
        engine.TimerClock_Timer();
        if (tick % 30 == 0)
            engine.SwitchPlayer(32, false, {});
    }
    Print("engine_ns_per_tick", double(timer.nsecsElapsed()) / ticks, "ns");
    Print("engine_rss_end_kib", double(ResidentKiB()), "KiB");
    Print("engine_charged_ms",
          double(2 * 6 * 3600000 - AccountMs(vars.PlayerTime[White]) -
                 AccountMs(vars.PlayerTime[Black])),
          "ms");
    return 0;
}

// The program's cues over the real output module, inside the event loop as in
// the program: from the start of a cue to its output running (the sound
// server's stream is ready when the sink starts), and many cues in a row, each
// cutting off the one before.
int Cues(int count) {
    const QString buildDir = QStringLiteral(VELMORA_BUILD_DIR);
    LazyAudioOutput output(buildDir);
    SoundPlayerUncompressedWAV player(output);
    test::RecordingMessages messages;
    WaveSoundCues cues(player, messages, buildDir);
    int played = -1; // the first cue also loads the module and connects to the server
    QTimer next;
    QObject::connect(&next, &QTimer::timeout, [&] {
        if (played == count) {
            next.stop();
            // The last cue drains and its output is released before the final figures.
            QTimer::singleShot(2500, [] {
                Print("cues_rss_end_kib", double(ResidentKiB()), "KiB");
                Print("cues_fds_end", double(OpenFileDescriptors()), "fds");
                QApplication::quit();
            });
            return;
        }
        QElapsedTimer timer;
        timer.start();
        cues.Play(played % 2 ? Cue::GameOver : Cue::ChangePlayer);
        const double ms = double(timer.nsecsElapsed()) / 1e6;
        if (!player.WavePlaying()) {
            std::fprintf(stderr, "no cue plays: is there a sound server?\n");
            QApplication::exit(1);
        }
        if (played < 0) {
            Print("cue_first_start_ms", ms, "ms");
            next.setInterval(2);
            QTimer::singleShot(0, [] {
                Print("cues_rss_start_kib", double(ResidentKiB()), "KiB");
                Print("cues_fds_start", double(OpenFileDescriptors()), "fds");
            });
        } else {
            Print("cue_start_ms", ms, "ms");
        }
        ++played;
    });
    next.start(500);
    return QApplication::exec();
}

// The cues as main() wires them: on their thread, over the audio module.
struct ProgramCues {
    const QString buildDir = QStringLiteral(VELMORA_BUILD_DIR);
    test::RecordingMessages messages;
    SoundThread sound{[dir = buildDir] { return std::make_unique<LazyAudioOutput>(dir); }};
    WaveSoundCues cues{sound, messages, buildDir};
};

// Each press as fast as the last is done, each with its cue: key event to
// repainted window.
int Storm(int count) {
    ProgramCues cues;
    BenchProgram bench(99, &cues.cues);
    std::vector<double> micros;
    micros.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i) {
        if (i == 100)
            Print("storm_rss_start_kib", double(ResidentKiB()), "KiB");
        QElapsedTimer timer;
        timer.start();
        bench.PressSpace();
        bench.Window().repaint();
        micros.push_back(double(timer.nsecsElapsed()) / 1000.0);
        QApplication::processEvents();
    }
    for (double value : micros)
        Print("storm_handover_us", value, "us");
    QTest::qWait(2500); // the last cue drains and its output is released
    Print("storm_rss_end_kib", double(ResidentKiB()), "KiB");
    return 0;
}

// A running clock handed over every 250 ms with its cue on; after a second the
// sound server is stopped for `seconds`. Prints each tick's distance from the
// one before and each hand-over while it is stopped.
int Stall(int seconds) {
    const pid_t server = pid_t(qEnvironmentVariableIntValue("VELMORA_TEST_PULSE_PID"));
    if (server <= 0) {
        std::fprintf(stderr, "run me with tests/support/with-pulseaudio.sh\n");
        return 2;
    }
    ProgramCues cues;
    BenchProgram bench(99, &cues.cues);
    QElapsedTimer sinceStop;
    std::int64_t lastTickNs = -1;
    QObject::connect(
        bench.Window().findChild<QTimer*>(QStringLiteral("TimerClock")), &QTimer::timeout, [&] {
            const std::int64_t now = sinceStop.isValid() ? sinceStop.nsecsElapsed() : -1;
            if (lastTickNs >= 0 && now >= 0)
                Print("stopped_tick_interval_ms", double(now - lastTickNs) / 1e6, "ms");
            lastTickNs = now;
        });
    QTimer handOvers;
    QObject::connect(&handOvers, &QTimer::timeout, [&] {
        QElapsedTimer timer;
        timer.start();
        bench.PressSpace();
        bench.Window().repaint();
        if (sinceStop.isValid())
            Print("stopped_handover_ms", double(timer.nsecsElapsed()) / 1e6, "ms");
    });
    handOvers.start(250);
    QTimer::singleShot(1000, [&] {
        ::kill(server, SIGSTOP);
        sinceStop.start();
    });
    QTimer::singleShot(1000 + seconds * 1000, [&] {
        ::kill(server, SIGCONT);
        QApplication::quit();
    });
    return QApplication::exec();
}

} // namespace

int Run(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    const QString command = args.value(1);
    if (command == u"accuracy")
        return Accuracy(args.value(2, QStringLiteral("300")).toInt(),
                        args.value(3, QStringLiteral("5")).toInt(), args.value(4) == u"increment");
    if (command == u"handover")
        return HandOver(args.value(2, QStringLiteral("1000")).toInt());
    if (command == u"engine")
        return Engine(args.value(2, QStringLiteral("216000")).toInt());
    if (command == u"cues")
        return Cues(args.value(2, QStringLiteral("10000")).toInt());
    if (command == u"storm")
        return Storm(args.value(2, QStringLiteral("10000")).toInt());
    if (command == u"stall")
        return Stall(args.value(2, QStringLiteral("60")).toInt());
    std::fprintf(stderr, "usage: velmora_bench accuracy|handover|engine|cues|storm|stall [...]\n");
    return 2;
}

int main(int argc, char* argv[]) {
    // As the program does: Qt's audio teardown at exit may abort after sound was played.
    ExitSkippingLibraryTeardown(Run(argc, argv));
}
