#include "UiFakes.h"

#include "clock/ui/UhrAnzeige.h"
#include "timecontrol/TimeSettings.h"
#include "timecontrol/ui/UserSelection.h"

#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>

#include <filesystem>

using namespace velmora;
using namespace velmora::test;

namespace {

// White's hours, minutes and seconds, then Black's (0..5), then the time bonus's seconds (6).
QLineEdit* Box(QDialog& d, int i) {
    const QString name = QStringLiteral("MaskEdBox%1(%2)").arg(1 + i / 3).arg(1 + i % 3);
    return d.findChild<QLineEdit*>(i == 6 ? QStringLiteral("TextBonusSeconds") : name);
}

// Answers a dialog by a script of words: a time control (0 user defined, 1..14
// the presets), "toggle:<option>" (a screen reader's toggle action), "Right"
// (the arrow key), "bonus:<mode>", "click:<box>:<text>" or "focus:<box>:<text>"
// (a focus Qt itself would not select on) and typing, and the ways out tried
// in turn: OK, Return, Cancel, Escape, frame.
ScriptedModalRunner::Answer Answer(const QString& script) {
    return [script](QDialog& d) {
        QVERIFY(QTest::qWaitForWindowActive(&d));
        QCOMPARE(Box(d, 4)->accessibleName(), u"Schwarz Minuten"); // for screen readers
        const QRadioButton* o = d.findChild<QRadioButton*>("OptionGameTime(0)"); // shown whole
        QVERIFY(!o->text().isEmpty() && o->width() >= o->sizeHint().width());
        for (const QString& word : script.split(u' ', Qt::SkipEmptyParts)) {
            const QStringList part = word.split(u':');
            auto* option = d.findChild<QRadioButton*>("OptionGameTime(" + part.last() + ")");
            if (word[0].isDigit())
                option->click();
            else if (part[0] == u"toggle")
                QAccessible::queryAccessibleInterface(option)->actionInterface()->doAction(
                    QAccessibleActionInterface::toggleAction());
            else if (word == u"Right")
                QTest::keyClick(d.focusWidget(), Qt::Key_Right);
            else if (part[0] == u"bonus")
                d.findChild<QComboBox*>()->setCurrentIndex(part[1].toInt());
            else if (part[0] == u"click")
                QTest::mouseClick(Box(d, part[1].toInt()), Qt::LeftButton);
            else if (part[0] == u"focus")
                Box(d, part[1].toInt())->setFocus(Qt::OtherFocusReason);
            else if (word == u"Escape" || word == u"Return")
                QTest::keyClick(&d, word == u"Escape" ? Qt::Key_Escape : Qt::Key_Return);
            else if (word == u"frame")
                d.close();
            else if (word == u"OK" || word == u"Cancel")
                d.findChild<QPushButton*>(word == u"OK" ? "ButtonOkay" : "ButtonCancel")->click();
            if (part.size() == 3)
                QTest::keyClicks(Box(d, part[1].toInt()), part[2]); // a disabled box takes nothing
        }
    };
}

} // namespace

