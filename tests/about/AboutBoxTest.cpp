#include "TestProgram.h"

#include "about/AboutBox.h"
#include "state/ApplicationInfo.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

using namespace velmora;
using namespace velmora::test;

namespace {

const QString kNotAvailable =
    QString::fromUtf16(u"System-Informationen sind augenblicklich nicht verf\u00fcgbar.");

// A desktop on which nothing can be opened or started.
class RefusingDesktop final : public DesktopLauncher {
public:
    bool OpenUrl(const QUrl& url) override {
        tried.push_back(url);
        return false;
    }
    QString FindProgram(const QStringList&) override {
        return QStringLiteral("/usr/bin/kinfocenter");
    }
    bool StartDetached(const QString&) override { return false; }
    std::vector<QUrl> tried;
};

QLabel* Label(QDialog& dialog, const QString& name) {
    auto* label = dialog.findChild<QLabel*>(name);
    Q_ASSERT_X(label, "Label", qPrintable(name));
    return label;
}

QPushButton* Button(QDialog& dialog, const QString& name) {
    auto* button = dialog.findChild<QPushButton*>(name);
    Q_ASSERT_X(button, "Button", qPrintable(name));
    return button;
}

// Shows the about dialog of `program`, lets `inspect` act on it and then
// closes it with OK if it is still open.
void WithAboutBox(Program& program, ScriptedModalRunner& modal,
                  const std::function<void(QDialog&)>& inspect) {
    modal.Expect([&](QDialog& dialog) {
        inspect(dialog);
        if (dialog.isVisible())
            QTest::mouseClick(Button(dialog, QStringLiteral("cmdOK")), Qt::LeftButton);
    });
    ShowAboutDialog(program, nullptr);
}

// What one message box looked like while it was open.
struct SeenMessage {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
};

ScriptedModalRunner::Answer RecordMessage(std::vector<SeenMessage>& seen) {
    return [&seen](QDialog& dialog) {
        auto* box = qobject_cast<QMessageBox*>(&dialog);
        QVERIFY(box);
        seen.push_back({box->windowTitle(), box->text(), box->icon(), box->standardButtons()});
        box->accept();
    };
}

} // namespace

class AboutBoxTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void captionsFollowTheLanguage_data();
    void captionsFollowTheLanguage();
    void showsPicturesAndAddresses();
    void closes_data();
    void closes();
    void linkOpensTheAddressItShows_data();
    void linkOpensTheAddressItShows();
    void linkThatCannotOpenShowsNothing();
    void systemInformation_data();
    void systemInformation();
};

void AboutBoxTest::captionsFollowTheLanguage_data() {
    QTest::addColumn<QList<int>>("languages"); // set one after the other; the last counts
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("supportFrom");
    QTest::addColumn<QString>("sponsorDescription");

    const QString english = QStringLiteral("About Velmora...");
    const QString german = QString::fromUtf16(u"\u00dcber Velmora...");
    const QString englishSupport = QStringLiteral("With friendly support from");
    const QString germanSupport = QString::fromUtf16(u"Mit freundlicher Unterst\u00fctzung von");
    const QString englishSponsor = QStringLiteral("Handcrafted clocks and boards for chess clubs.");
    const QString germanSponsor =
        QString::fromUtf16(u"Handgefertigte Uhren und Bretter f\u00fcr Schachvereine.");
    QTest::newRow("English") << QList<int>{1} << english << englishSupport << englishSponsor;
    QTest::newRow("German") << QList<int>{2} << german << germanSupport << germanSponsor;
    QTest::newRow("German, shown before in English")
        << QList<int>{1, 2} << german << germanSupport << germanSponsor;
    QTest::newRow("English, shown before in German")
        << QList<int>{2, 1} << english << englishSupport << englishSponsor;
}

