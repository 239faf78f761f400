#include "clock/UhrAnzeige.h"

#include "NativeKeys.h"
#include "TestProgram.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>

using namespace velmora;
using namespace velmora::test;

namespace {

const QByteArray kFiveMinutesEach = "[General]\nLanguage=1\nMouseButton1=65\nMouseButton2=76\n"
                                    "[Sounds]\nPlayerChange=1\nGameOver=1\n"
                                    "[Time]\nP1h=1\nP1min=30\nP1sec=0\nP2h=0\nP2min=5\nP2sec=0\n";

constexpr quint32 kXKeyA = 38, kXKeyL = 46;

QColor Background(const QWidget* widget) { return widget->palette().color(QPalette::Window); }
QColor Foreground(const QWidget* widget) { return widget->palette().color(QPalette::WindowText); }

} // namespace

class TestUhrAnzeige : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void startUpShowsTimesKeysAndReadyStatus();
    void controlsCarryTheirNamesAndFonts();
    void captionsInBothLanguages_data();
    void captionsInBothLanguages();
    void coloursFollowTheHandOvers();
    void keysRouteToTheEngine();
    void heldKeyRepeatsAreNotPresses();
    void mousePressesOnLabelsAreNotMoves_data();
    void mousePressesOnLabelsAreNotMoves();
    void frameStaysCentredOnResize_data();
    void frameStaysCentredOnResize();
    void shortcutsTriggerTheMenu_data();
    void shortcutsTriggerTheMenu();
    void closingSavesTheGeneralSettings();
    void gameCanBePlayedToTimeOver();

private:
    template <typename T>
    T* Child(const QString& name) {
        T* child = window->findChild<T*>(name);
        if (!child)
            qFatal("no control %s", qPrintable(name));
        return child;
    }
    void Load(const QByteArray& settings = kFiveMinutesEach);
    void Press(int key, quint32 xKeycode, bool autoRepeat = false,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    std::unique_ptr<TestProgram> t;
    std::unique_ptr<UhrAnzeige> window;
};

void TestUhrAnzeige::init() { t = std::make_unique<TestProgram>(); }

void TestUhrAnzeige::cleanup() {
    window.reset();
    t.reset();
}

void TestUhrAnzeige::Load(const QByteArray& settings) {
    t->WriteSettingsFile(settings);
    window = std::make_unique<UhrAnzeige>(*t->program);
    window->Form_Load();
    window->show();
}

void TestUhrAnzeige::Press(int key, quint32 xKeycode, bool autoRepeat,
                           Qt::KeyboardModifiers modifiers) {
    auto event = NativeKeyPress(key, modifiers, xKeycode, QString(), autoRepeat);
    QApplication::sendEvent(window.get(), event.get());
}

void TestUhrAnzeige::startUpShowsTimesKeysAndReadyStatus() {
    Load();
    QCOMPARE(Child<QLabel>("TimeLeft(0)")->text(), QStringLiteral("01:30:00"));
    QCOMPARE(Child<QLabel>("TimeLeft(1)")->text(), QStringLiteral("00:05:00"));
    QCOMPARE(Child<QLabel>("PlayerKey(1)")->text(), QStringLiteral("A"));
    QCOMPARE(Child<QLabel>("PlayerKey(2)")->text(), QStringLiteral("L"));
    QCOMPARE(Child<QGroupBox>("FrameAnzeige")->title(),
             QStringLiteral("First, black has to press any key to start the game for white"));
    QCOMPARE(window->windowTitle(), QStringLiteral("Velmora 2003"));
    QVERIFY(!window->ClockRunning());
    QCOMPARE(t->vars().CurrentPlayer, std::uint8_t(NoPlayer));
    QCOMPARE(t->modal.Unanswered(), 0);
}

void TestUhrAnzeige::controlsCarryTheirNamesAndFonts() {
    Load();
    const auto* white = Child<QLabel>("TimeLeft(0)");
    const auto* black = Child<QLabel>("TimeLeft(1)");
    QCOMPARE(white->font().family(), QStringLiteral("Arial"));
    QCOMPARE(white->font().pointSize(), 48);
    QCOMPARE(white->geometry(), QRect(16, 24, 257, 73));
    QCOMPARE(black->geometry(), QRect(296, 24, 257, 73));
    QCOMPARE(Child<QLabel>("PlayerKey(2)")->geometry(), QRect(296, 104, 257, 17));
    QCOMPARE(Child<QGroupBox>("FrameAnzeige")->size(), QSize(569, 129));
    QCOMPARE(Background(white), QColor(Qt::white));
    QCOMPARE(Foreground(white), QColor(Qt::black));
    QCOMPARE(Background(black), QColor(Qt::black));
    QCOMPARE(Foreground(black), QColor(Qt::white));
    QVERIFY(window->findChild<QTimer*>(QStringLiteral("TimerClock")));
    for (const char* name : {"File", "HelpTopic"})
        QVERIFY2(window->findChild<QMenu*>(QString::fromLatin1(name)), name);
    for (const char* name : {"FileNewGame", "FileLine", "FileOptions", "FileLine2", "FileQuit", "HelpTopicAbout"})
        QVERIFY2(window->findChild<QAction*>(QString::fromLatin1(name)), name);
}

