#include "UiFakes.h"

#include "clock/ClockEngine.h"
#include "clock/ClockHost.h"
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
const QString kReady =
    QStringLiteral("First, black has to press any key to start the game for white");
const QByteArray kGeneral = "[General]\nLanguage=1\nMouseButton1=32\nMouseButton2=32\n\n";
const QByteArray kFiveMinutes =
    "[Time]\nP1h=0\nP1min=5\nP1sec=0\nP2h=0\nP2min=5\nP2sec=0\nGameType=1\n";

QRadioButton* Option(QDialog& d, int i) {
    return d.findChild<QRadioButton*>(QStringLiteral("OptionGameTime(%1)").arg(i));
}
QLineEdit* Box(QDialog& d, int player, int i) {
    return d.findChild<QLineEdit*>(QStringLiteral("MaskEdBox%1(%2)").arg(player).arg(i));
}
QCheckBox* RunsOn(QDialog& d) {
    return d.findChild<QCheckBox*>(QStringLiteral("OptionGameTimeContinues"));
}

// What one showing of the dialog offered, e.g. "9 (boxes off): 1 30 0 / 1 30 0,
// runs on": the selected time control, whether the boxes can be edited, White's
// and Black's boxes, the check box, and whether Cancel can be pressed.
QString LookAt(QDialog& d) {
    int selected = -1;
    for (int i = 0; i < 15; ++i)
        selected = Option(d, i)->isChecked() ? i : selected;
    QString view = QStringLiteral("%1%2: %3 %4 %5 / %6 %7 %8")
                       .arg(selected)
                       .arg(Box(d, 1, 1)->isEnabled() ? "" : " (boxes off)");
    for (int i = 0; i < 6; ++i)
        view = view.arg(Box(d, 1 + i / 3, 1 + i % 3)->text());
    if (RunsOn(d)->isChecked())
        view += ", runs on";
    const auto* bonus = d.findChild<QComboBox*>(QStringLiteral("SelectionTimeBonus"));
    if (bonus->currentIndex() != 0)
        view += ", " + bonus->currentText() + " " +
                d.findChild<QLineEdit*>(QStringLiteral("TextBonusSeconds"))->text();
    if (!d.findChild<QPushButton*>(QStringLiteral("ButtonCancel"))->isEnabled())
        view += ", no Cancel";
    return view;
}

using Answer = ScriptedModalRunner::Answer;

Answer Press(const char* button) {
    return ScriptedModalRunner::ClickButton(QString::fromLatin1(button));
}
// Selects a time control (0 user defined, 1..14 the presets) and the check
// box, types up to six texts into the boxes (White's h m s, Black's), then
// leaves by "OK", "Cancel", "Escape" or the "window frame".
Answer Choose(int gameType, bool runsOn = false, const QStringList& typed = {},
              const QString& leave = QStringLiteral("OK"), int bonusMode = 0,
              const QString& bonusSeconds = QString()) {
    return [=](QDialog& d) {
        Option(d, gameType)->click();
        RunsOn(d)->setChecked(runsOn);
        d.findChild<QComboBox*>(QStringLiteral("SelectionTimeBonus"))->setCurrentIndex(bonusMode);
        if (!bonusSeconds.isNull())
            d.findChild<QLineEdit*>(QStringLiteral("TextBonusSeconds"))->setText(bonusSeconds);
        for (int i = 0; i < typed.size(); ++i)
            Box(d, 1 + i / 3, 1 + i % 3)->setText(typed[i]);
        if (leave == u"Escape")
            QTest::keyClick(&d, Qt::Key_Escape);
        else if (leave == u"window frame")
            d.close();
        else
            Press(leave == u"OK" ? "ButtonOkay" : "ButtonCancel")(d);
    };
}
const QStringList kNines{"9", "9", "9", "9", "9", "9"};

// The players' times as "h m s / h m s" (White / Black).
QString Times(const Variables& vars) {
    QString times = QStringLiteral("%1 %2 %3 / %4 %5 %6");
    for (const TimeAccount& t : {vars.PlayerTime[White], vars.PlayerTime[Black]})
        times = times.arg(t.Hours).arg(t.Minutes).arg(t.Seconds);
    return times;
}

} // namespace

