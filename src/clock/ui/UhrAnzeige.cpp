#include "clock/ui/UhrAnzeige.h"

#include "about/ui/AboutBox.h"
#include "clock/TimeText.h"
#include "clock/ui/ScreenSaverInhibitor.h"
#include "localisation/ApplicationInfo.h"
#include "options/GeneralSettings.h"
#include "options/KeyCodes.h"
#include "options/KeyName.h"
#include "options/ui/KeyEvents.h"
#include "options/ui/Options.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/SettingsStore.h"
#include "state/ui/ModalRunner.h"
#include "state/ui/Twips.h"
#include "state/ui/UiServices.h"
#include "timecontrol/TimeSettings.h"
#include "timecontrol/ui/UserSelection.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>

namespace velmora {

namespace {

constexpr int kTickMilliseconds = 100;
// The vertical allowance for a window with a border, when centring the frame.
constexpr double kBorderAllowanceTwips = 1000;

const QColor kLightGrey(0xC0, 0xC0, 0xC0);
// The design size is the client area's; the menu bar comes on top of it.
constexpr int kMenuBarAllowance = 20;

void SetColours(QWidget* widget, const QColor& background, const QColor& text) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, text);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace

UhrAnzeige::UhrAnzeige(Program& program, UiServices& services, QWidget* parent)
    : QMainWindow(parent), program_(program), services_(services), engine_(program, *this) {
    setObjectName(QStringLiteral("UhrAnzeige"));
    TimerClock = new QTimer(this);
    TimerClock->setObjectName(QStringLiteral("TimerClock"));
    TimerClock->setTimerType(Qt::PreciseTimer);
    connect(TimerClock, &QTimer::timeout, this, [this] { engine_.TimerClock_Timer(); });
    // Only the light grey client area for now: the controls, and the fonts they
    // need, are built by Form_Load, so that the window can map first.
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    SetColours(client, kLightGrey, Qt::black);
    setCentralWidget(client);
    setFocusPolicy(Qt::StrongFocus);
    resize(Px(8835), Px(2565) + kMenuBarAllowance);
}

void UhrAnzeige::BuildControls() {
    FrameAnzeige = new QGroupBox(centralWidget());
    FrameAnzeige->setObjectName(QStringLiteral("FrameAnzeige"));
    FrameAnzeige->setGeometry(TwipRect(120, 600, 8535, 1935));
    SetColours(FrameAnzeige, kLightGrey, Qt::black);

    QFont timeFont(QStringLiteral("Arial"));
    timeFont.setPointSize(48);
    timeFont.setWeight(QFont::Normal);
    const QColor timeColours[2][2] = {{Qt::white, Qt::black}, {Qt::black, Qt::white}};
    const int timeLeft[2] = {240, 4440};
    for (int i = 0; i < 2; ++i) {
        auto* label = new QLabel(FrameAnzeige);
        label->setObjectName(QStringLiteral("TimeLeft(%1)").arg(i));
        label->setGeometry(TwipRect(timeLeft[i], 360, 3855, 1095));
        label->setFont(timeFont);
        label->setAlignment(Qt::AlignCenter);
        SetColours(label, timeColours[i][0], timeColours[i][1]);
        label->installEventFilter(this);
        TimeLeft[i] = label;

        auto* key = new QLabel(FrameAnzeige);
        key->setObjectName(QStringLiteral("PlayerKey(%1)").arg(i + 1));
        key->setGeometry(TwipRect(timeLeft[i], 1560, 3855, 255));
        key->setAlignment(Qt::AlignCenter);
        SetColours(key, kLightGrey, Qt::black);
        key->installEventFilter(this);
        PlayerKey[i + 1] = key;
    }
    FrameAnzeige->show(); // the window may already be on screen
    Form_Resize();
}

void UhrAnzeige::BuildMenu() {
    File = menuBar()->addMenu(QString());
    File->setObjectName(QStringLiteral("File"));
    FileNewGame = File->addAction(QString(), this, &UhrAnzeige::FileNewGame_Click);
    FileNewGame->setObjectName(QStringLiteral("FileNewGame"));
    FileNewGame->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    File->addSeparator()->setObjectName(QStringLiteral("FileLine"));
    FileOptions = File->addAction(QString(), this, &UhrAnzeige::FileOptions_Click);
    FileOptions->setObjectName(QStringLiteral("FileOptions"));
    FileOptions->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    File->addSeparator()->setObjectName(QStringLiteral("FileLine2"));
    FileQuit = File->addAction(QString(), this, &UhrAnzeige::FileQuit_Click);
    FileQuit->setObjectName(QStringLiteral("FileQuit"));
    FileQuit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));

    HelpTopic = menuBar()->addMenu(QStringLiteral("&?"));
    HelpTopic->setObjectName(QStringLiteral("HelpTopic"));
    HelpTopicAbout = HelpTopic->addAction(QString(), this, &UhrAnzeige::HelpTopicAbout_Click);
    HelpTopicAbout->setObjectName(QStringLiteral("HelpTopicAbout"));
}

