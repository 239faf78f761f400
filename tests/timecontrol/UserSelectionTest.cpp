#include "UiFakes.h"

#include "clock/ClockEngine.h"
#include "clock/ui/UhrAnzeige.h"
#include "timecontrol/TimeSettings.h"
#include "timecontrol/ui/UserSelection.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace velmora;
using namespace velmora::test;

namespace {

constexpr std::int32_t kSpace = 32;
const QByteArray kGeneral = "[General]\nLanguage=1\nMouseButton1=32\nMouseButton2=32\n\n";
const QByteArray kFiveMinutes = "[Time]\nP1min=5\nP2min=5\nGameType=1\n";

template <typename T> T* Child(QDialog& d, const QString& name) {
    return d.findChild<T*>(name);
}
QRadioButton* Option(QDialog& d, int i) {
    return Child<QRadioButton>(d, QStringLiteral("OptionGameTime(%1)").arg(i));
}
QLineEdit* Box(QDialog& d, int player, int i) {
    return Child<QLineEdit>(d, QStringLiteral("MaskEdBox%1(%2)").arg(player).arg(i));
}

// What one showing of the dialog offered, e.g. "9 (boxes off): 1 30 0 / 1 30 0,
// runs on": the selected time control, whether the boxes can be edited, White's
// and Black's boxes, the check box, the time bonus and whether Cancel can be pressed.
QString LookAt(QDialog& d) {
    int selected = -1;
    for (int i = 0; i < 15; ++i)
        selected = Option(d, i)->isChecked() ? i : selected;
    QString view =
        QStringLiteral("%1%2:").arg(selected).arg(Box(d, 1, 1)->isEnabled() ? "" : " (boxes off)");
    for (int i = 0; i < 6; ++i)
        view += (i == 3 ? " / " : " ") + Box(d, 1 + i / 3, 1 + i % 3)->text();
    if (Child<QCheckBox>(d, "OptionGameTimeContinues")->isChecked())
        view += ", runs on";
    if (const auto* bonus = Child<QComboBox>(d, "SelectionTimeBonus"); bonus->currentIndex())
        view += ", " + bonus->currentText() + " " + Child<QLineEdit>(d, "TextBonusSeconds")->text();
    if (!Child<QPushButton>(d, "ButtonCancel")->isEnabled())
        view += ", no Cancel";
    return view;
}

// Answers the dialog by a script: a time control (0 user defined, 1..14 the
// presets), then "runs" for the check box, "bonus <mode> <seconds>", up to six
// texts for the boxes "a|b|c|d|e|f", and the ways out tried in turn: OK,
// Cancel, Escape or frame.
ScriptedModalRunner::Answer Choose(const QString& script) {
    return [script](QDialog& d) {
        const QStringList words = script.split(u' ');
        Option(d, words[0].toInt())->click();
        Child<QCheckBox>(d, "OptionGameTimeContinues")->setChecked(words.contains(u"runs"));
        if (const qsizetype bonus = words.indexOf(u"bonus"); bonus > 0) {
            Child<QComboBox>(d, "SelectionTimeBonus")->setCurrentIndex(words[bonus + 1].toInt());
            Child<QLineEdit>(d, "TextBonusSeconds")->setText(words[bonus + 2]);
        }
        for (const QString& word : words) {
            if (!word.contains(u'|'))
                continue;
            const QStringList typed = word.split(u'|');
            for (int i = 0; i < typed.size(); ++i)
                Box(d, 1 + i / 3, 1 + i % 3)->setText(typed[i]);
        }
        for (const QString& leave : words) {
            if (leave == u"Escape")
                QTest::keyClick(&d, Qt::Key_Escape);
            else if (leave == u"frame")
                d.close();
            else if (leave == u"OK" || leave == u"Cancel")
                QTest::mouseClick(
                    Child<QPushButton>(d, leave == u"OK" ? "ButtonOkay" : "ButtonCancel"),
                    Qt::LeftButton);
        }
    };
}

// The players' times as "h m s / h m s" (White / Black).
QString Times(const Variables& vars) {
    QString times;
    for (const TimeAccount& t : {vars.PlayerTime[White], vars.PlayerTime[Black]})
        times += QStringLiteral("%1%2 %3 %4")
                     .arg(times.isEmpty() ? "" : " / ")
                     .arg(t.Hours)
                     .arg(t.Minutes)
                     .arg(t.Seconds);
    return times;
}

} // namespace