// The time-control dialog on its own, and through the main window's start-up
// and New Game.
class UserSelectionTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { tp = std::make_unique<TestUi>(); }
    void cleanup();

    void shows_the_stored_choice_data();
    void shows_the_stored_choice();
    void ok_stores_and_cancel_keeps_data();
    void ok_stores_and_cancel_keeps();
    void time_bonus_chosen_data();
    void time_bonus_chosen();
    void typing_replaces_a_box();
    void fields_follow_any_way_of_choosing();
    void captions_fit_data();
    void captions_fit();

    void start_up_asks_only_without_a_time_data();
    void start_up_asks_only_without_a_time();
    void start_up_dialog_cannot_be_cancelled();
    void new_game_during_a_game_data();
    void new_game_during_a_game();
    void failed_save_is_told_once();

private:
    // The next dialog is answered without blocking; what a time-control
    // dialog offered is kept in `seen`.
    void Expect(const Answer& answer) {
        tp->modal.Expect([this, answer](QDialog& d) {
            if (qobject_cast<UserSelection*>(&d))
                seen = LookAt(d);
            answer(d);
        });
    }
    void Show(const Answer& answer) {
        Expect(answer);
        // The engine's New Game with the dialog shown as the main window shows it.
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
    // A game under way after an earlier OK, White's clock running.
    void RunningGame() {
        Start(kGeneral + kFiveMinutes);
        Expect(Choose(2));
        window->FileNewGame_Click();
        window->Form_KeyDown(kSpace);
        window->Engine().TimerClock_Timer();
    }
    QString Status() const {
        return window->findChild<QGroupBox*>(QStringLiteral("FrameAnzeige"))->title();
    }
    Player Current() const { return Player(tp->vars().CurrentPlayer); }
    QString Stored() const;

    std::unique_ptr<TestUi> tp;
    std::unique_ptr<UhrAnzeige> window;
    QString seen;
};

void UserSelectionTest::cleanup() {
    window.reset();
    seen.clear();
    QCOMPARE(tp->modal.Unanswered(), 0);
    QCOMPARE(tp->modal.LeftOpen(), 0);
    QCOMPARE(tp->modal.Pending(), std::size_t(0));
    tp.reset();
}

// The time settings as the next start reads them: "P1h P1min P1sec P2h P2min
// P2sec GameType ContinueRunning".
QString UserSelectionTest::Stored() const {
    const TimeSettings t = LoadTimeSettings(*tp->ReopenStore());
    QStringList values;
    for (int v : {t.WhiteHours, t.WhiteMinutes, t.WhiteSeconds, t.BlackHours, t.BlackMinutes,
                  t.BlackSeconds, t.GameType, t.ContinueRunning})
        values << QString::number(v);
    if (t.Bonus.IsOn())
        values << QStringLiteral("bonus %1 %2").arg(int(t.Bonus.Mode)).arg(t.Bonus.Seconds);
    return values.join(u' ');
}

void UserSelectionTest::shows_the_stored_choice_data() {
    QTest::addColumn<QByteArray>("time");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("storedByOk");
    const QByteArray times = "[Time]\nP1h=1\nP1min=2\nP1sec=3\nP2h=4\nP2min=5\nP2sec=6\n";
    // clang-format off
    QTest::newRow("first use") << QByteArray()
        << "0: 0 15 0 / 0 15 0" << "0 15 0 0 15 0 0 0";
    QTest::newRow("preset, runs on") << times + "GameType=13\nContinueRunning=1\n"
        << "13 (boxes off): 1 2 3 / 4 5 6, runs on" << "4 0 0 4 0 0 13 1";
    // The program stores only 0..14 and 0/1; anything else was edited by hand.
    QTest::newRow("game type 15") << times + "GameType=15\n"
        << "0: 1 2 3 / 4 5 6" << "1 2 3 4 5 6 0 0";
    QTest::newRow("game type -1") << times + "GameType=-1\n"
        << "0: 1 2 3 / 4 5 6" << "1 2 3 4 5 6 0 0";
    QTest::newRow("runs on 2") << times + "GameType=1\nContinueRunning=2\n"
        << "1 (boxes off): 1 2 3 / 4 5 6" << "0 5 0 0 5 0 1 0";
    QTest::newRow("time bonus") << times + "GameType=1\nIncrementMode=3\nIncrementSeconds=10\n"
        << "1 (boxes off): 1 2 3 / 4 5 6, Delay 10" << "0 5 0 0 5 0 1 0 bonus 3 10";
    // clang-format on
}

