#include "TestProgram.h"
#include "TimeControlAnswers.h"

#include "timecontrol/UserSelection.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <memory>

using namespace velmora;
using namespace velmora::test;

Q_DECLARE_METATYPE(velmora::TimeAccount)

namespace {

const QString kTitle = QStringLiteral("Please choose your preferred time setting!");

QStringList Texts(std::initializer_list<const char*> texts) {
    QStringList list;
    for (const char* t : texts)
        list << QString::fromUtf8(t);
    return list;
}

} // namespace

class UserSelectionTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void first_use_offers_15_minutes_each();
    void presets_data();
    void presets();
    void user_defined_times_data();
    void user_defined_times();
    void stored_choice_is_shown_data();
    void stored_choice_is_shown();

    void keyboard_moves_between_time_controls();
    void entering_a_box_selects_its_text();
    void tab_order();
    void layout_data();
    void layout();
    void captions_fit_data();
    void captions_fit();

private:
    void Show() { ShowTimeControlDialog(*tp->program, nullptr); }
    QMap<QString, QString> OnDisk() const { return TimeSectionOnDisk(tp->SettingsPath()); }
    // A dialog of its own, shown and active, for the keyboard tests.
    std::unique_ptr<UserSelection> ActiveDialog();

    std::unique_ptr<TestProgram> tp;
};

void UserSelectionTest::init() {
    tp = std::make_unique<TestProgram>();
    tp->vars().Strings.SetLanguage(LanguageEnglish);
}

void UserSelectionTest::cleanup() {
    QCOMPARE(tp->modal.Unanswered(), 0);
    QCOMPARE(tp->modal.Pending(), std::size_t(0));
    tp.reset();
}

void UserSelectionTest::first_use_offers_15_minutes_each() {
    TimeDialogView view;
    tp->modal.Expect(
        LookThen(view, ScriptedModalRunner::ClickButton(QStringLiteral("ButtonOkay"))));
    Show();

    QCOMPARE(view.title, kTitle);
    QCOMPARE(view.selected, 0);
    QVERIFY(view.userFieldsEnabled);
    QCOMPARE(view.whiteBoxes, Texts({"0", "15", "0"}));
    QCOMPARE(view.blackBoxes, Texts({"0", "15", "0"}));
    QVERIFY(!view.continueChecked);

    const Variables& vars = tp->vars();
    QCOMPARE(vars.PlayerTime[White], (TimeAccount{0, 15, 0, 0}));
    QCOMPARE(vars.PlayerTime[Black], (TimeAccount{0, 15, 0, 0}));
    QVERIFY(vars.NewGameAccepted);
    QVERIFY(!vars.ContinueRunning);
    QCOMPARE(OnDisk(), StoredTimes(0, 15, 0, 0, 15, 0, 0, 0));
}

void UserSelectionTest::presets_data() {
    QTest::addColumn<int>("gameType");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("hours");
    QTest::addColumn<int>("minutes");

    QTest::newRow("5 min") << 1 << "5 min" << 0 << 5;
    QTest::newRow("10 min") << 2 << "10 min" << 0 << 10;
    QTest::newRow("15 min") << 3 << "15 min" << 0 << 15;
    QTest::newRow("20 min") << 4 << "20 min" << 0 << 20;
    QTest::newRow("25 min") << 5 << "25 min" << 0 << 25;
    QTest::newRow("30 min") << 6 << "30 min" << 0 << 30;
    QTest::newRow("45 min") << 7 << "45 min" << 0 << 45;
    QTest::newRow("1 h") << 8 << "1 h" << 1 << 0;
    QTest::newRow("1 h 30 min") << 9 << "1 h 30 min" << 1 << 30;
    QTest::newRow("2 h") << 10 << "2 h" << 2 << 0;
    QTest::newRow("2 h 30 min") << 11 << "2 h 30 min" << 2 << 30;
    QTest::newRow("3 h") << 12 << "3 h" << 3 << 0;
    QTest::newRow("4 h") << 13 << "4 h" << 4 << 0;
    QTest::newRow("6 h") << 14 << "6 h" << 6 << 0;
}

