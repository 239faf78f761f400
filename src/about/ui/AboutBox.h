#pragma once

#include <QDialog>

#include <array>

class QFrame;
class QLabel;
class QPushButton;

namespace velmora {

class ClickableLabel;
class DesktopLauncher;
class Messages;
class UIStrings;

// The about dialog: title, version and legal notice, the maker's and the
// sponsor's links and pictures, and a button that starts a system-information
// program. A link always opens the address its own caption shows.
class AboutBox final : public QDialog {
    Q_OBJECT

public:
    // Links open and System-Info starts through `desktop`; a missing
    // system-information program is told through `messages`.
    AboutBox(const UIStrings& strings, DesktopLauncher& desktop, Messages& messages,
             QWidget* parent = nullptr);

    // Captions from the active row of the string table; run by the constructor.
    void Form_Load(const UIStrings& strings);

    void cmdOK_Click();
    void cmdSysInfo_Click();
    void LinkWebSite_Click();
    void LinkEMail_Click();
    void LinkWebSite_Sponsor_Click();
    void LinkEMail_Sponsor_Click();
    void picIcon_Click();
    void Picture1_Click();

private:
    void BuildControls();
    void StartSysInfo();
    void OpenWebLink(const QLabel& link);
    void OpenMailLink(const QLabel& link);

    DesktopLauncher& desktop_;
    Messages& messages_;
    ClickableLabel* picIcon = nullptr;
    ClickableLabel* Picture1 = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* TextWebSite = nullptr;
    QLabel* TextEMail = nullptr;
    ClickableLabel* LinkWebSite = nullptr;
    ClickableLabel* LinkEMail = nullptr;
    QLabel* lblTitle_Sponsor = nullptr;
    QLabel* lblVersion_Sponsor = nullptr;
    QLabel* TextWebSite_Sponsor = nullptr;
    QLabel* TextEMail_Sponsor = nullptr;
    ClickableLabel* LinkWebSite_Sponsor = nullptr;
    ClickableLabel* LinkEMail_Sponsor = nullptr;
    std::array<QFrame*, 3> Line1{};
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;
};

} // namespace velmora