void UserSelectionTest::shows_the_stored_choice() {
    QFETCH(QByteArray, time);
    QFETCH(QString, shown);
    QFETCH(QString, storedByOk);
    // The file changes behind the back of a store that has read it: as another
    // copy of the program or a hand edit would change it.
    LoadTimeSettings(*tp->store);
    QFile file(tp->SettingsPath());
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(time) == time.size());
    file.close();
    Show(Press("ButtonOkay"));
    QCOMPARE(seen, shown);
    QVERIFY(tp->vars().NewGameAccepted);
    QCOMPARE(Stored(), storedByOk);
}

void UserSelectionTest::ok_stores_and_cancel_keeps_data() {
    QTest::addColumn<int>("gameType");
    QTest::addColumn<bool>("runsOn");
    QTest::addColumn<QString>("typed"); // White's h|m|s|, then Black's h|m|s
    QTest::addColumn<QString>("times"); // what the game gets
    QTest::addColumn<QString>("next");  // what the next showing offers
    // clang-format off
    QTest::newRow("1 h 30 min") << 9 << false << ""
        << "1 30 0 / 1 30 0" << "9 (boxes off): 1 30 0 / 1 30 0";
    QTest::newRow("2 h 30 min, runs on") << 11 << true << ""
        << "2 30 0 / 2 30 0" << "11 (boxes off): 2 30 0 / 2 30 0, runs on";
    // User defined: Black without a time plays White's.
    QTest::newRow("Black zero") << 0 << false << "0|10|0|0|0|0"
        << "0 10 0 / 0 10 0" << "0: 0 10 0 / 0 10 0";
    QTest::newRow("seconds only") << 0 << false << "||1|||2"
        << "0 0 1 / 0 0 2" << "0: 0 0 1 / 0 0 2";
    QTest::newRow("each their own") << 0 << true << "1|2|3|4|5|6"
        << "1 2 3 / 4 5 6" << "0: 1 2 3 / 4 5 6, runs on";
    QTest::newRow("texts as numbers") << 0 << false << "7x|-5|.6||x|.5"
        << "7 -5 1 / 7 -5 1" << "0: 7 -5 1 / 7 -5 1";
    // Only White's stored time counts: without one the boxes offer 15 minutes again.
    QTest::newRow("White zero") << 0 << false << "0|0|0|0|5|0"
        << "0 0 0 / 0 5 0" << "0: 0 15 0 / 0 15 0";
    // clang-format on
}

void UserSelectionTest::ok_stores_and_cancel_keeps() {
    QFETCH(int, gameType);
    QFETCH(bool, runsOn);
    QFETCH(QString, typed);
    QFETCH(QString, times);
    QFETCH(QString, next);
    // Stored: the times the game got, the game type and the check box.
    const QString stored = QString(times).remove(u'/').simplified() +
                           QStringLiteral(" %1 %2").arg(gameType).arg(int(runsOn));

    Show(Choose(gameType, runsOn, typed.isEmpty() ? QStringList() : typed.split(u'|')));
    QCOMPARE(Times(tp->vars()), times);
    QCOMPARE(tp->vars().ContinueRunning, runsOn);
    QCOMPARE(Stored(), stored);

    // The next showing starts from the stored choice; Cancel after changing
    // everything leaves the game and the store as they were.
    Show(Choose(gameType == 3 ? 4 : 3, !runsOn, kNines, QStringLiteral("Cancel")));
    QCOMPARE(seen, next);
    QVERIFY(!tp->vars().NewGameAccepted);
    QCOMPARE(Times(tp->vars()), times);
    QCOMPARE(tp->vars().ContinueRunning, runsOn);
    QCOMPARE(Stored(), stored);
}

void UserSelectionTest::time_bonus_chosen_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("seconds");
    QTest::addColumn<QString>("stored");
    QTest::newRow("increment") << 1 << "2"
                               << "0 5 0 0 5 0 1 0 bonus 1 2";
    QTest::newRow("most seconds") << 2 << "999"
                                  << "0 5 0 0 5 0 1 0 bonus 2 600";
    QTest::newRow("no seconds: none") << 3 << "0"
                                      << "0 5 0 0 5 0 1 0";
    QTest::newRow("none") << 0 << "5"
                          << "0 5 0 0 5 0 1 0";
}