void UserSelectionTest::presets() {
    QFETCH(int, gameType);
    QFETCH(QString, caption);
    QFETCH(int, hours);
    QFETCH(int, minutes);

    tp->modal.Expect(ChooseAndOkay(gameType));
    Show();
    const TimeAccount expected{hours, minutes, 0, 0};
    QCOMPARE(tp->vars().PlayerTime[White], expected);
    QCOMPARE(tp->vars().PlayerTime[Black], expected);
    QCOMPARE(OnDisk(), StoredTimes(hours, minutes, 0, hours, minutes, 0, gameType, 0));

    // The next showing starts from the stored choice.
    TimeDialogView view;
    tp->modal.Expect(
        LookThen(view, ScriptedModalRunner::ClickButton(QStringLiteral("ButtonCancel"))));
    Show();
    QCOMPARE(view.selected, gameType);
    QVERIFY(!view.userFieldsEnabled);
    const QStringList boxes{QString::number(hours), QString::number(minutes), QStringLiteral("0")};
    QCOMPARE(view.whiteBoxes, boxes);
    QCOMPARE(view.blackBoxes, boxes);

    UserSelection dialog(*tp->program);
    QCOMPARE(
        dialog.findChild<QRadioButton*>(QStringLiteral("OptionGameTime(%1)").arg(gameType))->text(),
        caption);
}

void UserSelectionTest::user_defined_times_data() {
    QTest::addColumn<QStringList>("whiteTyped");
    QTest::addColumn<QStringList>("blackTyped");
    QTest::addColumn<TimeAccount>("white");
    QTest::addColumn<TimeAccount>("black");
    QTest::addColumn<QStringList>("nextWhiteBoxes");
    QTest::addColumn<QStringList>("nextBlackBoxes");

    QTest::newRow("Black zero plays White's time")
        << Texts({"0", "10", "0"}) << Texts({"0", "0", "0"}) << TimeAccount{0, 10, 0, 0}
        << TimeAccount{0, 10, 0, 0} << Texts({"0", "10", "0"}) << Texts({"0", "10", "0"});
    QTest::newRow("White zero, Black 5 min")
        << Texts({"0", "0", "0"}) << Texts({"0", "5", "0"}) << TimeAccount{0, 0, 0, 0}
        << TimeAccount{0, 5, 0, 0} << Texts({"0", "15", "0"}) << Texts({"0", "15", "0"});
    QTest::newRow("each their own")
        << Texts({"1", "2", "3"}) << Texts({"4", "5", "6"}) << TimeAccount{1, 2, 3, 0}
        << TimeAccount{4, 5, 6, 0} << Texts({"1", "2", "3"}) << Texts({"4", "5", "6"});
    QTest::newRow("texts read as numbers")
        << Texts({"7x", "-5", ".6"}) << Texts({"", "x", ".5"}) << TimeAccount{7, -5, 1, 0}
        << TimeAccount{7, -5, 1, 0} << Texts({"7", "-5", "1"}) << Texts({"7", "-5", "1"});
    QTest::newRow("only Black's seconds")
        << Texts({"0", "1", "0"}) << Texts({"", "", "1"}) << TimeAccount{0, 1, 0, 0}
        << TimeAccount{0, 0, 1, 0} << Texts({"0", "1", "0"}) << Texts({"0", "0", "1"});
    QTest::newRow("both zero") << Texts({"0", "0", "0"}) << Texts({"", "", ""}) << TimeAccount{}
                               << TimeAccount{} << Texts({"0", "15", "0"})
                               << Texts({"0", "15", "0"});
}

void UserSelectionTest::user_defined_times() {
    QFETCH(QStringList, whiteTyped);
    QFETCH(QStringList, blackTyped);
    QFETCH(TimeAccount, white);
    QFETCH(TimeAccount, black);
    QFETCH(QStringList, nextWhiteBoxes);
    QFETCH(QStringList, nextBlackBoxes);

    tp->modal.Expect(EnterAndOkay(whiteTyped, blackTyped));
    Show();
    QCOMPARE(tp->vars().PlayerTime[White], white);
    QCOMPARE(tp->vars().PlayerTime[Black], black);
    QCOMPARE(OnDisk(), StoredTimes(white.Hours, white.Minutes, white.Seconds, black.Hours,
                                   black.Minutes, black.Seconds, 0, 0));

    TimeDialogView view;
    tp->modal.Expect(
        LookThen(view, ScriptedModalRunner::ClickButton(QStringLiteral("ButtonCancel"))));
    Show();
    QCOMPARE(view.selected, 0);
    QVERIFY(view.userFieldsEnabled);
    QCOMPARE(view.whiteBoxes, nextWhiteBoxes);
    QCOMPARE(view.blackBoxes, nextBlackBoxes);
}