bool UhrAnzeige::StartUpAsksFirst() const {
    return IsFirstStart(program_.store) || !LoadTimeSettings(program_.store).HasTimeForBoth();
}

void UhrAnzeige::Form_Load() {
    const Variables& vars = program_.vars;
    BuildControls();
    BuildMenu();
    // The very first start asks for the language before anything else is
    // loaded, so that the rest comes from what the dialog stored.
    if (BeginFirstStart(program_))
        ShowOptionsDialog();
    LoadGeneralSettings(program_);
    loaded_ = true;
    ApplyCaptions();
    TimerClock->setInterval(kTickMilliseconds);
    engine_.StartFirstGame();
    PlayerKey[1]->setText(KeyName(vars.KeyWhite, vars.Strings.GetLanguage()));
    PlayerKey[2]->setText(KeyName(vars.KeyBlack, vars.Strings.GetLanguage()));
}

void UhrAnzeige::Form_Unload() {
    if (unloaded_)
        return;
    unloaded_ = true;
    SetClockRunning(false);
    // Asked to end before the settings were loaded: there is nothing of the user's to save.
    if (loaded_)
        SaveGeneralSettings(program_);
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != this && window->isVisible())
            window->close();
    }
    QCoreApplication::exit(0);
}

void UhrAnzeige::FileNewGame_Click() {
    const bool wasRunning = ClockRunning();
    engine_.NewGame();
    SetClockRunning(program_.vars.NewGameAccepted ? false : wasRunning);
}

void UhrAnzeige::FileOptions_Click() {
    const bool wasRunning = ClockRunning();
    SetClockRunning(false);
    ShowOptionsDialog();
    ApplyCaptions();
    ShowTimes();
    SetClockRunning(wasRunning);
}

void UhrAnzeige::HelpTopicAbout_Click() {
    const bool wasRunning = ClockRunning();
    SetClockRunning(false);
    AboutBox box(program_.vars.Strings, services_.desktop, program_.messages, DialogParent());
    services_.modal.Run(box);
    SetClockRunning(wasRunning);
}

void UhrAnzeige::FileQuit_Click() {
    Form_Unload();
}

void UhrAnzeige::EndOnRequest() {
    program_.messages.SetUnattended(true);
    Form_Unload();
}

void UhrAnzeige::SaveForSessionEnd() {
    program_.messages.SetUnattended(true);
    if (loaded_)
        SaveGeneralSettings(program_);
}

void UhrAnzeige::Form_KeyDown(std::int32_t keyCode) {
    engine_.SwitchPlayer(keyCode, false, {});
}

void UhrAnzeige::Form_MouseDown(std::int32_t button) {
    engine_.SwitchPlayer(button, false, {});
}

void UhrAnzeige::ApplyCaptions() {
    const Variables& vars = program_.vars;
    setWindowTitle(ApplicationTitle() + QStringLiteral(" 2003"));
    FrameAnzeige->setTitle(vars.Text(TxtAssignedKey));
    File->setTitle(vars.Text(TxtMenuFile));
    FileNewGame->setText(vars.Text(TxtMenuNewGame));
    FileOptions->setText(vars.Text(TxtMenuOptions));
    FileQuit->setText(vars.Text(TxtMenuExit));
    HelpTopicAbout->setText(vars.Text(TxtMenuAbout));
    PlayerKey[1]->setText(KeyName(vars.KeyWhite, vars.Strings.GetLanguage()));
    PlayerKey[2]->setText(KeyName(vars.KeyBlack, vars.Strings.GetLanguage()));
}