void UserSelectionTest::time_bonus_chosen() {
    QFETCH(int, mode);
    QFETCH(QString, seconds);
    Show(Choose(1, false, {}, QStringLiteral("OK"), mode, seconds));
    QTEST(Stored(), "stored");
    QCOMPARE(tp->vars().Bonus.IsOn(), Stored().contains(u"bonus"));
}

void UserSelectionTest::typing_replaces_a_box() {
    // Entering a box selects its text, even where QLineEdit itself would not
    // (here: OtherFocusReason, and a click); typing replaces it, two characters
    // at most, and Return there accepts the dialog.
    UserSelection dialog(LoadTimeSettings(*tp->store), tp->vars().Strings, false);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QTest::mouseClick(Box(dialog, 1, 2), Qt::LeftButton);
    QTest::keyClicks(Box(dialog, 1, 2), QStringLiteral("7"));
    QLineEdit* minutes = Box(dialog, 2, 2);
    minutes->setFocus(Qt::OtherFocusReason);
    QCOMPARE(minutes->selectedText(), u"15");
    QTest::keyClicks(minutes, QStringLiteral("451"));
    QTest::keyClick(minutes, Qt::Key_Return);
    QCOMPARE(dialog.Answer().Outcome, DialogOutcome::Okay);
    QCOMPARE(dialog.Answer().Choice.White, (TimeAccount{0, 7, 0, 0}));
    QCOMPARE(dialog.Answer().Choice.Black, (TimeAccount{0, 45, 0, 0}));
}

void UserSelectionTest::fields_follow_any_way_of_choosing() {
    // A screen reader's toggle action selects an option without a click.
    UserSelection dialog(TimeSettings{}, tp->vars().Strings, false);
    for (int option : {3, 0, 14}) {
        QAccessible::queryAccessibleInterface(Option(dialog, option))
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::toggleAction());
        QCOMPARE(Box(dialog, 2, 3)->isEnabled(), option == 0);
    }
}

void UserSelectionTest::captions_fit_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("title");
    QTest::newRow("English") << int(LanguageEnglish)
                             << "Please choose your preferred time setting!";
    QTest::newRow("German") << int(LanguageGerman)
                            << QString::fromUtf16(
                                   u"Bitte w\u00e4hlen Sie Ihre gew\u00fcnschte Zeiteinstellung!");
}

void UserSelectionTest::captions_fit() {
    // The options and the check box show their captions whole, without running
    // into another control or out of the dialog.
    QFETCH(int, language);
    QFETCH(QString, title);
    tp->vars().Strings.SetLanguage(language);
    UserSelection dialog(TimeSettings{}, tp->vars().Strings, false);
    QCOMPARE(dialog.windowTitle(), title);
    // Screen readers tell the boxes apart.
    QCOMPARE(Box(dialog, 2, 2)->accessibleName(),
             language == LanguageGerman ? "Schwarz Minuten" : "Black minutes");
    const QList<QWidget*> controls = dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QAbstractButton* c : dialog.findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly)) {
        if (qobject_cast<QPushButton*>(c))
            continue;
        QVERIFY2(c->sizeHint().width() <= c->width(), qPrintable(c->text()));
        QVERIFY2(dialog.rect().contains(c->geometry()), qPrintable(c->text()));
        for (QWidget* other : controls)
            QVERIFY2(other == c || other->objectName() == u"Line1" ||
                         !other->geometry().intersects(c->geometry()),
                     qPrintable(c->text() + " overlaps " + other->objectName()));
    }
}

void UserSelectionTest::start_up_asks_only_without_a_time_data() {
    QTest::addColumn<QByteArray>("time");
    QTest::addColumn<bool>("asks");
    QTest::addColumn<QString>("times");
    // clang-format off
    QTest::newRow("stored times")   << kFiveMinutes                    << false << "0 5 0 / 0 5 0";
    QTest::newRow("nothing stored") << QByteArray()                    << true  << "1 30 0 / 1 30 0";
    QTest::newRow("White zero")     << QByteArray("[Time]\nP2min=5\n") << true  << "1 30 0 / 1 30 0";
    QTest::newRow("Black zero")     << QByteArray("[Time]\nP1min=5\n") << true  << "1 30 0 / 1 30 0";
    QTest::newRow("negative is not zero")
        << QByteArray("[Time]\nP1h=-1\nP2sec=-1\n") << false << "-1 0 0 / 0 0 -1";
    // clang-format on
}