void AboutBoxTest::captionsFollowTheLanguage() {
    QFETCH(QList<int>, languages);
    QFETCH(QString, caption);
    QFETCH(QString, supportFrom);
    QFETCH(QString, sponsorDescription);

    TestProgram t;
    // Each language gets a showing: the dialog must load its texts afresh.
    std::map<QString, QString> seen;
    for (int language : languages) {
        t.vars().Strings.SetLanguage(language);
        WithAboutBox(*t.program, t.modal, [&](QDialog& dialog) {
            seen.clear();
            seen["title"] = dialog.windowTitle();
            for (const char* name :
                 {"lblTitle", "lblVersion", "lblTitle_Sponsor", "lblVersion_Sponsor", "TextWebSite",
                  "TextEMail", "TextWebSite_Sponsor", "TextEMail_Sponsor"})
                seen[name] = Label(dialog, QLatin1String(name))->text();
            for (const char* name : {"cmdOK", "cmdSysInfo"})
                seen[name] = Button(dialog, QLatin1String(name))->text();
        });
    }

    QCOMPARE(seen["title"], caption);
    QCOMPARE(seen["lblTitle"], QStringLiteral("Velmora"));
    QCOMPARE(seen["lblTitle_Sponsor"], supportFrom);
    QCOMPARE(seen["lblVersion_Sponsor"], QStringLiteral("Talvista\n") + sponsorDescription);
    // Version and legal notice, two lines; the version is this build's.
    const QStringList version = seen["lblVersion"].split(u'\n');
    QCOMPARE(version.size(), 2);
    QCOMPARE(version[0], QStringLiteral("Version ") + ApplicationVersion());
    QVERIFY(QRegularExpression(QStringLiteral("^Version \\d+\\.\\d+\\.\\d+$"))
                .match(version[0])
                .hasMatch());
    QVERIFY2(version[1].startsWith(QStringLiteral("(c) ")) && version[1].size() > 4,
             qPrintable(version[1]));
    // The same in both languages.
    QCOMPARE(seen["TextWebSite"], QStringLiteral("WebSite:"));
    QCOMPARE(seen["TextWebSite_Sponsor"], QStringLiteral("WebSite:"));
    QCOMPARE(seen["TextEMail"], QStringLiteral("e-Mail:"));
    QCOMPARE(seen["TextEMail_Sponsor"], QStringLiteral("e-Mail:"));
    QCOMPARE(seen["cmdOK"], QStringLiteral("&OK"));
    QCOMPARE(seen["cmdSysInfo"], QStringLiteral("&System-Info..."));
    QCOMPARE(t.modal.Unanswered(), 0);
}

void AboutBoxTest::showsPicturesAndAddresses() {
    TestProgram t;
    t.vars().Strings.SetLanguage(1);
    WithAboutBox(*t.program, t.modal, [&](QDialog& dialog) {
        QCOMPARE(dialog.objectName(), QStringLiteral("AboutBox"));
        // Both pictures are drawn, which needs the resources and the SVG image plugin.
        for (const char* name : {"picIcon", "Picture1"}) {
            const QPixmap picture = Label(dialog, QLatin1String(name))->pixmap();
            QVERIFY2(!picture.isNull(), name);
            QVERIFY2(!picture.toImage().allGray(), name);
        }
        for (int i = 0; i < 3; ++i)
            QVERIFY(dialog.findChild<QWidget*>(QStringLiteral("Line1(%1)").arg(i)));
        // Addresses under the domains reserved for examples, none of them twice.
        QSet<QString> addresses;
        for (const char* name : {"LinkWebSite", "LinkWebSite_Sponsor"}) {
            const QUrl url(Label(dialog, QLatin1String(name))->text(), QUrl::StrictMode);
            QVERIFY2(url.isValid() && url.scheme() == QStringLiteral("https"), name);
            QVERIFY2(url.host().endsWith(QStringLiteral(".example.org")) ||
                         url.host().endsWith(QStringLiteral(".example.com")),
                     name);
            addresses.insert(url.toString());
        }
        for (const char* name : {"LinkEMail", "LinkEMail_Sponsor"}) {
            const QString address = Label(dialog, QLatin1String(name))->text();
            QVERIFY2(QRegularExpression(QStringLiteral("^[a-z.]+@[a-z.]+\\.example\\.(org|com)$"))
                         .match(address)
                         .hasMatch(),
                     qPrintable(address));
            addresses.insert(address);
        }
        QCOMPARE(addresses.size(), 4);
    });
}

