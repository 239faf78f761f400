#include "clock/ui/UhrAnzeige.h"

#include "about/ui/AboutBox.h"
#include "clock/TimeText.h"
#include "clock/ui/ScreenSaverInhibitor.h"
#include "localisation/ApplicationInfo.h"
#include "localisation/ExtraTexts.h"
#include "options/GeneralSettings.h"
#include "options/KeyCodes.h"
#include "options/KeyName.h"
#include "options/ui/KeyEvents.h"
#include "options/ui/Options.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/SettingsStore.h"
#include "state/ui/AccessibleNames.h"
#include "state/ui/ModalRunner.h"
#include "state/ui/Twips.h"
#include "state/ui/UiServices.h"
#include "timecontrol/TimeSettings.h"
#include "timecontrol/ui/UserSelection.h"

#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QProxyStyle>
#include <QScreen>

namespace velmora {

namespace {

constexpr int kTickMilliseconds = 100;
// The vertical allowance for a window with a border, when centring the frame.
constexpr double kBorderAllowanceTwips = 1000;

// The design size is the client area's; the menu bar comes on top of it.
constexpr int kMenuBarAllowance = 20;

// A lone Alt (beside the space bar) must not hand the keyboard to the menu bar,
// nor may Escape after Alt+F leave it there: every later press of a player's
// key would go to the menus. Alt+F, Alt+? and the Ctrl shortcuts still work.
class MenuBarWithoutAltNavigation final : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_MenuBar_AltKeyNavigation)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

QAction* AddAction(QMenu* menu, const char* name, QKeySequence shortcut) {
    QAction* action = menu->addAction(QString());
    action->setObjectName(QLatin1String(name));
    action->setShortcut(shortcut);
    return action;
}

} // namespace

UhrAnzeige::UhrAnzeige(Program& program, UiServices& services, QWidget* parent)
    : QMainWindow(parent), program_(program), services_(services), engine_(program, *this) {
    setObjectName(QStringLiteral("UhrAnzeige"));
    InstallAccessibleNames();
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
    face_.Build(centralWidget(), this);
    face_.FrameAnzeige->show(); // the window may already be on screen
    Form_Resize();
}

void UhrAnzeige::BuildMenu() {
    auto* menuStyle = new MenuBarWithoutAltNavigation;
    menuStyle->setParent(this);
    menuBar()->setStyle(menuStyle);

    File = menuBar()->addMenu(QString());
    File->setObjectName(QStringLiteral("File"));
    FileNewGame = AddAction(File, "FileNewGame", Qt::CTRL | Qt::Key_N);
    connect(FileNewGame, &QAction::triggered, this, &UhrAnzeige::FileNewGame_Click);
    // Ctrl is never a player's key, so Ctrl+P cannot clash with one.
    FilePause = AddAction(File, "FilePause", Qt::CTRL | Qt::Key_P);
    FilePause->setEnabled(false);
    connect(FilePause, &QAction::triggered, this,
            [this] { engine_.IsPaused() ? engine_.Continue() : engine_.Pause(); });
    File->addSeparator()->setObjectName(QStringLiteral("FileLine"));
    FileOptions = AddAction(File, "FileOptions", Qt::CTRL | Qt::Key_O);
    connect(FileOptions, &QAction::triggered, this, &UhrAnzeige::FileOptions_Click);
    File->addSeparator()->setObjectName(QStringLiteral("FileLine2"));
    FileQuit = AddAction(File, "FileQuit", Qt::CTRL | Qt::Key_X);
    connect(FileQuit, &QAction::triggered, this, &UhrAnzeige::FileQuit_Click);

    View = menuBar()->addMenu(QString());
    View->setObjectName(QStringLiteral("View"));
    ViewFullScreen = AddAction(View, "ViewFullScreen", Qt::CTRL | Qt::Key_F);
    ViewFullScreen->setCheckable(true);
    connect(ViewFullScreen, &QAction::triggered, this, &UhrAnzeige::ViewFullScreen_Click);
    ViewFitToWindow = AddAction(View, "ViewFitToWindow", Qt::CTRL | Qt::Key_G);
    ViewFitToWindow->setCheckable(true);
    connect(ViewFitToWindow, &QAction::triggered, this, &UhrAnzeige::ViewFitToWindow_Click);

    HelpTopic = menuBar()->addMenu(QStringLiteral("&?"));
    HelpTopic->setObjectName(QStringLiteral("HelpTopic"));
    // Named before anything can read it; ApplyCaptions names it in the language.
    SetMenuName(HelpTopic->menuAction(), ExtraText(Extra::Help, 0));
    HelpTopicAbout = HelpTopic->addAction(QString(), this, &UhrAnzeige::HelpTopicAbout_Click);
    HelpTopicAbout->setObjectName(QStringLiteral("HelpTopicAbout"));
}

