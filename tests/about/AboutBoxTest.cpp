#include "UiFakes.h"

#include "about/ui/AboutBox.h"
#include "state/ui/MessageBoxes.h"

#include <QAccessible>
#include <QLabel>
#include <QMessageBox>
#include <QTest>

using namespace velmora;
using namespace velmora::test;
using namespace Qt::StringLiterals;

namespace {

QString Text(QDialog& dialog, const QString& name) {
    return dialog.findChild<QWidget*>(name)->property("text").toString();
}

// Shows the about dialog (its messages as message boxes), hands it to `act`
// and tells whether it stayed open.
bool ShowAbout(TestUi& t, DesktopLauncher& desktop, const std::function<void(QDialog&)>& act) {
    bool open = false;
    t.modal.Expect([&](QDialog& dialog) {
        act(dialog);
        open = dialog.isVisible();
    });
    MessageBoxes messages(t.modal);
    AboutBox box(t.vars().Strings, desktop, messages);
    t.modal.Run(box);
    return open;
}

} // namespace

class AboutBoxTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void captions_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("shown"); // caption, sponsor heading and text, fixed texts
        QTest::newRow("English") << 1
                                 << "About Velmora...|With friendly support from|Talvista\n"
                                    "Handcrafted clocks and boards for chess clubs.|WebSite:|&OK";
        QTest::newRow("German") << 2
                                << u"\u00dcber Velmora...|Mit freundlicher Unterst\u00fctzung von|"
                                   u"Talvista\nHandgefertigte Uhren und Bretter f\u00fcr "
                                   u"Schachvereine.|WebSite:|&OK"_s;
    }
    void captions() {
        QFETCH(int, language);
        TestUi t;
        t.vars().Strings.SetLanguage(language);
        ShowAbout(t, t.desktop, [&](QDialog& dialog) {
            QTEST(QStringList({dialog.windowTitle(), Text(dialog, u"lblTitle_Sponsor"_s),
                               Text(dialog, u"lblVersion_Sponsor"_s),
                               Text(dialog, u"TextWebSite_Sponsor"_s), Text(dialog, u"cmdOK"_s)})
                      .join(u'|'),
                  "shown");
            for (const char* title : {"lblTitle", "lblTitle_Sponsor"})
                QVERIFY2(dialog.findChild<QLabel*>(QLatin1String(title))->font().bold(), title);
            // Drawn pictures need the resources and the SVG image plugin.
            for (const char* name : {"picIcon", "Picture1"})
                QVERIFY2(
                    !dialog.findChild<QLabel*>(QLatin1String(name))->pixmap().toImage().allGray(),
                    name);
        });
    }

    // A link opens the address it shows (mail with mailto:), by a click,
    // Return or Space; a picture opens its web site; a release outside takes
    // the click back. Links read and look (underlined) as links; the dialog stays open.
    void links_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("opened");
        // clang-format off
        QTest::newRow("maker's web site") << "LinkWebSite" << "click" << "https://velmora.example.org";
        QTest::newRow("maker's e-mail, Return") << "LinkEMail" << "Return" << "mailto:info@velmora.example.org";
        QTest::newRow("sponsor's web site, Space") << "LinkWebSite_Sponsor" << "Space" << "https://www.talvista.example.com";
        QTest::newRow("sponsor's e-mail") << "LinkEMail_Sponsor" << "click" << "mailto:kontakt@talvista.example.com";
        QTest::newRow("program's picture") << "picIcon" << "click" << "https://velmora.example.org";
        QTest::newRow("sponsor's picture") << "Picture1" << "click" << "https://www.talvista.example.com";
        QTest::newRow("released outside") << "LinkWebSite" << "outside" << "";
        // clang-format on
    }
    void links() {
        QFETCH(QString, target);
        QFETCH(QString, how);
        TestUi t;
        const bool open = ShowAbout(t, t.desktop, [&](QDialog& dialog) {
            QWidget* widget = dialog.findChild<QWidget*>(target);
            if (widget->focusPolicy() & Qt::TabFocus) {
                QCOMPARE(QAccessible::queryAccessibleInterface(widget)->role(), QAccessible::Link);
                QVERIFY(widget->font().underline());
            }
            if (how == u"Return" || how == u"Space") {
                QTest::keyClick(widget, how == u"Return" ? Qt::Key_Return : Qt::Key_Space);
                return;
            }
            QTest::mousePress(widget, Qt::LeftButton, {}, widget->rect().center());
            QTest::mouseRelease(widget, Qt::LeftButton, {},
                                how == u"outside" ? QPoint(-5, -5) : widget->rect().center());
        });
        QVERIFY(open);
        QStringList opened;
        for (const QUrl& url : t.desktop.opened)
            opened << url.toString();
        QTEST(opened.join(u' '), "opened");
    }

    // Return and Escape close the dialog (Return even on System-Info, which
    // starts the first system-information program on the PATH, or else says
    // in German that there is none).
    void buttons_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("found"); // hardinfo on the PATH may run
        QTest::addColumn<QString>("outcome");
        // clang-format off
        QTest::newRow("Return") << "cmdOK" << int(Qt::Key_Return) << true << "closes";
        QTest::newRow("Escape") << "cmdOK" << int(Qt::Key_Escape) << true << "closes";
        QTest::newRow("Return on System-Info") << "cmdSysInfo" << int(Qt::Key_Return) << true << "closes";
        QTest::newRow("System-Info, found") << "cmdSysInfo" << int(Qt::Key_Space) << true << "starts";
        QTest::newRow("System-Info, none found") << "cmdSysInfo" << int(Qt::Key_Space) << false << "message";
        // clang-format on
    }
    void buttons() {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(bool, found);
        QFETCH(QString, outcome);
        QTemporaryDir dir; // kinfocenter, first among the known programs, may not run
        for (const QString& name : {u"kinfocenter"_s, u"hardinfo"_s}) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write("#!/bin/sh\n: >\"$0.ran\"\n"));
        }
        if (found)
            QVERIFY(QFile::setPermissions(dir.filePath(u"hardinfo"_s),
                                          QFile::ReadOwner | QFile::ExeOwner));
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(dir.path()));
        TestUi t;
        SystemDesktopLauncher desktop;
        const bool open = ShowAbout(t, desktop, [&](QDialog& dialog) {
            if (outcome == "message"_L1)
                t.modal.Expect([](QDialog& shown) {
                    auto* box = qobject_cast<QMessageBox*>(&shown);
                    QCOMPARE(box->windowTitle() + ": "_L1 + box->text(),
                             u"Velmora: System-Informationen sind augenblicklich nicht "
                             u"verf\u00fcgbar."_s);
                    QCOMPARE(box->icon(), QMessageBox::NoIcon);
                    box->accept();
                });
            dialog.findChild<QWidget*>(focus)->setFocus();
            QTest::keyClick(dialog.findChild<QWidget*>(focus), Qt::Key(key));
        });
        qputenv("PATH", path);
        QCOMPARE(open, outcome != "closes"_L1);
        QCOMPARE(t.modal.Pending(), std::size_t(0)); // the message came exactly when expected
        QTRY_COMPARE(QFile::exists(dir.filePath(u"hardinfo.ran"_s)), outcome == "starts"_L1);
    }
};

QTEST_MAIN(AboutBoxTest)
#include "AboutBoxTest.moc"