void UserSelectionTest::stored_choice_is_shown_data() {
    QTest::addColumn<QByteArray>("time");
    QTest::addColumn<int>("selected");
    QTest::addColumn<bool>("continueChecked");

    QTest::newRow("preset, continue")
        << QByteArray("GameType=13\nContinueRunning=1\n") << 13 << true;
    QTest::newRow("game type too large") << QByteArray("GameType=15\n") << 0 << false;
    QTest::newRow("game type negative") << QByteArray("GameType=-1\n") << 0 << false;
    QTest::newRow("game type with exponent") << QByteArray("GameType=1e1\n") << 10 << false;
    QTest::newRow("continue 2") << QByteArray("GameType=1\nContinueRunning=2\n") << 1 << false;
    QTest::newRow("continue as a word") << QByteArray("ContinueRunning=True\n") << 0 << false;
}

void UserSelectionTest::stored_choice_is_shown() {
    QFETCH(QByteArray, time);
    QFETCH(int, selected);
    QFETCH(bool, continueChecked);
    tp->WriteSettingsFile("[Time]\nP1h=1\nP1min=2\nP1sec=3\nP2h=4\nP2min=5\nP2sec=6\n" + time);
    tp->vars().Strings.SetLanguage(LanguageEnglish);

    TimeDialogView view;
    tp->modal.Expect(
        LookThen(view, ScriptedModalRunner::ClickButton(QStringLiteral("ButtonOkay"))));
    Show();
    QCOMPARE(view.selected, selected);
    QCOMPARE(view.userFieldsEnabled, selected == 0);
    QCOMPARE(view.continueChecked, continueChecked);
    QCOMPARE(view.whiteBoxes, Texts({"1", "2", "3"}));
    QCOMPARE(view.blackBoxes, Texts({"4", "5", "6"}));
    // What OK stores is always something the program can read back as shown.
    QCOMPARE(OnDisk().value(QStringLiteral("GameType")), QString::number(selected));
    QCOMPARE(OnDisk().value(QStringLiteral("ContinueRunning")), continueChecked ? u"1" : u"0");
}

std::unique_ptr<UserSelection> UserSelectionTest::ActiveDialog() {
    auto dialog = std::make_unique<UserSelection>(*tp->program);
    dialog->show();
    dialog->activateWindow();
    if (!QTest::qWaitForWindowActive(dialog.get()))
        qWarning("the dialog did not become active");
    return dialog;
}

void UserSelectionTest::keyboard_moves_between_time_controls() {
    auto dialog = ActiveDialog();
    // The keyboard starts on the selected control ("User defined" on first use).
    QCOMPARE(QApplication::focusWidget()->objectName(), u"OptionGameTime(0)");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
    QCOMPARE(QApplication::focusWidget()->objectName(), u"OptionGameTime(8)");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget()->objectName(), u"OptionGameTime(9)");
    QVERIFY(dialog->findChild<QRadioButton*>(QStringLiteral("OptionGameTime(9)"))->isChecked());
    QVERIFY(!dialog->findChild<QLineEdit*>(QStringLiteral("MaskEdBox1(1)"))->isEnabled());

    // Return presses the default button, OK.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(tp->vars().PlayerTime[Black], (TimeAccount{1, 30, 0, 0}));
    QCOMPARE(OnDisk().value(QStringLiteral("GameType")), u"9");
}

void UserSelectionTest::entering_a_box_selects_its_text() {
    auto dialog = ActiveDialog();
    auto* minutes = dialog->findChild<QLineEdit*>(QStringLiteral("MaskEdBox2(2)"));
    for (Qt::FocusReason reason :
         {Qt::TabFocusReason, Qt::OtherFocusReason, Qt::ShortcutFocusReason}) {
        dialog->findChild<QLineEdit*>(QStringLiteral("MaskEdBox2(1)"))->setFocus();
        minutes->setCursorPosition(1);
        minutes->setFocus(reason);
        QCOMPARE(minutes->selectedText(), u"15");
    }
    // Typing replaces the old value, two characters at most; Return in a box
    // accepts the dialog.
    QTest::keyClicks(minutes, QStringLiteral("451"));
    QCOMPARE(minutes->text(), u"45");
    QTest::keyClick(minutes, Qt::Key_Return);
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(tp->vars().PlayerTime[White], (TimeAccount{0, 15, 0, 0}));
    QCOMPARE(tp->vars().PlayerTime[Black], (TimeAccount{0, 45, 0, 0}));
}