void TestUhrAnzeige::captionsInBothLanguages_data() {
    QTest::addColumn<QByteArray>("language");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("newGame");
    QTest::addColumn<QString>("about");
    QTest::addColumn<QString>("ready");
    QTest::addColumn<QString>("whitesKey");
    QTest::newRow("English") << QByteArray("1") << "&File" << "&New Game" << "&About Velmora..."
                             << "First, black has to press any key to start the game for white"
                             << "Space";
    QTest::newRow("German") << QByteArray("2") << "&Datei" << "&Neues Spiel"
                            << QString::fromUtf8("&Über Velmora...")
                            << QString::fromUtf8("Schwarz betätigt als erstes die Uhr") << "Leertaste";
}

void TestUhrAnzeige::captionsInBothLanguages() {
    QFETCH(QByteArray, language);
    QFETCH(QString, file);
    QFETCH(QString, newGame);
    QFETCH(QString, about);
    QFETCH(QString, ready);
    QFETCH(QString, whitesKey);
    Load("[General]\nLanguage=" + language + "\n[Time]\nP1min=5\nP2min=5\n");
    QCOMPARE(Child<QMenu>("File")->title(), file);
    QCOMPARE(Child<QAction>("FileNewGame")->text(), newGame);
    QCOMPARE(Child<QAction>("HelpTopicAbout")->text(), about);
    QCOMPARE(Child<QMenu>("HelpTopic")->title(), QStringLiteral("&?"));
    QCOMPARE(Child<QGroupBox>("FrameAnzeige")->title(), ready);
    QCOMPARE(Child<QLabel>("PlayerKey(1)")->text(), whitesKey);

    window->ApplyCaptions();
    const QString neutral = language == "2" ? QString::fromUtf8("Ihre zugewiesene Taste betätigt die Uhr!")
                                            : QStringLiteral("The assigned key switches the clock!");
    QCOMPARE(Child<QGroupBox>("FrameAnzeige")->title(), neutral);
}

void TestUhrAnzeige::coloursFollowTheHandOvers() {
    Load();
    auto* frame = Child<QGroupBox>("FrameAnzeige");
    auto* whitesKey = Child<QLabel>("PlayerKey(1)");
    auto* blacksKey = Child<QLabel>("PlayerKey(2)");
    const QColor grey(0xC0, 0xC0, 0xC0);
    for (QWidget* w : {static_cast<QWidget*>(frame), static_cast<QWidget*>(whitesKey),
                       window->centralWidget()})
        QCOMPARE(Background(w), grey);

    struct Step {
        quint32 xKey;
        int key;
        QColor background;
        QColor text;
        const char* status;
    };
    const Step steps[] = {
        {kXKeyL, Qt::Key_L, Qt::white, Qt::black, "White's turn"},
        {kXKeyA, Qt::Key_A, Qt::black, Qt::white, "Black's turn"},
        {kXKeyL, Qt::Key_L, Qt::white, Qt::black, "White's turn"},
    };
    for (const Step& step : steps) {
        Press(step.key, step.xKey);
        QCOMPARE(frame->title(), QString::fromLatin1(step.status));
        for (QWidget* w : {static_cast<QWidget*>(frame), static_cast<QWidget*>(whitesKey),
                           static_cast<QWidget*>(blacksKey), window->centralWidget()})
            QCOMPARE(Background(w), step.background);
        QCOMPARE(Foreground(frame), step.text);
        QCOMPARE(Foreground(blacksKey), step.text);
        // The time labels keep their own colours.
        QCOMPARE(Background(Child<QLabel>("TimeLeft(0)")), QColor(Qt::white));
        QCOMPARE(Background(Child<QLabel>("TimeLeft(1)")), QColor(Qt::black));
    }
    QCOMPARE(t->cues.played.size(), std::size_t(3));
}

void TestUhrAnzeige::keysRouteToTheEngine() {
    Load();
    Press(Qt::Key_A, kXKeyA); // White's key does not start the game
    QCOMPARE(t->vars().CurrentPlayer, std::uint8_t(NoPlayer));
    Press(Qt::Key_L, kXKeyL, false, Qt::ShiftModifier); // Shift does not matter
    QCOMPARE(t->vars().CurrentPlayer, std::uint8_t(White));
    QVERIFY(window->ClockRunning());
    Press(Qt::Key_A, kXKeyA, false, Qt::ControlModifier | Qt::AltModifier);
    QCOMPARE(t->vars().CurrentPlayer, std::uint8_t(Black));
}

void TestUhrAnzeige::heldKeyRepeatsAreNotPresses() {
    Load("[General]\nLanguage=1\n[Time]\nP1min=5\nP2min=5\n"); // both players on Space
    constexpr quint32 kXSpace = 65;
    Press(Qt::Key_Space, kXSpace);
    QCOMPARE(t->vars().CurrentPlayer, std::uint8_t(White));
    for (int i = 0; i < 5; ++i)
        Press(Qt::Key_Space, kXSpace, true);
    QCOMPARE(t->vars().CurrentPlayer, std::uint8_t(White));
    Press(Qt::Key_Space, kXSpace);
    QCOMPARE(t->vars().CurrentPlayer, std::uint8_t(Black));
}

