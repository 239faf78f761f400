#include "clock/ui/UhrAnzeige.h"
#include "clock/TimeText.h"
#include "options/ui/KeyEvents.h"

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
                                    "[Time]\nP1h=1\nP1min=30\nP2min=5\n";
constexpr quint32 kXKeyA = 38, kXKeyL = 46, kXSpace = 65; // X keycodes: evdev + 8

} // namespace

class UhrAnzeigeTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestUi> t;
    std::unique_ptr<UhrAnzeige> window;

    template <typename T = QWidget> T* Child(const char* name) {
        return window->findChild<T*>(QString::fromLatin1(name));
    }
    QColor Background(const char* name) { return Child(name)->palette().color(QPalette::Window); }
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

private Q_SLOTS:
    // Key presses as X11 delivers them: Qt's key, the modifiers, the X keycode.
    void liveKeyCodes_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<quint32>("xKeycode");
        QTest::addColumn<int>("code");
        const int shift = Qt::ShiftModifier, keypad = Qt::KeypadModifier;
        QTest::newRow("Shift+1 gives !") << int(Qt::Key_Exclam) << shift << 10u << 49;
        QTest::newRow("A with Caps Lock") << int(Qt::Key_A) << shift << 38u << 65;
        QTest::newRow("German Z in the US Y place") << int(Qt::Key_Z) << 0 << 29u << 90;
        QTest::newRow("AltGr") << int(Qt::Key_AltGr) << 0 << 108u << 18;
        QTest::newRow("keypad 7, NumLock on") << int(Qt::Key_7) << keypad << 79u << 103;
        QTest::newRow("keypad 7, NumLock off") << int(Qt::Key_Home) << keypad << 79u << 36;
        QTest::newRow("keypad 5, NumLock off") << int(Qt::Key_Clear) << keypad << 84u << 12;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << keypad << 104u << 13;
        QTest::newRow("no scan code: F5") << int(Qt::Key_F5) << 0 << 0u << 116;
    }
    void liveKeyCodes() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(quint32, xKeycode);
        QTEST(KeyCodeOf(*NativeKeyPress(key, Qt::KeyboardModifiers(modifiers), xKeycode)), "code");
    }

    void startUpShowsCaptionsTimesAndKeys() {
        Load();
        QCOMPARE(Child<QMenu>("File")->title(), QStringLiteral("&Datei"));
        QCOMPARE(Child<QAction>("HelpTopicAbout")->text(), QString::fromUtf8("&Über Velmora..."));
        QCOMPARE(Child<QGroupBox>("FrameAnzeige")->title(),
                 QString::fromUtf8("Schwarz betätigt als erstes die Uhr"));
        QCOMPARE(Child<QLabel>("TimeLeft(0)")->text(), QStringLiteral("01:30:00"));
        QCOMPARE(Child<QLabel>("PlayerKey(2)")->text(), QStringLiteral("L"));
        QVERIFY(Child("LabelTimeBonus")->isHidden()); // no bonus, nothing shown
        QCOMPARE(TimeText({100, 0, 0, 0}), QStringLiteral("100:00:00"));
        QCOMPARE(TimeText({0, 9, 5, 900}), QStringLiteral("00:09:05")); // seconds truncated
    }

    void coloursFollowTheHandOvers() {
        Load();
        QCOMPARE(Background("FrameAnzeige"), QColor(0xC0, 0xC0, 0xC0));
        for (auto [key, xKeycode, colour] :
             {std::tuple{Qt::Key_L, kXKeyL, Qt::white}, std::tuple{Qt::Key_A, kXKeyA, Qt::black}}) {
            Press(key, xKeycode);
            for (const char* name : {"FrameAnzeige", "PlayerKey(1)", "ClientArea"})
                QCOMPARE(Background(name), QColor(colour));
            QCOMPARE(Background("TimeLeft(1)"), QColor(Qt::black)); // time labels keep theirs
        }
        QCOMPARE(Child<QGroupBox>("FrameAnzeige")->title(), QStringLiteral("Schwarz ist am Zug"));
    }

    void heldKeyRepeatsAreNotPresses() {
        Load("[General]\nLanguage=1\n[Time]\nP1min=5\nP2min=5\n"); // both players on Space
        Press(Qt::Key_Space, kXSpace);
        Press(Qt::Key_Space, kXSpace, true);
        QCOMPARE(t->vars().CurrentPlayer, std::uint8_t(White));
        Press(Qt::Key_Space, kXSpace);
        QCOMPARE(t->vars().CurrentPlayer, std::uint8_t(Black));
    }

    void mousePressesOnLabelsAreNotMoves() {
        Load("[General]\nLanguage=1\nMouseButton2=1\n[Time]\nP1min=5\nP2min=5\n");
        QTest::mousePress(Child("TimeLeft(0)"), Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(t->vars().CurrentPlayer, std::uint8_t(NoPlayer));
        QTest::mousePress(Child("FrameAnzeige"), Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(t->vars().CurrentPlayer, std::uint8_t(White));
    }

    void frameStaysCentredOnResize() {
        Load();
        window->resize(1178, 400);
        const QSize outer = window->frameGeometry().size();
        QCOMPARE(Child("FrameAnzeige")->pos(),
                 QPoint(qRound((outer.width() - 569) / 2.0),
                        qRound((outer.height() - 129 - 1000 / 15.0) / 2.0)));
    }

    void shortcutsTriggerTheMenu() {
        Load();
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        for (auto [name, key] :
             {std::pair{"FileNewGame", Qt::Key_N}, std::pair{"FileOptions", Qt::Key_O},
              std::pair{"FileQuit", Qt::Key_X}}) {
            QSignalSpy triggered(Child<QAction>(name), &QAction::triggered);
            QTest::keyClick(window.get(), key, Qt::ControlModifier);
            QCOMPARE(triggered.count(), 1);
        }
    }

    void exitSavesAndAFailedSaveAtASignalShowsNoMessage() {
        Load();
        t->vars().KeyWhite = 66;
        window->close();
        QVERIFY(t->SettingsFileText().startsWith("[General]\nLanguage=2\nMouseButton1=66\n"));
        // A message box at a signal would hold up the end until someone answers it.
        Load();
        QVERIFY(QFile::remove(t->SettingsPath()) && QDir().mkdir(t->SettingsPath()));
        t->vars().KeyWhite = 66;
        window->EndOnRequest();
        QVERIFY(t->modal.Shown().empty());
        QVERIFY(t->messages.shown.empty());
        QCOMPARE(t->messages.logged.size(), 1);
    }

    // A screen reader reads whose time it is and whether it runs, the keys and the help menu.
    void screenReadersFollowTheGame() {
        Load();
        const auto name = [this](QObject* object) {
            return QAccessible::queryAccessibleInterface(object)->text(QAccessible::Name);
        };
        QCOMPARE(name(Child("TimeLeft(0)")), QString::fromUtf8("Weiß: 01:30:00, wartet"));
        QCOMPARE(name(Child("PlayerKey(2)")), u"Taste Schwarz: L");
        QCOMPARE(QAccessible::queryAccessibleInterface(window->menuBar())
                     ->child(2)
                     ->text(QAccessible::Name),
                 u"Hilfe");
        Press(Qt::Key_L, kXKeyL);
        QCOMPARE(name(Child("TimeLeft(0)")), QString::fromUtf8("Weiß: 01:30:00, läuft"));
        for (int tick = 0; tick < 10; ++tick)
            window->Engine().TimerClock_Timer();
        QCOMPARE(name(Child("TimeLeft(0)")), QString::fromUtf8("Weiß: 01:29:59, läuft"));
        Press(Qt::Key_A, kXKeyA);
        QCOMPARE(name(Child("TimeLeft(0)")), QString::fromUtf8("Weiß: 01:29:59, wartet"));
    }

    void pauseHoldsTheClock() {
        Load("[General]\nLanguage=1\n[Time]\nP1min=5\nP2min=5\nIncrementMode=1\n"
             "IncrementSeconds=5\n");
        QCOMPARE(Child<QLabel>("LabelTimeBonus")->text(), QStringLiteral("+5 s"));
        auto* pause = Child<QAction>("FilePause");
        QVERIFY(!pause->isEnabled()); // only a running clock can pause
        Press(Qt::Key_Space, kXSpace);
        pause->trigger();
        QVERIFY(!window->ClockRunning());
        QCOMPARE(Child<QGroupBox>("FrameAnzeige")->title(), u"Paused: Ctrl+P continues");
        QCOMPARE(pause->text(), u"&Continue");
        Press(Qt::Key_Space, kXSpace); // the players' keys do nothing
        QCOMPARE(t->vars().CurrentPlayer, std::uint8_t(White));
        QVERIFY(pause->isEnabled());
        pause->trigger();
        QVERIFY(window->ClockRunning());
        QCOMPARE(Child<QGroupBox>("FrameAnzeige")->title(), u"White's turn");
    }

    // With Fit to window the face scales by one factor, the largest at which
    // the designed client area fits; never below 1, which is the design itself.
    void faceFitsTheWindow_data() {
        QTest::addColumn<QByteArray>("fit");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("time");        // White's time label
        QTest::addColumn<QRect>("key");         // Black's key label
        QTest::addColumn<double>("pointSize");  // of the times
        QTest::addColumn<double>("framePoint"); // of the status line and key names, to the window's
        const QRect designTime(16, 24, 257, 73), designKey(296, 104, 257, 17);
        QTest::newRow("design size")
            << QByteArray("1") << QSize(589, 191) << designTime << designKey << 48.0 << 1.0;
        QTest::newRow("below design")
            << QByteArray("1") << QSize(300, 100) << designTime << designKey << 48.0 << 1.0;
        const double wide = 1920.0 / 589; // the width binds
        QTest::newRow("1920x1080")
            << QByteArray("1") << QSize(1920, 1080) << QRect(52, 78, 838, 238)
            << QRect(965, 339, 838, 55) << 48 * wide << wide;
        QTest::newRow("tall and narrow")
            << QByteArray("1") << QSize(700, 1400) << QRect(19, 29, 305, 87)
            << QRect(352, 124, 305, 20) << 48 * 700.0 / 589 << 700.0 / 589;
        QTest::newRow("fit off") << QByteArray("0") << QSize(1920, 1080) << designTime << designKey
                                 << 48.0 << 1.0;
    }
    void faceFitsTheWindow() {
        QFETCH(QByteArray, fit);
        QFETCH(QSize, size);
        Load("[General]\nLanguage=1\nFitToWindow=" + fit + "\n[Time]\nP1min=5\nP2min=5\n");
        window->resize(size);
        QTEST(Child("TimeLeft(0)")->geometry(), "time");
        QTEST(Child("PlayerKey(2)")->geometry(), "key");
        QFETCH(double, pointSize);
        QCOMPARE(Child("TimeLeft(0)")->font().pointSizeF(), pointSize);
        QFETCH(double, framePoint);
        QCOMPARE(Child("PlayerKey(2)")->font().pointSizeF(), QFont().pointSizeF() * framePoint);
        QCOMPARE(Child<QAction>("ViewFitToWindow")->isChecked(), fit == "1");
    }

    void gameCanBePlayedToTimeOver() {
        // A low-time warning of 5 s: red from the start of the game, not before it.
        Load("[General]\nLanguage=1\nLowTimeWarning=5\n[Time]\nP1sec=1\nP2sec=1\n");
        QCOMPARE(Child("TimeLeft(0)")->palette().color(QPalette::WindowText), QColor(Qt::black));
        Press(Qt::Key_Space, kXSpace);
        for (int tick = 0; tick < 11; ++tick)
            window->Engine().TimerClock_Timer();
        QVERIFY(!window->ClockRunning());
        QCOMPARE(Child<QGroupBox>("FrameAnzeige")->title(),
                 QStringLiteral("Time of player 1 is over."));
        QCOMPARE(Child<QLabel>("TimeLeft(0)")->text(), QStringLiteral("00:00:00"));
        QCOMPARE(Child("TimeLeft(0)")->palette().color(QPalette::WindowText), QColor(Qt::red));
        QCOMPARE(Child("TimeLeft(1)")->palette().color(QPalette::Window), QColor(Qt::black));
    }
};

QTEST_MAIN(UhrAnzeigeTest)
#include "UhrAnzeigeTest.moc"
