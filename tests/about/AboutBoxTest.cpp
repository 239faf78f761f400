#include "UiFakes.h"

#include "state/ui/MessageBoxes.h"

#include "about/ui/AboutBox.h"

#include <QAccessible>
#include <QLabel>
#include <QMessageBox>
#include <QTest>

using namespace velmora;
using namespace velmora::test;
using namespace Qt::StringLiterals;

namespace {

template <class T = QWidget> T* Child(QDialog& dialog, const QString& name) {
    auto* child = dialog.findChild<T*>(name);
    if (!child)
        qFatal("no control %s", qPrintable(name));
    return child;
}

QString Text(QDialog& dialog, const QString& name) {
    return Child(dialog, name)->property("text").toString();
}

// Shows the about dialog, hands it to `act` and tells whether it stayed open.
// (its messages shown as message boxes).
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
    void captionsFollowTheLanguage_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("supportFrom");
        QTest::addColumn<QString>("sponsor");
        QTest::newRow("English") << 1 << u"About Velmora..."_s << u"With friendly support from"_s
                                 << u"Handcrafted clocks and boards for chess clubs."_s;
        QTest::newRow("German") << 2 << u"\u00dcber Velmora..."_s
                                << u"Mit freundlicher Unterst\u00fctzung von"_s
                                << u"Handgefertigte Uhren und Bretter f\u00fcr Schachvereine."_s;
    }

    void captionsFollowTheLanguage() {
        QFETCH(int, language);
        QFETCH(QString, caption);
        QFETCH(QString, supportFrom);
        QFETCH(QString, sponsor);

        TestUi t;
        // Shown before in the other language: the texts are loaded afresh.
        t.vars().Strings.SetLanguage(3 - language);
        ShowAbout(t, t.desktop, [](QDialog&) {});
        t.vars().Strings.SetLanguage(language);
        ShowAbout(t, t.desktop, [&](QDialog& dialog) {
            QCOMPARE(dialog.windowTitle(), caption);
            QCOMPARE(Text(dialog, u"lblTitle_Sponsor"_s), supportFrom);
            // The string table's CR LF between name and description becomes a line break.
            QCOMPARE(Text(dialog, u"lblVersion_Sponsor"_s), "Talvista\n"_L1 + sponsor);
            QStringList same; // in both languages
            for (const char* name : {"TextWebSite", "TextEMail", "TextWebSite_Sponsor",
                                     "TextEMail_Sponsor", "cmdOK", "cmdSysInfo"})
                same << Text(dialog, QLatin1String(name));
            QCOMPARE(same, QStringList({"WebSite:", "e-Mail:", "WebSite:", "e-Mail:", "&OK",
                                        "&System-Info..."}));
            // Drawn pictures need the resources and the SVG image plugin.
            for (const char* name : {"picIcon", "Picture1"})
                QVERIFY2(!Child<QLabel>(dialog, QLatin1String(name))->pixmap().toImage().allGray(),
                         name);
        });
        QCOMPARE(t.modal.Unanswered(), 0);
    }

    void linkOpensTheAddressItShows_data() {
        QTest::addColumn<QString>("clicked");
        QTest::addColumn<QString>("link"); // whose caption is the address; empty: nothing opens
        QTest::addColumn<QString>("prefix");
        // clang-format off
        QTest::newRow("maker's web site") << "LinkWebSite" << "LinkWebSite" << "";
        QTest::newRow("maker's e-mail") << "LinkEMail" << "LinkEMail" << "mailto:";
        QTest::newRow("sponsor's web site") << "LinkWebSite_Sponsor" << "LinkWebSite_Sponsor" << "";
        QTest::newRow("sponsor's e-mail") << "LinkEMail_Sponsor" << "LinkEMail_Sponsor" << "mailto:";
        QTest::newRow("program's picture") << "picIcon" << "LinkWebSite" << "";
        QTest::newRow("sponsor's picture") << "Picture1" << "LinkWebSite_Sponsor" << "";
        // Releasing the mouse outside takes the click back.
        QTest::newRow("released outside") << "LinkWebSite" << "" << "";
        // clang-format on
    }

    void linkOpensTheAddressItShows() {
        QFETCH(QString, clicked);
        QFETCH(QString, link);
        QFETCH(QString, prefix);

        TestUi t;
        QStringList expected;
        const bool open = ShowAbout(t, t.desktop, [&](QDialog& dialog) {
            if (!link.isEmpty())
                expected << prefix + Text(dialog, link);
            QWidget* target = Child(dialog, clicked);
            QTest::mousePress(target, Qt::LeftButton, {}, target->rect().center());
            QTest::mouseRelease(target, Qt::LeftButton, {},
                                link.isEmpty() ? QPoint(-5, -5) : target->rect().center());
        });
        QVERIFY(open);
        QStringList opened;
        for (const QUrl& url : t.desktop.opened)
            opened << url.toString();
        QCOMPARE(opened, expected);
    }

    // The links take the focus, open with Return or Space, and read as links.
    void linksFromTheKeyboard() {
        TestUi t;
        QStringList expected;
        ShowAbout(t, t.desktop, [&](QDialog& dialog) {
            for (const char* name : {"LinkWebSite", "LinkEMail_Sponsor"}) {
                QWidget* link = Child(dialog, QLatin1String(name));
                QVERIFY(link->focusPolicy() & Qt::TabFocus);
                QAccessibleInterface* readAs = QAccessible::queryAccessibleInterface(link);
                QCOMPARE(readAs->role(), QAccessible::Link);
                QCOMPARE(readAs->text(QAccessible::Name), Text(dialog, QLatin1String(name)));
                QTest::keyClick(link, Qt::Key_Return);
                QTest::keyClick(link, Qt::Key_Space);
            }
            expected << "https://velmora.example.org"
                     << "https://velmora.example.org"
                     << "mailto:kontakt@talvista.example.com"
                     << "mailto:kontakt@talvista.example.com";
        });
        QStringList opened;
        for (const QUrl& url : t.desktop.opened)
            opened << url.toString();
        QCOMPARE(opened, expected);
    }

    void buttons_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("found"); // hardinfo on the PATH may run
        QTest::addColumn<QString>("outcome");
        // clang-format off
        QTest::newRow("Return") << "cmdOK" << int(Qt::Key_Return) << true << "closes";
        QTest::newRow("Escape") << "cmdOK" << int(Qt::Key_Escape) << true << "closes";
        // Return means OK, not System-Info, even while System-Info has the focus.
        QTest::newRow("Return on System-Info") << "cmdSysInfo" << int(Qt::Key_Return) << true << "closes";
        QTest::newRow("System-Info, found") << "cmdSysInfo" << int(Qt::Key_Space) << true << "starts";
        QTest::newRow("System-Info, none found") << "cmdSysInfo" << int(Qt::Key_Space) << false << "message";
        // clang-format on
    }

    // With the real desktop: System-Info searches the PATH.
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
        t.vars().Strings.SetLanguage(1); // the message is German even so
        const bool open = ShowAbout(t, desktop, [&](QDialog& dialog) {
            if (outcome == "message"_L1)
                t.modal.Expect([](QDialog& shown) {
                    auto* box = qobject_cast<QMessageBox*>(&shown);
                    QVERIFY(box);
                    QCOMPARE(box->windowTitle(), u"Velmora"_s);
                    QCOMPARE(box->text(),
                             u"System-Informationen sind augenblicklich nicht verf\u00fcgbar."_s);
                    QCOMPARE(box->icon(), QMessageBox::NoIcon);
                    QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
                    box->accept();
                });
            Child(dialog, focus)->setFocus();
            QTest::keyClick(Child(dialog, focus), Qt::Key(key));
        });
        qputenv("PATH", path);
        QCOMPARE(open, outcome != "closes"_L1);
        QCOMPARE(t.modal.Pending(), std::size_t(0)); // the message came exactly when expected
        QCOMPARE(t.modal.Unanswered(), 0);
        QTRY_COMPARE(QFile::exists(dir.filePath(u"hardinfo.ran"_s)), outcome == "starts"_L1);
    }
};

QTEST_MAIN(AboutBoxTest)
#include "AboutBoxTest.moc"