void UhrAnzeige::ShowTimes() {
    // Most ticks leave the shown text as it is; only a change repaints.
    for (int i = 0; i < 2; ++i) {
        const QString text = TimeText(program_.vars.PlayerTime[i + 1]);
        if (TimeLeft[i]->text() != text)
            TimeLeft[i]->setText(text);
    }
}

void UhrAnzeige::ShowTurn(std::uint8_t player, bool forced, const QString& message) {
    const Variables& vars = program_.vars;
    const bool white = player == White;
    const QString turn = vars.Text(white ? TxtWhitesTurn : TxtBlacksTurn);
    const QColor background = white ? Qt::white : Qt::black;
    const QColor text = white ? Qt::black : Qt::white;
    FrameAnzeige->setTitle(forced ? message + u' ' + turn : turn);
    SetColours(FrameAnzeige, background, text);
    SetColours(PlayerKey[1], background, text);
    SetColours(PlayerKey[2], background, text);
    SetColours(centralWidget(), FrameAnzeige->palette().color(QPalette::Window), Qt::black);
}

void UhrAnzeige::Form_Resize() {
    if (!FrameAnzeige)
        return;
    // Centred on the window's outer size; no lower bound, so a small window cuts the frame off.
    const QSize outer = frameGeometry().size();
    const double left = (outer.width() - FrameAnzeige->width()) / 2.0;
    const double top =
        ((outer.height() - FrameAnzeige->height()) - kBorderAllowanceTwips / 15.0) / 2.0;
    FrameAnzeige->move(qRound(left), qRound(top));
}

bool UhrAnzeige::ClockRunning() const {
    return TimerClock->isActive();
}

void UhrAnzeige::SetClockRunning(bool running) {
    // Enabling a running timer leaves its phase alone.
    if (running && !TimerClock->isActive())
        TimerClock->start();
    else if (!running)
        TimerClock->stop();
    // Every start and stop of the clock passes here: Ready, over, dialogs, the end.
    services_.screenSaver.SetInhibited(running);
}

int UhrAnzeige::TimerInterval() const {
    return TimerClock->interval();
}

void UhrAnzeige::SetStatus(const QString& text) {
    FrameAnzeige->setTitle(text);
}

TimeControlAnswer UhrAnzeige::AskTimeControl(const TimeSettings& stored, bool startingUp) {
    UserSelection dialog(stored, program_.vars.Strings, startingUp, DialogParent());
    services_.modal.Run(dialog);
    return dialog.Answer();
}

void UhrAnzeige::ShowOptionsDialog() {
    const Variables& vars = program_.vars;
    Options dialog(CurrentGeneralChoice(vars), vars.Strings, vars.StartingUp, program_.messages,
                   DialogParent());
    services_.modal.Run(dialog);
    if (dialog.Choice())
        ApplyOptions(program_, *dialog.Choice());
}

QWidget* UhrAnzeige::DialogParent() {
    // Before the window shows (start-up), dialogs stand on their own.
    return isVisible() ? this : nullptr;
}

void UhrAnzeige::keyPressEvent(QKeyEvent* event) {
    // A held key repeats its key-down; only the first one is a press.
    if (!event->isAutoRepeat()) {
        const std::int32_t code = KeyCodeOf(*event);
        if (code != 0)
            Form_KeyDown(code);
    }
    QMainWindow::keyPressEvent(event);
}

void UhrAnzeige::mousePressEvent(QMouseEvent* event) {
    // Presses on the window background and on the frame (which passes them on) arrive here.
    const std::int32_t button = KeyCodeOfMouseButton(event->button());
    if (button != 0)
        Form_MouseDown(button);
    QMainWindow::mousePressEvent(event);
}

bool UhrAnzeige::eventFilter(QObject* watched, QEvent* event) {
    // The time and key labels keep their presses: a click on them is not a move.
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick)
        return true;
    return QMainWindow::eventFilter(watched, event);
}

bool UhrAnzeige::focusNextPrevChild(bool) {
    // Tab is a key a player may use; there is nothing to move the focus to.
    return false;
}

void UhrAnzeige::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void UhrAnzeige::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

} // namespace velmora
