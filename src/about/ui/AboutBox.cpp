#include "about/ui/AboutBox.h"

#include "about/ui/ClickableLabel.h"
#include "about/ui/DesktopLauncher.h"
#include "localisation/ApplicationInfo.h"
#include "localisation/UIStrings.h"
#include "state/Messages.h"
#include "state/ui/AccessibleNames.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QUrl>

namespace velmora {

namespace {

// The addresses live only in the links' captions: a click opens what the user reads.
const QString kMakerWebSite = QStringLiteral("https://velmora.example.org");
const QString kMakerEMail = QStringLiteral("info@velmora.example.org");
const QString kSponsorWebSite = QStringLiteral("https://www.talvista.example.com");
const QString kSponsorEMail = QStringLiteral("kontakt@talvista.example.com");

const QString kLegalNotice = QStringLiteral("2003 The Velmora developers");

// System-information programs of the common Linux desktops; the first one
// found on the PATH is started.
const QStringList kSystemInfoPrograms = {
    QStringLiteral("kinfocenter"),
    QStringLiteral("gnome-system-monitor"),
    QStringLiteral("hardinfo"),
    QStringLiteral("xfce4-taskmanager"),
};

constexpr int kPictureSide = 64;

// An SVG picture rendered sharp at the screen's pixel ratio. Without the SVG
// image plugin the picture stays empty; the label keeps its size and click.
QPixmap Picture(const QString& resource, qreal pixelRatio) {
    QImageReader reader(resource);
    reader.setScaledSize(QSize(kPictureSide, kPictureSide) * pixelRatio);
    QPixmap pixmap = QPixmap::fromImage(reader.read());
    pixmap.setDevicePixelRatio(pixelRatio);
    return pixmap;
}

void MakeLinkLook(QLabel* link) {
    QFont font = link->font();
    font.setUnderline(true);
    link->setFont(font);
    QPalette palette = link->palette();
    palette.setColor(QPalette::WindowText, palette.color(QPalette::Link));
    link->setPalette(palette);
}

void MakeBold(QLabel* label, qreal pointSizeFactor = 1.0) {
    QFont font = label->font();
    font.setBold(true);
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * pointSizeFactor);
    label->setFont(font);
}

} // namespace

AboutBox::AboutBox(const UIStrings& strings, DesktopLauncher& desktop, Messages& messages,
                   QWidget* parent)
    : QDialog(parent), desktop_(desktop), messages_(messages) {
    setObjectName(QStringLiteral("AboutBox"));
    InstallAccessibleNames();
    BuildControls();
    Form_Load(strings);
}