void AboutBoxTest::closes_data() {
    QTest::addColumn<QString>("focus"); // the control with the focus, empty for the dialog's own
    QTest::addColumn<int>("key");       // 0: click OK instead

    QTest::newRow("Return") << QString() << int(Qt::Key_Return);
    QTest::newRow("Enter") << QString() << int(Qt::Key_Enter);
    QTest::newRow("Escape") << QString() << int(Qt::Key_Escape);
    QTest::newRow("Return while System-Info has the focus")
        << QStringLiteral("cmdSysInfo") << int(Qt::Key_Return);
    QTest::newRow("Escape while System-Info has the focus")
        << QStringLiteral("cmdSysInfo") << int(Qt::Key_Escape);
    QTest::newRow("OK clicked") << QString() << 0;
}

void AboutBoxTest::closes() {
    QFETCH(QString, focus);
    QFETCH(int, key);

    TestProgram t;
    t.vars().Strings.SetLanguage(2);
    bool closed = false;
    t.modal.Expect([&](QDialog& dialog) {
        if (!focus.isEmpty())
            Button(dialog, focus)->setFocus();
        QWidget* target = dialog.focusWidget() ? dialog.focusWidget() : &dialog;
        if (key == 0)
            QTest::mouseClick(Button(dialog, QStringLiteral("cmdOK")), Qt::LeftButton);
        else
            QTest::keyClick(target, Qt::Key(key));
        closed = !dialog.isVisible();
    });
    ShowAboutDialog(*t.program, nullptr);

    QVERIFY(closed);
    QCOMPARE(t.modal.Shown().size(), std::size_t(1)); // no message box on the way
    QVERIFY(t.desktop.started.empty());
    QVERIFY(t.desktop.opened.empty());
}

void AboutBoxTest::linkOpensTheAddressItShows_data() {
    QTest::addColumn<QString>("clicked");
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("releasedInside");
    QTest::addColumn<QString>("link");   // whose caption is the address, empty for none
    QTest::addColumn<QString>("prefix"); // put before the caption

    const int left = Qt::LeftButton;
    const QString mailto = QStringLiteral("mailto:");
    QTest::newRow("maker's web site")
        << "LinkWebSite" << left << true << "LinkWebSite" << QString();
    QTest::newRow("maker's e-mail") << "LinkEMail" << left << true << "LinkEMail" << mailto;
    QTest::newRow("sponsor's web site")
        << "LinkWebSite_Sponsor" << left << true << "LinkWebSite_Sponsor" << QString();
    QTest::newRow("sponsor's e-mail")
        << "LinkEMail_Sponsor" << left << true << "LinkEMail_Sponsor" << mailto;
    QTest::newRow("program's picture") << "picIcon" << left << true << "LinkWebSite" << QString();
    QTest::newRow("sponsor's picture")
        << "Picture1" << left << true << "LinkWebSite_Sponsor" << QString();
    QTest::newRow("right button") << "LinkWebSite" << int(Qt::RightButton) << true << QString()
                                  << QString();
    QTest::newRow("released outside the link")
        << "LinkEMail_Sponsor" << left << false << QString() << QString();
}

void AboutBoxTest::linkOpensTheAddressItShows() {
    QFETCH(QString, clicked);
    QFETCH(int, button);
    QFETCH(bool, releasedInside);
    QFETCH(QString, link);
    QFETCH(QString, prefix);

    TestProgram t;
    t.vars().Strings.SetLanguage(1);
    QString expected;
    bool staysOpen = false;
    WithAboutBox(*t.program, t.modal, [&](QDialog& dialog) {
        if (!link.isEmpty())
            expected = prefix + Label(dialog, link)->text();
        QLabel* target = Label(dialog, clicked);
        const QPoint inside = target->rect().center();
        QTest::mousePress(target, Qt::MouseButton(button), {}, inside);
        QTest::mouseRelease(target, Qt::MouseButton(button), {},
                            releasedInside ? inside : QPoint(-5, -5));
        staysOpen = dialog.isVisible();
    });

    QVERIFY(staysOpen);
    if (link.isEmpty()) {
        QVERIFY(t.desktop.opened.empty());
        return;
    }
    QCOMPARE(t.desktop.opened.size(), std::size_t(1));
    const QUrl opened = t.desktop.opened.front();
    QCOMPARE(opened.toString(), expected);
    QCOMPARE(opened.scheme(),
             prefix.isEmpty() ? QStringLiteral("https") : QStringLiteral("mailto"));
}

