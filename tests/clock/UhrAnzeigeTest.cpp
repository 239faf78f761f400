#include "clock/UhrAnzeige.h"
#include "clock/TimeText.h"

#include "NativeKeys.h"
#include "Printers.h"
#include "TestProgram.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

#include <limits>

using namespace velmora;
using namespace velmora::test;

namespace {

const QByteArray kKeysAandL = "[General]\nLanguage=1\nMouseButton1=65\nMouseButton2=76\n"
                              "[Sounds]\nPlayerChange=1\nGameOver=1\n"
                              "[Time]\nP1h=1\nP1min=30\nP2min=5\n";
constexpr quint32 kXKeyA = 38, kXKeyL = 46, kXSpace = 65;

QColor Background(const QWidget* widget) {
    return widget->palette().color(QPalette::Window);
}

} // namespace

class UhrAnzeigeTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() {
        window.reset();
        t.reset();
    }

    void timeText_data();
    void timeText();
    void captionsInBothLanguages_data();
    void captionsInBothLanguages();
    void coloursFollowTheHandOvers();
    void heldKeyRepeatsAreNotPresses();
    void mousePressesOnLabelsAreNotMoves_data();
    void mousePressesOnLabelsAreNotMoves();
    void frameStaysCentredOnResize_data();
    void frameStaysCentredOnResize();
    void shortcutsTriggerTheMenu();
    void closingSavesTheGeneralSettings();
    void failedSaveAtAnEndAskedBySystemShowsNoMessage_data();
    void failedSaveAtAnEndAskedBySystemShowsNoMessage();
    void gameCanBePlayedToTimeOver();

private:
    template <typename T = QWidget> T* Child(const char* name) {
        T* child = window->findChild<T*>(QString::fromLatin1(name));
        if (!child)
            qFatal("no control %s", name);
        return child;
    }
    void Load(const QByteArray& settings = kKeysAandL) {
        t = std::make_unique<TestProgram>();
        t->WriteSettingsFile(settings);
        window = std::make_unique<UhrAnzeige>(*t->program);
        window->Form_Load();
        window->show();
    }
    void Press(int key, quint32 xKeycode, bool autoRepeat = false,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        auto event = NativeKeyPress(key, modifiers, xKeycode, QString(), autoRepeat);
        QApplication::sendEvent(window.get(), event.get());
    }

    std::unique_ptr<TestProgram> t;
    std::unique_ptr<UhrAnzeige> window;
};

void UhrAnzeigeTest::timeText_data() {
    QTest::addColumn<TimeAccount>("account");
    QTest::addColumn<QString>("text");
    QTest::newRow("1 h 30 min") << TimeAccount{1, 30, 0, 0} << "01:30:00";
    QTest::newRow("100 h") << TimeAccount{100, 0, 0, 0} << "100:00:00";
    QTest::newRow("seconds truncated") << TimeAccount{0, 9, 5, 900} << "00:09:05";
    QTest::newRow("negative") << TimeAccount{-5, 0, -1, 0} << "-05:00:-01";
    QTest::newRow("most negative")
        << TimeAccount{std::numeric_limits<std::int32_t>::min(), 0, 0, 0} << "-2147483648:00:00";
}

void UhrAnzeigeTest::timeText() {
    QFETCH(TimeAccount, account);
    QFETCH(QString, text);
    QCOMPARE(TimeText(account), text);
}

void UhrAnzeigeTest::captionsInBothLanguages_data() {
    QTest::addColumn<QByteArray>("language");
    QTest::addColumn<QStringList>("captions"); // File, New Game, About, ready, White's key, neutral
    QTest::newRow("English") << QByteArray("1")
                             << QStringList{
                                    "&File",
                                    "&New Game",
                                    "&About Velmora...",
                                    "First, black has to press any key to start the game for white",
                                    "A",
                                    "The assigned key switches the clock!"};
    QTest::newRow("German") << QByteArray("2")
                            << QStringList{
                                   "&Datei",
                                   "&Neues Spiel",
                                   QString::fromUtf8("&Über Velmora..."),
                                   QString::fromUtf8("Schwarz betätigt als erstes die Uhr"),
                                   "A",
                                   QString::fromUtf8("Ihre zugewiesene Taste betätigt die Uhr!")};
}