void TestUhrAnzeige::mousePressesOnLabelsAreNotMoves_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("routed");
    QTest::newRow("window background") << "ClientArea" << true;
    QTest::newRow("frame") << "FrameAnzeige" << true;
    QTest::newRow("White's time") << "TimeLeft(0)" << false;
    QTest::newRow("Black's time") << "TimeLeft(1)" << false;
    QTest::newRow("White's key") << "PlayerKey(1)" << false;
    QTest::newRow("Black's key") << "PlayerKey(2)" << false;
}

void TestUhrAnzeige::mousePressesOnLabelsAreNotMoves() {
    QFETCH(QString, target);
    QFETCH(bool, routed);
    Load("[General]\nLanguage=1\nMouseButton1=2\nMouseButton2=1\n[Time]\nP1min=5\nP2min=5\n");
    auto* widget = Child<QWidget>(target);
    QTest::mousePress(widget, Qt::RightButton, {}, QPoint(2, 2));
    QCOMPARE(t->vars().CurrentPlayer, std::uint8_t(NoPlayer)); // right is White's
    QTest::mousePress(widget, Qt::LeftButton, {}, QPoint(2, 2));
    QCOMPARE(t->vars().CurrentPlayer, std::uint8_t(routed ? White : NoPlayer));
}

void TestUhrAnzeige::frameStaysCentredOnResize_data() {
    QTest::addColumn<QSize>("size");
    QTest::newRow("design size") << QSize(589, 191);
    QTest::newRow("twice as wide") << QSize(1178, 400);
    QTest::newRow("smaller than the frame") << QSize(300, 100);
}

void TestUhrAnzeige::frameStaysCentredOnResize() {
    QFETCH(QSize, size);
    Load();
    window->resize(size);
    QTest::qWait(0);
    const QSize outer = window->frameGeometry().size();
    const auto* frame = Child<QGroupBox>("FrameAnzeige");
    QCOMPARE(frame->x(), qRound((outer.width() - 569) / 2.0));
    QCOMPARE(frame->y(), qRound((outer.height() - 129 - 1000 / 15.0) / 2.0));
}

void TestUhrAnzeige::shortcutsTriggerTheMenu_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("key");
    QTest::newRow("Ctrl+N") << "FileNewGame" << int(Qt::Key_N);
    QTest::newRow("Ctrl+O") << "FileOptions" << int(Qt::Key_O);
    QTest::newRow("Ctrl+X") << "FileQuit" << int(Qt::Key_X);
}

void TestUhrAnzeige::shortcutsTriggerTheMenu() {
    QFETCH(QString, action);
    QFETCH(int, key);
    Load();
    QApplication::setActiveWindow(window.get());
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QSignalSpy triggered(Child<QAction>(action), &QAction::triggered);
    QTest::keyClick(window.get(), Qt::Key(key), Qt::ControlModifier);
    QCOMPARE(triggered.count(), 1);
}

void TestUhrAnzeige::closingSavesTheGeneralSettings() {
    Load("[General]\nLanguage=2\nMouseButton1=65\nMouseButton2=1\n[Time]\nP1min=5\nP2min=5\n");
    t->vars().KeyWhite = 66;
    window->close();
    const auto store = t->ReopenStore();
    QCOMPARE(store->ReadText(QStringLiteral("General"), QStringLiteral("Language")), QStringLiteral("2"));
    QCOMPARE(store->ReadText(QStringLiteral("General"), QStringLiteral("MouseButton1")), QStringLiteral("66"));
    QCOMPARE(store->ReadText(QStringLiteral("General"), QStringLiteral("MouseButton2")), QStringLiteral("1"));
    QVERIFY(t->SettingsFileText().startsWith("[General]"));
}

void TestUhrAnzeige::gameCanBePlayedToTimeOver() {
    Load("[General]\nLanguage=1\n[Sounds]\nPlayerChange=0\nGameOver=1\n[Time]\nP1sec=1\nP2sec=1\n");
    constexpr quint32 kXSpace = 65;
    Press(Qt::Key_Space, kXSpace);
    for (int tick = 0; tick < 11; ++tick)
        window->Engine().TimerClock_Timer();
    QVERIFY(!window->ClockRunning());
    QCOMPARE(Child<QGroupBox>("FrameAnzeige")->title(), QStringLiteral("Time of player 1 is over."));
    QCOMPARE(Child<QLabel>("TimeLeft(0)")->text(), QStringLiteral("00:00:00"));
    QCOMPARE(t->cues.played, (std::vector<Cue>{Cue::GameOver}));
    Press(Qt::Key_Space, kXSpace);
    QVERIFY(!window->ClockRunning());
}

QTEST_MAIN(TestUhrAnzeige)
#include "tst_uhranzeige.moc"