void UserSelectionTest::start_up_asks_only_without_a_time() {
    QFETCH(QByteArray, time);
    QFETCH(bool, asks);
    QFETCH(QString, times);
    if (asks)
        Expect(Choose(9));
    Start(kGeneral + time);
    QCOMPARE(tp->modal.Shown().size(), std::size_t(asks));
    QCOMPARE(Times(tp->vars()), times);
    QVERIFY(!window->ClockRunning());
    QCOMPARE(Current(), NoPlayer);
    QCOMPARE(Status(), kReady);
}

void UserSelectionTest::start_up_dialog_cannot_be_cancelled() {
    // Escape does nothing; closing the frame leaves an accepted game without a
    // time, which no key starts, and stores nothing.
    bool openAfterEscape = false;
    Expect([&](QDialog& d) {
        QTest::keyClick(&d, Qt::Key_Escape);
        openAfterEscape = d.isVisible();
        d.close();
    });
    Start(kGeneral);
    QVERIFY(seen.endsWith(u"no Cancel"));
    QVERIFY(openAfterEscape);
    QVERIFY(tp->vars().NewGameAccepted);
    QCOMPARE(Times(tp->vars()), u"0 0 0 / 0 0 0");
    QVERIFY(!tp->SettingsFileText().contains("[Time]"));
    window->Form_KeyDown(kSpace);
    QCOMPARE(Current(), NoPlayer);

    // New Game from the menu always asks, and there Cancel can be pressed.
    Expect(Press("ButtonOkay"));
    window->FileNewGame_Click();
    QVERIFY(!seen.endsWith(u"no Cancel"));
    window->Form_KeyDown(kSpace);
    QCOMPARE(Current(), White);
}

void UserSelectionTest::new_game_during_a_game_data() {
    QTest::addColumn<QString>("how");
    for (const char* how : {"OK", "Cancel", "Escape", "window frame"})
        QTest::newRow(how) << QString::fromLatin1(how);
}

void UserSelectionTest::new_game_during_a_game() {
    // OK sets up a new game that waits for Black's key; any other way out
    // leaves the game running as it was, though an earlier OK was pressed.
    QFETCH(QString, how);
    const bool ok = how == u"OK";
    RunningGame();
    const Variables before = tp->vars();
    const QByteArray fileBefore = tp->SettingsFileText();
    Expect(Choose(3, true, kNines, how));
    window->FileNewGame_Click();
    QCOMPARE(window->ClockRunning(), !ok);
    QCOMPARE(Current(), ok ? NoPlayer : White);
    QCOMPARE(tp->vars().ContinueRunning, ok || before.ContinueRunning);
    if (ok) {
        QCOMPARE(Times(tp->vars()), u"0 15 0 / 0 15 0");
        QCOMPARE(Status(), kReady);
    } else {
        QVERIFY(tp->vars().PlayerTime == before.PlayerTime);
        QCOMPARE(tp->SettingsFileText(), fileBefore);
    }
    window->Form_KeyDown(kSpace);
    QCOMPARE(Current(), ok ? White : Black);
}

void UserSelectionTest::failed_save_is_told_once() {
    // The settings file is a folder: no save can succeed.
    QVERIFY(QDir().mkdir(tp->SettingsPath()));
    tp->store->WriteText(QStringLiteral("General"), QStringLiteral("Language"),
                         QStringLiteral("1"));
    Expect(Choose(3));
    Expect(Choose(4));
    std::size_t dialogsBeforeMessage = 0;
    tp->messages.onShow = [&] { dialogsBeforeMessage = tp->modal.Shown().size(); };
    window = std::make_unique<UhrAnzeige>(*tp->program, tp->services);
    window->Form_Load();
    window->FileNewGame_Click();
    QCOMPARE(Times(tp->vars()), u"0 20 0 / 0 20 0");
    // Told once, naming the file, between the two time-control dialogs.
    QCOMPARE(tp->modal.Shown().size(), std::size_t(2));
    QCOMPARE(tp->messages.shown.size(), 1);
    QCOMPARE(dialogsBeforeMessage, std::size_t(1));
    QVERIFY(tp->messages.shown[0].contains(tp->SettingsPath()));
}

QTEST_MAIN(UserSelectionTest)
#include "UserSelectionTest.moc"