void UhrAnzeigeTest::captionsInBothLanguages() {
    QFETCH(QByteArray, language);
    QFETCH(QStringList, captions);
    Load(QByteArray(kKeysAandL).replace("Language=1", "Language=" + language));
    QCOMPARE(window->windowTitle(), QStringLiteral("Velmora 2003"));
    QCOMPARE(Child<QMenu>("File")->title(), captions[0]);
    QCOMPARE(Child<QAction>("FileNewGame")->text(), captions[1]);
    QCOMPARE(Child<QAction>("HelpTopicAbout")->text(), captions[2]);
    QCOMPARE(Child<QMenu>("HelpTopic")->title(), QStringLiteral("&?"));
    QCOMPARE(Child<QGroupBox>("FrameAnzeige")->title(), captions[3]);
    QCOMPARE(Child<QLabel>("PlayerKey(1)")->text(), captions[4]);
    QCOMPARE(Child<QLabel>("TimeLeft(0)")->text(), QStringLiteral("01:30:00"));
    QCOMPARE(Child<QLabel>("TimeLeft(1)")->text(), QStringLiteral("00:05:00"));
    window->ApplyCaptions();
    QCOMPARE(Child<QGroupBox>("FrameAnzeige")->title(), captions[5]);
}

void UhrAnzeigeTest::coloursFollowTheHandOvers() {
    Load();
    const auto coloured = {Child("FrameAnzeige"), Child("PlayerKey(1)"), Child("PlayerKey(2)"),
                           window->centralWidget()};
    for (QWidget* w : coloured)
        QCOMPARE(Background(w), QColor(0xC0, 0xC0, 0xC0));
    struct Step {
        int key;
        quint32 xKeycode;
        QColor background, text;
        const char* status;
    };
    for (const Step& step : {Step{Qt::Key_L, kXKeyL, Qt::white, Qt::black, "White's turn"},
                             Step{Qt::Key_A, kXKeyA, Qt::black, Qt::white, "Black's turn"},
                             Step{Qt::Key_L, kXKeyL, Qt::white, Qt::black, "White's turn"}}) {
        Press(step.key, step.xKeycode, false, Qt::ShiftModifier); // Shift does not matter
        QCOMPARE(Child<QGroupBox>("FrameAnzeige")->title(), QString::fromLatin1(step.status));
        for (QWidget* w : coloured)
            QCOMPARE(Background(w), step.background);
        QCOMPARE(Child("PlayerKey(2)")->palette().color(QPalette::WindowText), step.text);
        // The time labels keep their own colours.
        QCOMPARE(Background(Child("TimeLeft(0)")), QColor(Qt::white));
        QCOMPARE(Background(Child("TimeLeft(1)")), QColor(Qt::black));
    }
    QCOMPARE(t->cues.played.size(), std::size_t(3));
}

void UhrAnzeigeTest::heldKeyRepeatsAreNotPresses() {
    Load("[General]\nLanguage=1\n[Time]\nP1min=5\nP2min=5\n"); // both players on Space
    Press(Qt::Key_Space, kXSpace);
    for (int i = 0; i < 5; ++i)
        Press(Qt::Key_Space, kXSpace, true);
    QCOMPARE(t->vars().CurrentPlayer, std::uint8_t(White));
    Press(Qt::Key_Space, kXSpace);
    QCOMPARE(t->vars().CurrentPlayer, std::uint8_t(Black));
}

void UhrAnzeigeTest::mousePressesOnLabelsAreNotMoves_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("routed");
    QTest::newRow("window background") << "ClientArea" << true;
    QTest::newRow("frame") << "FrameAnzeige" << true;
    QTest::newRow("White's time") << "TimeLeft(0)" << false;
    QTest::newRow("Black's key") << "PlayerKey(2)" << false;
}

