#include "clock/ui/UhrAnzeige.h"

#include "UiFakes.h"

#include <QAccessible>
#include <QAction>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>

using namespace velmora;
using namespace velmora::test;

namespace {

const QByteArray kGermanKeysAandL = "[General]\nLanguage=2\nMouseButton1=65\nMouseButton2=76\n"
                                    "LowTimeWarning=5\n[Time]\nP1h=1\nP1min=30\nP2sec=1\n";
constexpr quint32 kXKeyA = 38, kXKeyL = 46, kXSpace = 65; // X keycodes: evdev + 8

} // namespace

class UhrAnzeigeTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestUi> t;
    std::unique_ptr<UhrAnzeige> window;

    template <typename T = QWidget> T* Child(const char* name) {
        return window->findChild<T*>(QString::fromLatin1(name));
    }
    QColor Colour(const char* name, QPalette::ColorRole role = QPalette::Window) {
        return Child(name)->palette().color(role);
    }
    QString Status() { return Child<QGroupBox>("FrameAnzeige")->title(); }
    QString ReadAs(const char* name) {
        return QAccessible::queryAccessibleInterface(Child(name))->text(QAccessible::Name);
    }
    void Load(const QByteArray& settings = kGermanKeysAandL) {
        window.reset(); // before the program it belongs to
        t = std::make_unique<TestUi>();
        t->WriteSettingsFile(settings);
        window = std::make_unique<UhrAnzeige>(*t->program, t->services);
        window->Form_Load();
        window->show();
    }
    void Press(int key, quint32 xKeycode, bool autoRepeat = false) {
        auto event = NativeKeyPress(key, Qt::ShiftModifier, xKeycode, QString(), autoRepeat);
        QApplication::sendEvent(window.get(), event.get()); // Shift does not matter
    }
    void Tick(int count) {
        while (count-- > 0)
            window->Engine().TimerClock_Timer();
    }