void AboutBox::BuildControls() {
    auto label = [this](const char* name, const QString& text = QString()) {
        auto* made = new QLabel(text, this);
        made->setObjectName(QLatin1String(name));
        return made;
    };
    auto link = [this](const char* name, const QString& address) {
        auto* made = new ClickableLabel(ClickableLabel::Link, this);
        made->setObjectName(QLatin1String(name));
        made->setText(address);
        MakeLinkLook(made);
        return made;
    };
    auto picture = [this](const char* name, const QString& resource) {
        auto* made = new ClickableLabel(ClickableLabel::Picture, this);
        made->setObjectName(QLatin1String(name));
        made->setFixedSize(kPictureSide, kPictureSide);
        made->setPixmap(Picture(resource, devicePixelRatioF()));
        return made;
    };

    picIcon = picture("picIcon", QStringLiteral(":/about/velmora.svg"));
    Picture1 = picture("Picture1", QStringLiteral(":/about/Talvista.svg"));
    lblTitle = label("lblTitle");
    MakeBold(lblTitle, 1.5);
    lblVersion = label("lblVersion");
    TextWebSite = label("TextWebSite", QStringLiteral("WebSite:"));
    TextEMail = label("TextEMail", QStringLiteral("e-Mail:"));
    LinkWebSite = link("LinkWebSite", kMakerWebSite);
    LinkEMail = link("LinkEMail", kMakerEMail);
    lblTitle_Sponsor = label("lblTitle_Sponsor");
    MakeBold(lblTitle_Sponsor);
    lblVersion_Sponsor = label("lblVersion_Sponsor");
    TextWebSite_Sponsor = label("TextWebSite_Sponsor", QStringLiteral("WebSite:"));
    TextEMail_Sponsor = label("TextEMail_Sponsor", QStringLiteral("e-Mail:"));
    LinkWebSite_Sponsor = link("LinkWebSite_Sponsor", kSponsorWebSite);
    LinkEMail_Sponsor = link("LinkEMail_Sponsor", kSponsorEMail);
    for (std::size_t i = 0; i < Line1.size(); ++i) {
        Line1[i] = new QFrame(this);
        Line1[i]->setObjectName(QStringLiteral("Line1(%1)").arg(i));
        Line1[i]->setFrameShape(QFrame::HLine);
        Line1[i]->setFrameShadow(QFrame::Sunken);
    }
    cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdSysInfo = new QPushButton(QStringLiteral("&System-Info..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    // Return means OK even while System-Info has the focus.
    cmdSysInfo->setAutoDefault(false);

    connect(cmdOK, &QPushButton::clicked, this, &AboutBox::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &AboutBox::cmdSysInfo_Click);
    connect(LinkWebSite, &ClickableLabel::clicked, this, &AboutBox::LinkWebSite_Click);
    connect(LinkEMail, &ClickableLabel::clicked, this, &AboutBox::LinkEMail_Click);
    connect(LinkWebSite_Sponsor, &ClickableLabel::clicked, this,
            &AboutBox::LinkWebSite_Sponsor_Click);
    connect(LinkEMail_Sponsor, &ClickableLabel::clicked, this, &AboutBox::LinkEMail_Sponsor_Click);
    connect(picIcon, &ClickableLabel::clicked, this, &AboutBox::picIcon_Click);
    connect(Picture1, &ClickableLabel::clicked, this, &AboutBox::Picture1_Click);

    // Columns: picture, link name, address.
    auto* grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    grid->setHorizontalSpacing(12);
    grid->addWidget(picIcon, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(lblTitle, 0, 1, 1, 2);
    grid->addWidget(lblVersion, 1, 1, 1, 2);
    grid->addWidget(Line1[0], 2, 0, 1, 3);
    grid->addWidget(TextWebSite, 3, 1);
    grid->addWidget(LinkWebSite, 3, 2);
    grid->addWidget(TextEMail, 4, 1);
    grid->addWidget(LinkEMail, 4, 2);
    grid->addWidget(Line1[1], 5, 0, 1, 3);
    grid->addWidget(Picture1, 6, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(lblTitle_Sponsor, 6, 1, 1, 2);
    grid->addWidget(lblVersion_Sponsor, 7, 1, 1, 2);
    grid->addWidget(TextWebSite_Sponsor, 8, 1);
    grid->addWidget(LinkWebSite_Sponsor, 8, 2);
    grid->addWidget(TextEMail_Sponsor, 9, 1);
    grid->addWidget(LinkEMail_Sponsor, 9, 2);
    grid->addWidget(Line1[2], 10, 0, 1, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdSysInfo);
    buttons->addWidget(cmdOK);
    grid->addLayout(buttons, 11, 0, 1, 3);

    cmdOK->setFocus();
}

void AboutBox::Form_Load(const UIStrings& strings) {
    setWindowTitle(strings(TxtAboutCaption));
    lblTitle->setText(ApplicationTitle());
    lblVersion->setText(
        QStringLiteral("Version %1\n(c) %2").arg(ApplicationVersion(), kLegalNotice));
    lblTitle_Sponsor->setText(strings(TxtSupportFrom));
    // The table separates the sponsor's name from its description with CR LF;
    // a label breaks lines at LF alone.
    QString sponsor = strings(TxtSponsor);
    lblVersion_Sponsor->setText(sponsor.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void AboutBox::cmdOK_Click() {
    accept();
}

void AboutBox::cmdSysInfo_Click() {
    StartSysInfo();
}

void AboutBox::LinkWebSite_Click() {
    OpenWebLink(*LinkWebSite);
}

void AboutBox::LinkEMail_Click() {
    OpenMailLink(*LinkEMail);
}

void AboutBox::LinkWebSite_Sponsor_Click() {
    OpenWebLink(*LinkWebSite_Sponsor);
}

void AboutBox::LinkEMail_Sponsor_Click() {
    OpenMailLink(*LinkEMail_Sponsor);
}

void AboutBox::picIcon_Click() {
    LinkWebSite_Click();
}

void AboutBox::Picture1_Click() {
    LinkWebSite_Sponsor_Click();
}

void AboutBox::StartSysInfo() {
    const QString tool = desktop_.FindProgram(kSystemInfoPrograms);
    if (!tool.isEmpty() && desktop_.StartDetached(tool))
        return;
    messages_.Show(MessageIcon::None, QString::fromUtf16(u"System-Informationen sind "
                                                         u"augenblicklich nicht verf\u00fcgbar."));
}

// A link that cannot be opened shows nothing; the dialog stays open either way.
void AboutBox::OpenWebLink(const QLabel& link) {
    // The browser window opens as the desktop decides: Qt has no portable way
    // to ask the default handler for a maximised window.
    desktop_.OpenUrl(QUrl::fromUserInput(link.text()));
}

void AboutBox::OpenMailLink(const QLabel& link) {
    desktop_.OpenUrl(QUrl(QStringLiteral("mailto:") + link.text()));
}

} // namespace velmora