void AboutBoxTest::linkThatCannotOpenShowsNothing() {
    TestProgram t;
    RefusingDesktop desktop;
    Program program(*t.store, t.modal, t.cues, desktop);
    program.vars.Strings.SetLanguage(1);
    bool staysOpen = false;
    WithAboutBox(program, t.modal, [&](QDialog& dialog) {
        for (const char* name : {"LinkWebSite", "LinkEMail", "LinkWebSite_Sponsor",
                                 "LinkEMail_Sponsor", "picIcon", "Picture1"})
            QTest::mouseClick(Label(dialog, QLatin1String(name)), Qt::LeftButton);
        staysOpen = dialog.isVisible();
    });

    QVERIFY(staysOpen);
    QCOMPARE(desktop.tried.size(), std::size_t(6));
    QCOMPARE(t.modal.Shown().size(), std::size_t(1)); // the about dialog alone
    QCOMPARE(t.modal.Unanswered(), 0);
}

void AboutBoxTest::systemInformation_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("desktopRefuses");
    QTest::addColumn<QString>("installed"); // what the PATH search finds
    QTest::addColumn<QStringList>("started");
    QTest::addColumn<bool>("message");

    const QString tool = QStringLiteral("/usr/bin/hardinfo");
    QTest::newRow("found, English") << 1 << false << tool << QStringList{tool} << false;
    QTest::newRow("found, German") << 2 << false << tool << QStringList{tool} << false;
    QTest::newRow("none found, English") << 1 << false << QString() << QStringList{} << true;
    QTest::newRow("none found, German") << 2 << false << QString() << QStringList{} << true;
    QTest::newRow("found, but it does not start")
        << 1 << true << QString() << QStringList{} << true;
}

void AboutBoxTest::systemInformation() {
    QFETCH(int, language);
    QFETCH(bool, desktopRefuses);
    QFETCH(QString, installed);
    QFETCH(QStringList, started);
    QFETCH(bool, message);

    TestProgram t;
    t.desktop.installedProgram = installed;
    RefusingDesktop refusing;
    Program program(*t.store, t.modal, t.cues,
                    desktopRefuses ? static_cast<DesktopLauncher&>(refusing) : t.desktop);
    program.vars.Strings.SetLanguage(language);
    std::vector<SeenMessage> messages;
    bool staysOpen = false;
    WithAboutBox(program, t.modal, [&](QDialog& dialog) {
        if (message)
            t.modal.Expect(RecordMessage(messages));
        QTest::mouseClick(Button(dialog, QStringLiteral("cmdSysInfo")), Qt::LeftButton);
        staysOpen = dialog.isVisible();
    });

    QVERIFY(staysOpen);
    QCOMPARE(QStringList(t.desktop.started.begin(), t.desktop.started.end()), started);
    QCOMPARE(t.modal.Unanswered(), 0);
    QCOMPARE(t.modal.Pending(), std::size_t(0));
    if (!message) {
        QCOMPARE(t.modal.Shown().size(), std::size_t(1));
        return;
    }
    QCOMPARE(messages.size(), std::size_t(1));
    QCOMPARE(messages[0].title, QStringLiteral("Velmora"));
    QCOMPARE(messages[0].text, kNotAvailable);
    QCOMPARE(messages[0].icon, QMessageBox::NoIcon);
    QCOMPARE(messages[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

QTEST_MAIN(AboutBoxTest)
#include "AboutBoxTest.moc"