bool UhrAnzeige::StartUpAsksFirst() const {
    return IsFirstStart(program_.store) || !LoadTimeSettings(program_.store).HasTimeForBoth();
}

void UhrAnzeige::Form_Load() {
    BuildControls();
    BuildMenu();
    TellRefusedStore(program_);
    // The very first start asks for the language before anything else is
    // loaded, so that the rest comes from what the dialog stored.
    if (BeginFirstStart(program_))
        ShowOptionsDialog();
    LoadGeneralSettings(program_);
    loaded_ = true;
    ViewFitToWindow->setChecked(program_.vars.FitToWindow);
    FitFace();
    ApplyCaptions();
    TimerClock->setInterval(kTickMilliseconds);
    engine_.StartFirstGame();
    ShowTimeBonus();
    ShowKeyNames();
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
    ShowTimeBonus();
}

void UhrAnzeige::FileOptions_Click() {
    const bool wasRunning = ClockRunning();
    SetClockRunning(false);
    ShowOptionsDialog();
    ApplyCaptions();
    if (engine_.IsPaused()) // the pause goes on, now in the language chosen
        ShowPause(true);
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

void UhrAnzeige::ViewFullScreen_Click() {
    // The check mark is the state: without a window manager the window's own
    // state does not follow, and the geometry has to be set here as well.
    if (ViewFullScreen->isChecked()) {
        stateBeforeFullScreen_ = windowState();
        geometryBeforeFullScreen_ = geometry();
        showFullScreen();
        setGeometry(screen()->geometry());
    } else {
        setWindowState(stateBeforeFullScreen_);
        setGeometry(geometryBeforeFullScreen_);
    }
    FitFace();
}

void UhrAnzeige::ViewFitToWindow_Click() {
    ApplyFitToWindow(program_, ViewFitToWindow->isChecked());
    Form_Resize(); // the face's size changes, so its centred place does too
}

void UhrAnzeige::FitFace() {
    const bool fits = program_.vars.FitToWindow || (ViewFullScreen && ViewFullScreen->isChecked());
    face_.ScaleTo(fits ? ClockFace::FactorToFit(centralWidget()->size()) : 1.0);
}

void UhrAnzeige::EndOnRequest() {
    program_.messages.SetUnattended(true);
    // Already ending, held by a message of the shut-down: leaving every event
    // loop closes it, and the shut-down goes on from there.
    if (unloaded_)
        QCoreApplication::exit(0);
    else
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
    const std::int32_t language = program_.vars.Strings.GetLanguage();
    const Variables& vars = program_.vars;
    setWindowTitle(ApplicationTitle() + QStringLiteral(" 2003"));
    SetStatus(vars.Text(TxtAssignedKey));
    File->setTitle(vars.Text(TxtMenuFile));
    FileNewGame->setText(vars.Text(TxtMenuNewGame));
    FilePause->setText(ExtraText(engine_.IsPaused() ? Extra::Continue : Extra::Pause, language));
    FileOptions->setText(vars.Text(TxtMenuOptions));
    FileQuit->setText(vars.Text(TxtMenuExit));
    HelpTopicAbout->setText(vars.Text(TxtMenuAbout));
    SetMenuName(HelpTopic->menuAction(), ExtraText(Extra::Help, language));
    View->setTitle(ExtraText(Extra::View, language));
    ViewFullScreen->setText(ExtraText(Extra::FullScreen, language));
    ViewFitToWindow->setText(ExtraText(Extra::FitToWindow, language));
    ShowKeyNames();
    ShowTimeBonus();
    NameTheClocks();
}

void UhrAnzeige::ShowPause(bool paused) {
    const std::int32_t language = program_.vars.Strings.GetLanguage();
    FilePause->setText(ExtraText(paused ? Extra::Continue : Extra::Pause, language));
    if (paused && face_.FrameAnzeige->title() != ExtraText(Extra::Paused, language))
        statusBeforePause_ = face_.FrameAnzeige->title();
    SetStatus(paused ? ExtraText(Extra::Paused, language) : statusBeforePause_);
}

void UhrAnzeige::ShowTimeBonus() {
    const TimeBonus& bonus = program_.vars.Bonus;
    face_.LabelTimeBonus->setVisible(bonus.IsOn());
    if (!bonus.IsOn())
        return;
    const Extra shown = bonus.Mode == BonusMode::Increment   ? Extra::ShownIncrement
                        : bonus.Mode == BonusMode::Bronstein ? Extra::ShownBronstein
                                                             : Extra::ShownDelay;
    face_.LabelTimeBonus->setText(
        ExtraText(shown, program_.vars.Strings.GetLanguage(), QString::number(bonus.Seconds)));
}

void UhrAnzeige::ShowTimes() {
    // Most ticks leave the shown text as it is; only a change repaints.
    const Variables& vars = program_.vars;
    for (int i = 0; i < 2; ++i) {
        const TimeAccount& account = vars.PlayerTime[i + 1];
        const QString text = TimeText(account);
        if (face_.TimeLeft[i]->text() != text)
            face_.TimeLeft[i]->setText(text);
        face_.ShowLowTime(i, ShowsLowTime(vars, account));
    }
}

void UhrAnzeige::ShowTurn(std::uint8_t player, bool forced, const QString& message) {
    const Variables& vars = program_.vars;
    const bool white = player == White;
    const QString turn = vars.Text(white ? TxtWhitesTurn : TxtBlacksTurn);
    const QColor background = white ? Qt::white : Qt::black;
    const QColor text = white ? Qt::black : Qt::white;
    QGroupBox* FrameAnzeige = face_.FrameAnzeige;
    SetStatus(forced ? message + u' ' + turn : turn);
    SetColours(FrameAnzeige, background, text);
    SetColours(face_.PlayerKey[1], background, text);
    SetColours(face_.PlayerKey[2], background, text);
    SetColours(centralWidget(), FrameAnzeige->palette().color(QPalette::Window), Qt::black);
    NameTheClocks();
}

void UhrAnzeige::Form_Resize() {
    if (!face_.FrameAnzeige)
        return;
    FitFace();
    const QGroupBox* FrameAnzeige = face_.FrameAnzeige;
    // Centred on the window's outer size; no lower bound, so a small window cuts the frame off.
    const QSize outer = frameGeometry().size();
    const double left = (outer.width() - FrameAnzeige->width()) / 2.0;
    const double top =
        ((outer.height() - FrameAnzeige->height()) - kBorderAllowanceTwips / 15.0) / 2.0;
    face_.FrameAnzeige->move(qRound(left), qRound(top));
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
    if (FilePause) // a pause can begin while a clock runs, and end while it lasts
        FilePause->setEnabled(running || engine_.IsPaused());
    // Every start and stop of the clock passes here: Ready, over, dialogs, the end.
    services_.screenSaver.SetInhibited(running);
    NameTheClocks();
}

void UhrAnzeige::ShowKeyNames() {
    const Variables& vars = program_.vars;
    const std::int32_t language = vars.Strings.GetLanguage();
    const std::int32_t keys[3] = {0, vars.KeyWhite, vars.KeyBlack};
    for (int player = White; player <= Black; ++player) {
        const QString name = KeyName(keys[player], language);
        face_.PlayerKey[player]->setText(name);
        face_.PlayerKey[player]->setAccessibleName(
            ExtraText(player == White ? Extra::WhitesKey : Extra::BlacksKey, language, name));
    }
}

void UhrAnzeige::NameTheClocks() {
    if (!face_.FrameAnzeige)
        return;
    const Variables& vars = program_.vars;
    const std::int32_t language = vars.Strings.GetLanguage();
    for (int i = 0; i < 2; ++i) {
        const bool running = ClockRunning() && vars.CurrentPlayer == i + 1;
        const QString state = ExtraText(running ? Extra::Running : Extra::Waiting, language);
        face_.TimeLeft[i]->SetNamePattern(
            ExtraText(i == 0 ? Extra::WhitesTime : Extra::BlacksTime, language) +
            QStringLiteral(", ") + state);
    }
}

int UhrAnzeige::TimerInterval() const {
    return TimerClock->interval();
}

void UhrAnzeige::SetStatus(const QString& text) {
    face_.FrameAnzeige->setTitle(text);
    // Screen readers hear of a hand-over, a time-over or a pause on the status line.
    QAccessibleEvent event(face_.FrameAnzeige, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
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