// The time-control dialog as the engine shows it at New Game, and through the
// main window's start-up and menu.
class UserSelectionTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestUi> tp;
    std::unique_ptr<UhrAnzeige> window;
    QString seen; // what the last time-control dialog offered

    // The next dialog is answered without blocking; what it offered is kept.
    void Expect(const QString& script) {
        tp->modal.Expect([this, answer = Choose(script)](QDialog& d) {
            if (qobject_cast<UserSelection*>(&d))
                seen = LookAt(d);
            answer(d);
        });
    }
    // New Game through the engine, the dialog shown as the main window shows it.
    void NewGame(const QString& script) {
        Expect(script);
        FakeClockHost host;
        host.askTimeControl = [this](const TimeSettings& stored, bool startingUp) {
            UserSelection dialog(stored, tp->vars().Strings, startingUp);
            tp->modal.Run(dialog);
            return dialog.Answer();
        };
        ClockEngine(*tp->program, host).NewGame();
    }
    // The main window after start-up with the settings file given.
    void Start(const QByteArray& settings) {
        tp->WriteSettingsFile(settings);
        window = std::make_unique<UhrAnzeige>(*tp->program, tp->services);
        window->Form_Load();
    }
    // The time settings as the next start reads them: "P1h P1min P1sec P2h
    // P2min P2sec GameType ContinueRunning", and the bonus while one is on.
    QString Stored() const {
        const TimeSettings t = LoadTimeSettings(*tp->ReopenStore());
        QStringList values;
        for (int v : {t.WhiteHours, t.WhiteMinutes, t.WhiteSeconds, t.BlackHours, t.BlackMinutes,
                      t.BlackSeconds, t.GameType, t.ContinueRunning})
            values << QString::number(v);
        if (t.Bonus.IsOn())
            values << QStringLiteral("bonus %1 %2").arg(int(t.Bonus.Mode)).arg(t.Bonus.Seconds);
        return values.join(u' ');
    }