private Q_SLOTS:
    // A game as the window shows it: captions, times, key names, colours, and
    // what a screen reader reads, in German, with a low-time warning.
    void aGameInTheWindow() {
        Load();
        QCOMPARE(Child<QAction>("HelpTopicAbout")->text(), QString::fromUtf8("&Über Velmora..."));
        QCOMPARE(Status(), QString::fromUtf8("Schwarz betätigt als erstes die Uhr"));
        QCOMPARE(Child<QLabel>("TimeLeft(0)")->text(), u"01:30:00");
        QVERIFY(Child("LabelTimeBonus")->isHidden()); // no bonus, nothing shown
        QCOMPARE(Colour("FrameAnzeige"), QColor(0xC0, 0xC0, 0xC0));
        QCOMPARE(Colour("TimeLeft(1)", QPalette::WindowText), QColor(Qt::white));
        QCOMPARE(ReadAs("TimeLeft(0)"), QString::fromUtf8("Weiß: 01:30:00, wartet"));
        QCOMPARE(ReadAs("PlayerKey(2)"), u"Taste Schwarz: L");
        QCOMPARE(QAccessible::queryAccessibleInterface(window->menuBar())
                     ->child(2)
                     ->text(QAccessible::Name),
                 u"Hilfe");
        QVERIFY(QAccessible::queryAccessibleInterface(qApp)); // the root a screen reader asks first
        Press(Qt::Key_L, kXKeyL);
        Tick(10);
        QCOMPARE(ReadAs("TimeLeft(0)"), QString::fromUtf8("Weiß: 01:29:59, läuft"));
        for (const char* name : {"FrameAnzeige", "PlayerKey(1)", "ClientArea"})
            QCOMPARE(Colour(name), QColor(Qt::white));
        Press(Qt::Key_A, kXKeyA);
        QCOMPARE(Status(), u"Schwarz ist am Zug");
        QCOMPARE(ReadAs("TimeLeft(0)"), QString::fromUtf8("Weiß: 01:29:59, wartet"));
        QCOMPARE(Colour("PlayerKey(2)"), QColor(Qt::black));
        QCOMPARE(Colour("TimeLeft(1)"), QColor(Qt::black)); // time labels keep theirs
        QCOMPARE(Colour("TimeLeft(1)", QPalette::WindowText), QColor(Qt::red)); // low time
        Tick(12);
        QVERIFY(!window->ClockRunning());
        QCOMPARE(Status(), u"Die Zeit von Spieler 2 ist abgelaufen.");
        QCOMPARE(Child<QLabel>("TimeLeft(1)")->text(), u"00:00:00");
        QCOMPARE(Colour("TimeLeft(0)", QPalette::WindowText), QColor(Qt::black));
    }

    // A held key's repeats are no presses; a click on a label is no move, on the frame it is.
    void pressesThatAreNoMoves() {
        Load("[General]\nLanguage=1\nMouseButton1=1\n[Time]\nP1min=5\nP2min=5\n");
        Press(Qt::Key_Space, kXSpace);
        QTest::mousePress(Child("TimeLeft(0)"), Qt::LeftButton, {}, QPoint(2, 2));
        Press(Qt::Key_Space, kXSpace, true);
        QCOMPARE(t->vars().CurrentPlayer, std::uint8_t(White));
        QTest::mousePress(Child("FrameAnzeige"), Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(t->vars().CurrentPlayer, std::uint8_t(Black));
    }

    void menuAndPause() {
        Load("[General]\nLanguage=1\n[Time]\nP1min=5\nP2min=5\nIncrementMode=1\n"
             "IncrementSeconds=5\n");
        QCOMPARE(Child<QLabel>("LabelTimeBonus")->text(), u"+5 s");
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        for (auto [name, key] : {std::pair{"FileNewGame", Qt::Key_N},
                                 {"FileOptions", Qt::Key_O},
                                 {"FileQuit", Qt::Key_X},
                                 {"ViewFullScreen", Qt::Key_F}}) {
            QSignalSpy triggered(Child<QAction>(name), &QAction::triggered);
            QTest::keyClick(window.get(), key, Qt::ControlModifier);
            QCOMPARE(triggered.count(), 1);
        }
        auto* pause = Child<QAction>("FilePause");
        QVERIFY(!pause->isEnabled()); // only a running clock can pause
        Press(Qt::Key_Space, kXSpace);
        pause->trigger();
        QVERIFY(!window->ClockRunning());
        QCOMPARE(Status(), u"Paused: Ctrl+P continues");
        QCOMPARE(pause->text(), u"&Continue");
        Press(Qt::Key_Space, kXSpace); // the players' keys do nothing
        QCOMPARE(t->vars().CurrentPlayer, std::uint8_t(White));
        pause->trigger();
        QVERIFY(window->ClockRunning());
        QCOMPARE(Status(), u"White's turn");
    }

    // The frame stays centred; with Fit to window (or in full screen) the face
    // scales by one factor, the largest at which the designed client area
    // fits, and never below 1, which is the design itself.
    void faceFitsTheWindow_data() {
        QTest::addColumn<QByteArray>("fit");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("time");    // White's time label
        QTest::addColumn<QRect>("key");     // Black's key label
        QTest::addColumn<double>("factor"); // of the fonts
        const QRect designTime(16, 24, 257, 73), designKey(296, 104, 257, 17);
        const QByteArray on("1"), off("0");
        const double wide = 1920.0 / 589; // the width binds
        // clang-format off
        QTest::newRow("design size") << on << QSize(589, 191) << designTime << designKey << 1.0;
        QTest::newRow("below design") << on << QSize(300, 100) << designTime << designKey << 1.0;
        QTest::newRow("1920x1080") << on << QSize(1920, 1080) << QRect(52, 78, 838, 238) << QRect(965, 339, 838, 55) << wide;
        QTest::newRow("tall and narrow") << on << QSize(700, 1400) << QRect(19, 29, 305, 87) << QRect(352, 124, 305, 20) << 700.0 / 589;
        QTest::newRow("fit off") << off << QSize(1920, 1080) << designTime << designKey << 1.0;
        // clang-format on
    }
    void faceFitsTheWindow() {
        QFETCH(QByteArray, fit);
        QFETCH(QSize, size);
        Load("[General]\nLanguage=1\nFitToWindow=" + fit + "\n[Time]\nP1min=5\nP2min=5\n");
        window->resize(size);
        QTEST(Child("TimeLeft(0)")->geometry(), "time");
        QTEST(Child("PlayerKey(2)")->geometry(), "key");
        QFETCH(double, factor);
        QCOMPARE(Child("TimeLeft(0)")->font().pointSizeF(), 48 * factor);
        QCOMPARE(Child("PlayerKey(2)")->font().pointSizeF(), QFont().pointSizeF() * factor);
        const QSize outer = window->frameGeometry().size(), frame = Child("FrameAnzeige")->size();
        QCOMPARE(Child("FrameAnzeige")->pos(),
                 QPoint(qRound((outer.width() - frame.width()) / 2.0),
                        qRound((outer.height() - frame.height() - 1000 / 15.0) / 2.0)));
    }

    void exitSavesAndASignalShowsNoMessage() {
        Load();
        t->vars().KeyWhite = 66;
        window->close();
        QVERIFY(t->SettingsFileText().contains("\nMouseButton1=66\n"));
        // A message box at a signal would hold up the end until someone answers it.
        Load();
        QVERIFY(QFile::remove(t->SettingsPath()) && QDir().mkdir(t->SettingsPath()));
        t->vars().KeyWhite = 66;
        window->EndOnRequest();
        QVERIFY(t->messages.shown.empty());
        QCOMPARE(t->messages.logged.size(), 1);
    }
};

QTEST_MAIN(UhrAnzeigeTest)
#include "UhrAnzeigeTest.moc"
