#pragma once

#include "clock/ClockEngine.h"
#include "clock/ClockHost.h"
#include "clock/ui/ClockFace.h"

#include <QMainWindow>
#include <QTimer>

#include <array>

class QAction;
class QMenu;

namespace velmora {

struct Program;
struct UiServices;

// The main window: the two clocks, the key names, the status line and the menu.
// It owns the 100 ms tick timer and routes key and mouse presses to the engine.
class UhrAnzeige final : public QMainWindow, private ClockHost {
    Q_OBJECT

public:
    UhrAnzeige(Program& program, UiServices& services, QWidget* parent = nullptr);

    // Whether the start-up will ask the user something (first start, or no
    // stored time for a player) before the window may show.
    bool StartUpAsksFirst() const;
    // Start-up: builds the controls, loads the settings (asking for the
    // language on the very first start), applies the captions and starts the
    // first new game.
    void Form_Load();
    // Shut-down: saves the general settings, closes every other window and ends the program.
    void Form_Unload();
    // The same shut-down when the system asks the program to end (a signal, the
    // session ending): nobody may be there to answer a message, so none is shown.
    void EndOnRequest();
    // Saves the general settings while the session ends, without messages.
    void SaveForSessionEnd();

    void FileNewGame_Click();
    void FileOptions_Click();
    void HelpTopicAbout_Click();
    void FileQuit_Click();
    // View > Full screen (Ctrl+F) and back to the window as it was.
    void ViewFullScreen_Click();
    // View > Fit to window (Ctrl+G): the face scales with the window, stored at once.
    void ViewFitToWindow_Click();

    void Form_KeyDown(std::int32_t keyCode);
    void Form_MouseDown(std::int32_t button);

    void ApplyCaptions();
    void ShowTimes() override;
    void ShowTurn(std::uint8_t player, bool forced, const QString& message) override;
    void ShowPause(bool paused) override;

    ClockEngine& Engine() { return engine_; }
    bool ClockRunning() const override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void BuildControls();
    void BuildMenu();
    void Form_Resize();
    QWidget* DialogParent();
    // Shows the options dialog; OK applies and stores the user's choice.
    void ShowOptionsDialog();
    // The time bonus of the game in the frame, or nothing without one.
    void ShowTimeBonus();
    // The face scaled to the window while it fits it (or in full screen), else as designed.
    void FitFace();
    // The key names under the clocks, also as screen readers read them.
    void ShowKeyNames();
    // What screen readers read for the clocks: whose time, the time, running or waiting.
    void NameTheClocks();

    // ClockHost
    void SetClockRunning(bool running) override;
    int TimerInterval() const override;
    void SetStatus(const QString& text) override;
    TimeControlAnswer AskTimeControl(const TimeSettings& stored, bool startingUp) override;

    Program& program_;
    UiServices& services_;
    ClockEngine engine_;
    QTimer* TimerClock = nullptr;
    ClockFace face_;
    QMenu* File = nullptr;
    QAction* FileNewGame = nullptr;
    QAction* FilePause = nullptr;
    QAction* FileOptions = nullptr;
    QAction* FileQuit = nullptr;
    QMenu* View = nullptr;
    QAction* ViewFullScreen = nullptr;
    QAction* ViewFitToWindow = nullptr;
    Qt::WindowStates stateBeforeFullScreen_;
    QRect geometryBeforeFullScreen_;
    QMenu* HelpTopic = nullptr;
    QAction* HelpTopicAbout = nullptr;
    QString statusBeforePause_;
    bool loaded_ = false;
    bool unloaded_ = false;
};

} // namespace velmora