// The time-control dialog at start-up and at New Game in the main window.
class UserSelectionTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The start-up asks only while a player has no stored time (negative is not
    // zero), and then neither Cancel nor Escape, only the frame, leaves the
    // dialog without a time. New Game during a game starts from the stored
    // choice as it is now, changed behind the program's back. OK takes the
    // choice for the game and stores it; the other ways out change nothing.
    void choices_data() {
        QTest::addColumn<TimeSettings>("stored");
        QTest::addColumn<QString>("answer"); // see Answer(); "startup" first: at start-up
        QTest::addColumn<TimeSettings>("after");
        // clang-format off
        QTest::newRow("stored times") << TimeSettings{0, 5, 0, 0, 5, 0, 0, 0, {}} << "startup" << TimeSettings{0, 5, 0, 0, 5, 0, 0, 0, {}};
        QTest::newRow("negative is not zero") << TimeSettings{-1, 0, 0, 0, 0, -1, 0, 0, {}} << "startup" << TimeSettings{-1, 0, 0, 0, 0, -1, 0, 0, {}};
        QTest::newRow("nothing stored") << TimeSettings{} << "startup OK" << TimeSettings{0, 15, 0, 0, 15, 0, 0, 0, {}};
        QTest::newRow("Black without") << TimeSettings{0, 5, 0, 0, 0, 0, 0, 0, {}} << "startup 9 OK" << TimeSettings{1, 30, 0, 1, 30, 0, 9, 0, {}};
        QTest::newRow("closed by the frame") << TimeSettings{} << "startup 9 Cancel Escape frame" << TimeSettings{};
        QTest::newRow("preset, runs on") << TimeSettings{1, 2, 3, 4, 5, 6, 13, 1, {}} << "OK" << TimeSettings{4, 0, 0, 4, 0, 0, 13, 1, {}};
        // The program stores only 0..14 and 0/1; anything else was edited by hand.
        QTest::newRow("game type 15, runs on 2") << TimeSettings{1, 2, 3, 4, 5, 6, 15, 2, {}} << "OK" << TimeSettings{1, 2, 3, 4, 5, 6, 0, 0, {}};
        QTest::newRow("time bonus") << TimeSettings{1, 2, 3, 4, 5, 6, 1, 0, {BonusMode::Delay, 10}} << "OK" << TimeSettings{0, 5, 0, 0, 5, 0, 1, 0, {BonusMode::Delay, 10}};
        // Only White's stored time decides whether the boxes offer 15 minutes each.
        QTest::newRow("stored White zero") << TimeSettings{0, 0, 0, 0, 5, 0, 0, 0, {}} << "OK" << TimeSettings{0, 15, 0, 0, 15, 0, 0, 0, {}};
        // Black without a time plays White's; the texts are read as numbers.
        QTest::newRow("Black zero") << TimeSettings{} << "focus:1:10 focus:4:0 OK" << TimeSettings{0, 10, 0, 0, 10, 0, 0, 0, {}};
        QTest::newRow("White zero, texts") << TimeSettings{} << "focus:1:0x focus:5:.6 focus:3:-4 OK" << TimeSettings{0, 0, 0, -4, 15, 1, 0, 0, {}};
        // No bonus seconds mean no bonus; more than 600 the most.
        QTest::newRow("most seconds") << TimeSettings{} << "1 bonus:2 focus:6:999 OK" << TimeSettings{0, 5, 0, 0, 5, 0, 1, 0, {BonusMode::Bronstein, 600}};
        QTest::newRow("no seconds") << TimeSettings{} << "1 bonus:1 focus:6:0 OK" << TimeSettings{0, 5, 0, 0, 5, 0, 1, 0, {}};
        // However an option is chosen, the boxes take input exactly while "User
        // defined" is. Entering a box selects its text, also by a click or a focus
        // that Qt would not select on; a box takes two characters.
        QTest::newRow("arrow key, click") << TimeSettings{1, 2, 3, 4, 5, 6, 8, 0, {}} << "click:1:9 Right click:2:7 Return" << TimeSettings{1, 2, 7, 4, 5, 6, 0, 0, {}};
        QTest::newRow("toggle action, focus") << TimeSettings{1, 2, 3, 4, 5, 6, 0, 0, {}} << "toggle:8 focus:3:8 0 focus:4:451 OK" << TimeSettings{1, 2, 3, 4, 45, 6, 0, 0, {}};
        for (const char* leave : {"Cancel", "Escape", "frame"})
            QTest::newRow(leave) << TimeSettings{1, 2, 3, 4, 5, 6, 0, 0, {}} << QStringLiteral("focus:0:9 3 bonus:1 focus:6:9 %1").arg(leave) << TimeSettings{1, 2, 3, 4, 5, 6, 0, 0, {}};
        // clang-format on
    }
    void choices() {
        QFETCH(TimeSettings, stored);
        QFETCH(QString, answer);
        const bool atStart = answer.startsWith(u"startup");
        TestUi tp;
        tp.modal.Expect(Answer(answer));
        tp.WriteSettingsFile("[General]\nLanguage=2\nMouseButton1=32\nMouseButton2=32\n");
        SaveTimeSettings(*tp.store, atStart ? stored : TimeSettings{0, 5, 0, 0, 5, 0, 0, 0, {}});
        UhrAnzeige window(*tp.program, tp.services);
        window.Form_Load();
        if (!atStart) {
            window.Form_KeyDown(32); // Black's key starts White's clock
            // The file replaced behind the program's back.
            SettingsStore next(tp.SettingsPath() + u'~');
            SaveTimeSettings(next, stored);
            std::filesystem::rename(next.FilePath().toStdString(), tp.SettingsPath().toStdString());
            window.FileNewGame_Click();
        }
        QCOMPARE(tp.modal.Shown(), int(answer != u"startup"));
        tp.store->Flush(); // and read as the next start would
        QTEST(LoadTimeSettings(SettingsStore(tp.SettingsPath())), "after");
        // New Game left otherwise: the game goes on.
        QCOMPARE(window.ClockRunning(), !answer.contains(QRegularExpression("startup|OK|Return")));
    }
};

QTEST_MAIN(UserSelectionTest)
#include "UserSelectionTest.moc"