void UhrAnzeigeTest::mousePressesOnLabelsAreNotMoves() {
    QFETCH(QString, target);
    QFETCH(bool, routed);
    Load("[General]\nLanguage=1\nMouseButton1=2\nMouseButton2=1\n[Time]\nP1min=5\nP2min=5\n");
    QWidget* widget = Child(target.toLatin1().constData());
    QTest::mousePress(widget, Qt::RightButton, {}, QPoint(2, 2)); // White's button
    QCOMPARE(t->vars().CurrentPlayer, std::uint8_t(NoPlayer));
    QTest::mousePress(widget, Qt::LeftButton, {}, QPoint(2, 2));
    QCOMPARE(t->vars().CurrentPlayer, std::uint8_t(routed ? White : NoPlayer));
}

void UhrAnzeigeTest::frameStaysCentredOnResize_data() {
    QTest::addColumn<QSize>("size");
    QTest::newRow("twice as wide") << QSize(1178, 400);
    QTest::newRow("smaller than the frame") << QSize(300, 100);
}

void UhrAnzeigeTest::frameStaysCentredOnResize() {
    QFETCH(QSize, size);
    Load();
    window->resize(size);
    const QSize outer = window->frameGeometry().size();
    const QWidget* frame = Child("FrameAnzeige");
    QCOMPARE(frame->pos(), QPoint(qRound((outer.width() - 569) / 2.0),
                                  qRound((outer.height() - 129 - 1000 / 15.0) / 2.0)));
}

void UhrAnzeigeTest::shortcutsTriggerTheMenu() {
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

void UhrAnzeigeTest::closingSavesTheGeneralSettings() {
    Load("[General]\nLanguage=2\nMouseButton1=65\nMouseButton2=1\n[Time]\nP1min=5\nP2min=5\n");
    t->vars().KeyWhite = 66;
    window->close();
    QVERIFY(t->SettingsFileText().startsWith(
        "[General]\nLanguage=2\nMouseButton1=66\nMouseButton2=1\n"));
}

void UhrAnzeigeTest::failedSaveAtAnEndAskedBySystemShowsNoMessage_data() {
    QTest::addColumn<bool>("askedBySystem");
    QTest::newRow("Exit") << false;
    QTest::newRow("a signal") << true;
}

void UhrAnzeigeTest::failedSaveAtAnEndAskedBySystemShowsNoMessage() {
    // A message box at a signal would hold up the end until someone answers it.
    QFETCH(bool, askedBySystem);
    Load();
    QVERIFY(QFile::remove(t->SettingsPath()) &&
            QDir().mkdir(t->SettingsPath())); // cannot be written
    t->modal.Expect(ScriptedModalRunner::AcceptMessage());
    t->vars().KeyWhite = 66;
    askedBySystem ? window->EndOnRequest() : window->FileQuit_Click();
    QCOMPARE(t->modal.Shown().size(), std::size_t(askedBySystem ? 0 : 1));
}

void UhrAnzeigeTest::gameCanBePlayedToTimeOver() {
    Load("[General]\nLanguage=1\n[Sounds]\nPlayerChange=0\nGameOver=1\n[Time]\nP1sec=1\nP2sec=1\n");
    Press(Qt::Key_Space, kXSpace);
    for (int tick = 0; tick < 11; ++tick)
        window->Engine().TimerClock_Timer();
    QVERIFY(!window->ClockRunning());
    QCOMPARE(Child<QGroupBox>("FrameAnzeige")->title(),
             QStringLiteral("Time of player 1 is over."));
    QCOMPARE(Child<QLabel>("TimeLeft(0)")->text(), QStringLiteral("00:00:00"));
    QCOMPARE(t->cues.played, std::vector<Cue>{Cue::GameOver});
    Press(Qt::Key_Space, kXSpace);
    QVERIFY(!window->ClockRunning());
}

QTEST_MAIN(UhrAnzeigeTest)
#include "UhrAnzeigeTest.moc"