void UserSelectionTest::tab_order() {
    UserSelection dialog(*tp->program);
    QStringList order;
    QWidget* first = dialog.findChild<QWidget*>(QStringLiteral("OptionGameTime(1)"));
    QWidget* w = first;
    do {
        if (w->focusPolicy() & Qt::TabFocus)
            order << w->objectName();
        w = w->nextInFocusChain();
    } while (w != first);

    QStringList expected;
    for (int i = 1; i <= 14; ++i)
        expected << QStringLiteral("OptionGameTime(%1)").arg(i);
    expected << QStringLiteral("OptionGameTime(0)");
    for (int player = 1; player <= 2; ++player) {
        for (int i = 1; i <= 3; ++i)
            expected << QStringLiteral("MaskEdBox%1(%2)").arg(player).arg(i);
    }
    expected << QStringLiteral("ButtonOkay") << QStringLiteral("ButtonCancel")
             << QStringLiteral("OptionGameTimeContinues");
    QCOMPARE(order, expected);
}

void UserSelectionTest::layout_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("pixels"); // the design in twips / 15

    QTest::newRow("first preset") << "OptionGameTime(1)" << QRect(32, 24, 137, 17);
    QTest::newRow("first of the right column") << "OptionGameTime(8)" << QRect(200, 24, 137, 17);
    QTest::newRow("last preset") << "OptionGameTime(14)" << QRect(200, 168, 137, 17);
    QTest::newRow("user defined") << "OptionGameTime(0)" << QRect(368, 24, 137, 17);
    QTest::newRow("White's frame") << "FrameUserTime(0)" << QRect(368, 48, 113, 49);
    QTest::newRow("White's hours") << "MaskEdBox1(1)" << QRect(8, 16, 33, 25);
    QTest::newRow("check box") << "OptionGameTimeContinues" << QRect(24, 208, 321, 17);
    QTest::newRow("OK") << "ButtonOkay" << QRect(368, 204, 81, 25);
    QTest::newRow("Cancel") << "ButtonCancel" << QRect(448, 204, 81, 25);
}

void UserSelectionTest::layout() {
    QFETCH(QString, name);
    QFETCH(QRect, pixels);
    UserSelection dialog(*tp->program);
    QCOMPARE(dialog.size(), QSize(540, 238));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    const QRect actual = dialog.findChild<QWidget*>(name)->geometry();
    QCOMPARE(actual.topLeft(), pixels.topLeft());
    QCOMPARE(actual.height(), pixels.height());
    // A caption that needs it may widen its control.
    QVERIFY2(actual.width() >= pixels.width(), qPrintable(QString::number(actual.width())));
}

void UserSelectionTest::captions_fit_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("title");
    QTest::newRow("English") << int(LanguageEnglish) << kTitle;
    QTest::newRow("German") << int(LanguageGerman)
                            << QString::fromUtf16(
                                   u"Bitte w\u00e4hlen Sie Ihre gew\u00fcnschte Zeiteinstellung!");
}

void UserSelectionTest::captions_fit() {
    // The captions are in the chosen language; options and the check box show
    // theirs whole, without running into another control or out of the dialog.
    QFETCH(int, language);
    QFETCH(QString, title);
    tp->vars().Strings.SetLanguage(language);
    UserSelection dialog(*tp->program);
    QCOMPARE(dialog.windowTitle(), title);
    const QList<QWidget*> controls = dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* control : controls) {
        if (!qobject_cast<QRadioButton*>(control) && !qobject_cast<QCheckBox*>(control))
            continue;
        const QString name = control->objectName();
        QVERIFY2(control->sizeHint().width() <= control->width(), qPrintable(name));
        QVERIFY2(dialog.rect().contains(control->geometry()), qPrintable(name));
        for (QWidget* other : controls) {
            if (other == control || other->objectName() == u"Line1")
                continue;
            QVERIFY2(!other->geometry().intersects(control->geometry()),
                     qPrintable(name + QStringLiteral(" overlaps ") + other->objectName()));
        }
    }
}

QTEST_MAIN(UserSelectionTest)
#include "UserSelectionTest.moc"
