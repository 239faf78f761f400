#include "clock/ui/UhrAnzeige.h"

#include "UiFakes.h"

#include <QAccessible>
#include <QMenuBar>
#include <QTest>

using namespace velmora;
using namespace velmora::test;

// The main window through one game in German and the View menu, step by step.
class UhrAnzeigeTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestUi> t = std::make_unique<TestUi>();
    std::unique_ptr<UhrAnzeige> window;

    QWidget* Child(const QString& name) { return window->findChild<QWidget*>(name); }
    // Where a label's text colour shows in its picture: its glyphs are drawn
    // from copies that must follow the font and colour, centred.
    static QString Drawn(QWidget* label) {
        const QImage image = label->grab().toImage();
        const QRgb text = label->palette().color(QPalette::WindowText).rgb();
        QRect box;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                box |= image.pixel(x, y) == text ? QRect(x, y, 1, 1) : QRect();
        const QPoint off = box.center() - label->rect().center();
        return box.isEmpty()                ? QStringLiteral("not drawn")
               : off.manhattanLength() <= 6 ? QStringLiteral("centred")
                                            : QStringLiteral("off centre");
    }

private Q_SLOTS:
    // White plays with A, Black with the left mouse button; Black's time is low.
    void initTestCase() {
        t->WriteSettingsFile("[General]\nLanguage=2\nMouseButton1=65\nMouseButton2=1\n"
                             "LowTimeWarning=5\n[Time]\nP1h=1\nP1min=30\nP2sec=1\n"
                             "IncrementMode=1\nIncrementSeconds=5\n");
        window = std::make_unique<UhrAnzeige>(*t->program, t->services);
        window->Form_Load();
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));   // for the shortcuts
        QVERIFY(QAccessible::queryAccessibleInterface(qApp)); // the root a screen reader asks first
    }

    void tour_data() {
        QTest::addColumn<QString>("step");
        QTest::addColumn<QString>("look");
        QTest::addColumn<QString>("shown");
        // clang-format off
        QTest::newRow("start") << "" << "FrameAnzeige.title | TimeLeft(0) name | PlayerKey(2) name | help menu | LabelTimeBonus.visible | LabelTimeBonus.text | drawn" << "Schwarz betätigt als erstes die Uhr | Weiß: 01:30:00, wartet | Taste Schwarz: Linke Maustaste | Hilfe | true | +5 s | centred";
        QTest::newRow("colours") << "" << "colours" << "#c0c0c0/#000000 | #c0c0c0/#000000 | #c0c0c0/#000000 | #c0c0c0/#000000 | #ffffff/#000000 | #000000/#ffffff";
        // Only a running clock can pause.
        QTest::newRow("no pause yet") << "Ctrl+P" << "FrameAnzeige.title" << "Schwarz betätigt als erstes die Uhr";
        // A click on a label is no move, on the frame it is.
        QTest::newRow("click on a label") << "click TimeLeft(0)" << "TimeLeft(0) name" << "Weiß: 01:30:00, wartet";
        QTest::newRow("click on the frame") << "click FrameAnzeige" << "TimeLeft(0) name" << "Weiß: 01:30:00, läuft";
        // White's colours; Black's time is low from the start of the game.
        QTest::newRow("White's turn") << "tick 10" << "TimeLeft(0) name | colours | drawn" << "Weiß: 01:29:59, läuft | #ffffff/#000000 | #ffffff/#000000 | #ffffff/#000000 | #ffffff/#000000 | #ffffff/#000000 | #000000/#ff0000 | centred";
        // A held key's repeats are no presses.
        QTest::newRow("held A") << "held A" << "FrameAnzeige.title" << "Weiß ist am Zug";
        QTest::newRow("A") << "A" << "FrameAnzeige.title | TimeLeft(0) name | colours" << "Schwarz ist am Zug | Weiß: 01:30:04, wartet | #000000/#000000 | #000000/#ffffff | #000000/#ffffff | #000000/#ffffff | #ffffff/#000000 | #000000/#ff0000";
        QTest::newRow("pause") << "Ctrl+P" << "FrameAnzeige.title | FilePause.text" << "Angehalten: Strg+P setzt fort | &Fortsetzen";
        QTest::newRow("continue") << "Ctrl+P" << "FrameAnzeige.title" << "Schwarz ist am Zug";
        QTest::newRow("time over") << "tick 12" << "FrameAnzeige.title | TimeLeft(1) name" << "Die Zeit von Spieler 2 ist abgelaufen. | Schwarz: 00:00:00, wartet";
        // The face keeps the design unless Fit to window or full screen scale
        // it by one factor, the largest at which the design fits, never below 1;
        // the frame stays centred, cut off in a small window.
        QTest::newRow("not fitted") << "resize 1920 1080" << "face" << "QRect(16,24 257x73) QRect(296,104 257x17) 48 9 QPoint(678,444)";
        QTest::newRow("full screen") << "Ctrl+F" << "face" << "QRect(22,33 349x99) QRect(402,141 349x23) 65.1952 12.2241 QPoint(16,281)";
        QTest::newRow("back from it") << "Ctrl+F" << "face" << "QRect(16,24 257x73) QRect(296,104 257x17) 48 9 QPoint(678,444)";
        QTest::newRow("small") << "resize 300 100" << "face" << "QRect(16,24 257x73) QRect(296,104 257x17) 48 9 QPoint(-133,-46)";
        QTest::newRow("fitted, small") << "Ctrl+G" << "face" << "QRect(16,24 257x73) QRect(296,104 257x17) 48 9 QPoint(-133,-46)";
        QTest::newRow("fitted, wide") << "resize 1920 1080" << "face | drawn" << "QRect(52,78 838x238) QRect(965,339 838x55) 156.469 29.3379 QPoint(35,298) | centred";
        QTest::newRow("fitted, flat") << "resize 1920 400" << "face" << "QRect(36,53 573x163) QRect(660,232 573x38) 106.947 20.0526 QPoint(328,25)";
        QTest::newRow("not fitted, flat") << "Ctrl+G" << "face" << "QRect(16,24 257x73) QRect(296,104 257x17) 48 9 QPoint(678,104)";
        // clang-format on
    }
    // A step: "A" (White's key as X11 delivers it, keycode 38), "held A" (its
    // auto-repeat), "click <child>", "tick <count>", "resize <width> <height>"
    // or a shortcut such as "Ctrl+P". Then what the window shows, for each look
    // given ("<look> | <look>"): "<child>.<property>", "<child> name" (what a
    // screen reader reads), "help menu" (what it reads for the "&?" menu),
    // "colours" (background/text of the client area, the frame, the key labels
    // and the time labels) or "face" (White's time label, Black's key label,
    // their fonts' sizes and where the frame is).
    void tour() {
        QFETCH(QString, step);
        const QStringList words = step.split(u' ');
        if (words.last() == u"A") {
            auto event = NativeKeyPress(Qt::Key_A, {}, 38, QString(), words[0] == u"held");
            QApplication::sendEvent(window.get(), event.get());
        } else if (words[0] == u"click") {
            QTest::mousePress(Child(words[1]), Qt::LeftButton, {}, QPoint(2, 2));
        } else if (words[0] == u"tick") {
            for (int i = words[1].toInt(); i > 0; --i)
                window->Engine().TimerClock_Timer();
        } else if (words[0] == u"resize") {
            window->resize(words[1].toInt(), words[2].toInt());
        } else if (!step.isEmpty()) {
            QTest::keySequence(window.get(), QKeySequence(step));
        }
        QFETCH(QString, look);
        QStringList seen;
        for (const QString& what : look.split(QStringLiteral(" | "))) {
            const QString name = what.section(u' ', 0, 0).section(u'.', 0, 0);
            const QByteArray property = what.section(u'.', 1).toLatin1();
            if (what.endsWith(u" name"))
                seen << QAccessible::queryAccessibleInterface(Child(name))->text(QAccessible::Name);
            else if (what == u"help menu")
                seen << QAccessible::queryAccessibleInterface(window->menuBar())
                            ->child(2)
                            ->text(QAccessible::Name);
            else if (what.contains(u'.'))
                seen << window->findChild<QObject*>(name)->property(property).toString();
            else if (what == u"face")
                QDebug(&seen.emplace_back())
                    << Child("TimeLeft(0)")->geometry() << Child("PlayerKey(2)")->geometry()
                    << Child("TimeLeft(0)")->font().pointSizeF()
                    << Child("PlayerKey(2)")->font().pointSizeF() << Child("FrameAnzeige")->pos();
            else if (what == u"drawn")
                seen << Drawn(Child("TimeLeft(1)"));
            else if (what == u"colours")
                for (const char* part : {"ClientArea", "FrameAnzeige", "PlayerKey(1)",
                                         "PlayerKey(2)", "TimeLeft(0)", "TimeLeft(1)"})
                    seen << Child(part)->palette().color(QPalette::Window).name() + u'/' +
                                Child(part)->palette().color(QPalette::WindowText).name();
        }
        for (QString& part : seen)
            part = part.trimmed(); // QDebug ends with a blank
        QTEST(seen.join(QStringLiteral(" | ")), "shown");
    }
};

QTEST_MAIN(UhrAnzeigeTest)
#include "UhrAnzeigeTest.moc"