private Q_SLOTS:
    void init() { tp = std::make_unique<TestUi>(); }
    void cleanup() {
        window.reset();
        QCOMPARE(tp->modal.Unanswered(), 0);
        QCOMPARE(tp->modal.Pending(), std::size_t(0));
    }

    // Each showing starts from the file as it is now (here changed behind the
    // back of a store that had read it); OK gives the game its times and stores
    // the choice, any other way out changes nothing.
    void choices_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("answer"); // see Choose()
        QTest::addColumn<QString>("times");  // the game's; "-" when unchanged
        QTest::addColumn<QString>("storedAfter");
        const QByteArray times = "[Time]\nP1h=1\nP1min=2\nP1sec=3\nP2h=4\nP2min=5\nP2sec=6\n";
        const QString none = "0: 0 15 0 / 0 15 0";
        // clang-format off
        QTest::newRow("first use") << QByteArray() << none << "0 OK" << "0 15 0 / 0 15 0" << "0 15 0 0 15 0 0 0";
        QTest::newRow("preset, runs on") << times + "GameType=13\nContinueRunning=1\n" << "13 (boxes off): 1 2 3 / 4 5 6, runs on" << "13 runs OK" << "4 0 0 / 4 0 0" << "4 0 0 4 0 0 13 1";
        // The program stores only 0..14 and 0/1; anything else was edited by hand.
        QTest::newRow("game type 15") << times + "GameType=15\n" << "0: 1 2 3 / 4 5 6" << "0 OK" << "1 2 3 / 4 5 6" << "1 2 3 4 5 6 0 0";
        QTest::newRow("game type -1") << times + "GameType=-1\nContinueRunning=2\n" << "0: 1 2 3 / 4 5 6" << "0 OK" << "1 2 3 / 4 5 6" << "1 2 3 4 5 6 0 0";
        QTest::newRow("time bonus") << times + "GameType=1\nIncrementMode=3\nIncrementSeconds=10\n" << "1 (boxes off): 1 2 3 / 4 5 6, Delay 10" << "9 bonus 3 10 OK" << "1 30 0 / 1 30 0" << "1 30 0 1 30 0 9 0 bonus 3 10";
        // User defined: Black without a time plays White's; texts read as numbers.
        QTest::newRow("Black zero") << QByteArray() << none << "0 0|10|0|0|0|0 OK" << "0 10 0 / 0 10 0" << "0 10 0 0 10 0 0 0";
        QTest::newRow("seconds only") << QByteArray() << none << "0 ||1|||2 OK" << "0 0 1 / 0 0 2" << "0 0 1 0 0 2 0 0";
        QTest::newRow("texts as numbers") << QByteArray() << none << "0 runs 7x|-5|.6||x|.5 OK" << "7 -5 1 / 7 -5 1" << "7 -5 1 7 -5 1 0 1";
        QTest::newRow("White zero") << QByteArray() << none << "0 0|0|0|0|5|0 OK" << "0 0 0 / 0 5 0" << "0 0 0 0 5 0 0 0";
        // Only White's stored time decides whether the boxes offer 15 minutes.
        QTest::newRow("stored White zero") << QByteArray("[Time]\nP2min=5\n") << none << "2 OK" << "0 10 0 / 0 10 0" << "0 10 0 0 10 0 2 0";
        // The bonus: no seconds mean none, more than 600 the most.
        QTest::newRow("most seconds") << QByteArray() << none << "1 bonus 2 999 OK" << "0 5 0 / 0 5 0" << "0 5 0 0 5 0 1 0 bonus 2 600";
        QTest::newRow("no seconds") << QByteArray() << none << "1 bonus 1 0 OK" << "0 5 0 / 0 5 0" << "0 5 0 0 5 0 1 0";
        for (const char* leave : {"Cancel", "Escape", "frame"})
            QTest::newRow(leave) << times + "GameType=0\n" << "0: 1 2 3 / 4 5 6" << QStringLiteral("3 runs bonus 1 9 9|9|9|9|9|9 %1").arg(leave) << "-" << "1 2 3 4 5 6 0 0";
        // clang-format on
    }
    void choices() {
        QFETCH(QByteArray, stored);
        LoadTimeSettings(*tp->store);
        QFile file(tp->SettingsPath());
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(stored) == stored.size());
        file.close();
        QFETCH(QString, answer);
        NewGame(answer);
        QTEST(seen, "shown");
        QFETCH(QString, times);
        QCOMPARE(tp->vars().NewGameAccepted, times != u"-");
        if (times != u"-")
            QCOMPARE(Times(tp->vars()) + (tp->vars().ContinueRunning ? ", runs on" : ""),
                     times + (answer.contains(u"runs") ? ", runs on" : ""));
        QTEST(Stored(), "storedAfter");
    }

    // Entering a box selects its text, however it is entered (Tab, a click, a
    // focus Qt itself would not select on); typing replaces it, two characters
    // at most, and Return accepts. Any way of choosing an option (here a
    // screen reader's toggle action) keeps the boxes in step; screen readers
    // tell the boxes apart.
    void boxes() {
        tp->vars().Strings.SetLanguage(LanguageGerman);
        UserSelection dialog(TimeSettings{}, tp->vars().Strings, false);
        QCOMPARE(Box(dialog, 2, 2)->accessibleName(), u"Schwarz Minuten"); // for screen readers
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        for (int option : {3, 0}) {
            QAccessible::queryAccessibleInterface(Option(dialog, option))
                ->actionInterface()
                ->doAction(QAccessibleActionInterface::toggleAction());
            QCOMPARE(Box(dialog, 2, 3)->isEnabled(), option == 0);
        }
        QTest::mouseClick(Box(dialog, 1, 2), Qt::LeftButton);
        QTest::keyClicks(Box(dialog, 1, 2), QStringLiteral("7"));
        QTest::keyClick(Box(dialog, 1, 2), Qt::Key_Tab);
        QCOMPARE(Box(dialog, 1, 3)->selectedText(), u"0");
        Box(dialog, 2, 2)->setFocus(Qt::OtherFocusReason);
        QTest::keyClicks(Box(dialog, 2, 2), QStringLiteral("451"));
        QTest::keyClick(Box(dialog, 2, 2), Qt::Key_Return);
        QCOMPARE(dialog.Answer().Outcome, DialogOutcome::Okay);
        QCOMPARE(dialog.Answer().Choice.White, (TimeAccount{0, 7, 0, 0}));
        QCOMPARE(dialog.Answer().Choice.Black, (TimeAccount{0, 45, 0, 0}));
    }

    // The start-up asks only when a player has no stored time (negative is not
    // zero), Cancel cannot be pressed then, and Escape does nothing; closing
    // the frame leaves an accepted game without a time, which no key starts.
    void startUp_data() {
        QTest::addColumn<QByteArray>("time");
        QTest::addColumn<QString>("answer"); // empty: no dialog
        QTest::addColumn<QString>("times");
        QTest::addColumn<int>("afterSpace"); // the player to move after Space
        // clang-format off
        QTest::newRow("stored times") << kFiveMinutes << "" << "0 5 0 / 0 5 0" << int(White);
        QTest::newRow("negative is not zero") << QByteArray("[Time]\nP1h=-1\nP2sec=-1\n") << "" << "-1 0 0 / 0 0 -1" << int(NoPlayer);
        QTest::newRow("nothing stored") << QByteArray() << "9 OK" << "1 30 0 / 1 30 0" << int(White);
        QTest::newRow("Black zero") << QByteArray("[Time]\nP1min=5\n") << "9 OK" << "1 30 0 / 1 30 0" << int(White);
        QTest::newRow("closed by the frame") << QByteArray() << "9 Escape frame" << "0 0 0 / 0 0 0" << int(NoPlayer);
        // clang-format on
    }
    void startUp() {
        QFETCH(QByteArray, time);
        QFETCH(QString, answer);
        if (!answer.isEmpty())
            Expect(answer);
        Start(kGeneral + time);
        QCOMPARE(tp->modal.Shown(), int(!answer.isEmpty()));
        QVERIFY(answer.isEmpty() || seen.endsWith(u"no Cancel"));
        QTEST(Times(tp->vars()), "times");
        QVERIFY(!window->ClockRunning());
        QCOMPARE(window->findChild<QGroupBox*>()->title(),
                 u"First, black has to press any key to start the game for white");
        window->Form_KeyDown(kSpace);
        QTEST(int(tp->vars().CurrentPlayer), "afterSpace");
    }

    // New Game from the menu during a game: OK sets up a game that waits for
    // Black's key; the window's frame leaves the game running as it was.
    void newGameDuringAGame_data() {
        QTest::addColumn<QString>("leave");
        QTest::newRow("OK") << "OK";
        QTest::newRow("window frame") << "frame";
    }
    void newGameDuringAGame() {
        QFETCH(QString, leave);
        Start(kGeneral + kFiveMinutes);
        window->Form_KeyDown(kSpace);
        window->Engine().TimerClock_Timer();
        Expect("3 " + leave);
        window->FileNewGame_Click();
        QCOMPARE(window->ClockRunning(), leave != u"OK");
        QCOMPARE(Times(tp->vars()), leave == u"OK" ? u"0 15 0 / 0 15 0" : u"0 4 59 / 0 5 0");
        QCOMPARE(tp->vars().CurrentPlayer, std::uint8_t(leave == u"OK" ? NoPlayer : White));
    }
};

QTEST_MAIN(UserSelectionTest)
#include "UserSelectionTest.moc"
