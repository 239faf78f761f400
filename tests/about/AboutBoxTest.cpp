#include "UiFakes.h"

#include "about/ui/AboutBox.h"

#include <QAccessible>
#include <QLabel>
#include <QTest>

using namespace velmora;
using namespace Qt::StringLiterals;

namespace {

// The about dialog on show, its links opened on a fake desktop, its messages recorded.
struct ShownAbout : velmora::test::TestUi {
    UIStrings& english = (vars().Strings.SetLanguage(LanguageEnglish), vars().Strings);
    AboutBox dialog{english, desktop, messages};
    ShownAbout() { dialog.show(); }
};

} // namespace

class AboutBoxTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A title is bold. A link is underlined, takes Tab focus, reads as a link
    // to a screen reader and opens the address it shows (mail with mailto:), by
    // a click, Return or Space, and the dialog stays open; a picture opens its
    // web site; a release outside takes the click back. Return closes the
    // dialog even on System-Info, which says in German when it finds no
    // system-information program to start.
    void activate_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("how"); // a key, a click, or a press released outside
        QTest::addColumn<QString>("outcome");
        // clang-format off
        QTest::newRow("maker's web site") << "LinkWebSite" << "click" << "link https://velmora.example.org";
        QTest::newRow("maker's e-mail, Return") << "LinkEMail" << "Return" << "link mailto:info@velmora.example.org";
        QTest::newRow("sponsor's web site, Space") << "LinkWebSite_Sponsor" << "Space" << "link https://www.talvista.example.com";
        QTest::newRow("sponsor's e-mail") << "LinkEMail_Sponsor" << "click" << "link mailto:kontakt@talvista.example.com";
        QTest::newRow("title") << "lblTitle" << "click" << "bold";
        QTest::newRow("program's picture") << "picIcon" << "click" << "https://velmora.example.org";
        QTest::newRow("released outside") << "LinkWebSite" << "outside" << "link";
        QTest::newRow("Return on System-Info") << "cmdSysInfo" << "Return" << "closed";
        QTest::newRow("System-Info") << "cmdSysInfo" << "Space" << u"None: System-Informationen sind augenblicklich nicht verf\u00fcgbar."_s;
        // clang-format on
    }
    void activate() {
        QFETCH(QString, target);
        QFETCH(QString, how);
        ShownAbout about;
        QWidget* widget = about.dialog.findChild<QWidget*>(target);
        if (how == u"click" || how == u"outside") {
            QTest::mousePress(widget, Qt::LeftButton);
            QTest::mouseRelease(widget, Qt::LeftButton, {},
                                how == u"click" ? QPoint() : QPoint(-5, -5));
        } else {
            QTest::keyClick(widget, QKeySequence(how)[0].key());
        }
        QStringList outcome = about.messages.shown;
        if (widget->focusPolicy() & Qt::TabFocus && widget->font().underline() &&
            QAccessible::queryAccessibleInterface(widget)->role() == QAccessible::Link)
            outcome << u"link"_s;
        if (widget->font().bold())
            outcome << u"bold"_s;
        for (const QUrl& url : about.desktop.opened)
            outcome << url.toString();
        if (!about.dialog.isVisible())
            outcome << u"closed"_s;
        QTEST(outcome.join(u' '), "outcome");
    }
};

QTEST_MAIN(AboutBoxTest)
#include "AboutBoxTest.moc"
