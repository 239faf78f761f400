#pragma once
// The fakes of the windows' outside world: scripted dialogs, the desktop's
// handlers, and key presses as X11 delivers them.

#include "ScriptedModalRunner.h"
#include "TestProgram.h"

#include "about/ui/DesktopLauncher.h"
#include "clock/ui/ScreenSaverInhibitor.h"
#include "state/ui/UiServices.h"

#include <QKeyEvent>

#include <memory>
#include <vector>

namespace velmora::test {

// A key event as X11 delivers it: Qt's key, the modifiers and the X keycode
// (evdev code + 8). QTest::keyClick cannot set the scan code.
inline std::unique_ptr<QKeyEvent> NativeKeyPress(int key, Qt::KeyboardModifiers modifiers,
                                                 quint32 xKeycode, const QString& text = {},
                                                 bool autoRepeat = false) {
    return std::make_unique<QKeyEvent>(QEvent::KeyPress, key, modifiers, xKeycode,
                                       /*nativeVirtualKey=*/0, /*nativeModifiers=*/0, text,
                                       autoRepeat);
}

class FakeDesktop final : public DesktopLauncher {
public:
    bool OpenUrl(const QUrl& url) override {
        opened.push_back(url);
        return true;
    }
    QString FindProgram(const QStringList&) override { return {}; }
    bool StartDetached(const QString&) override { return false; }
    std::vector<QUrl> opened;
};

// The screen saver's requests are tested against a fake desktop on a private bus
// (tests/e2e/test_desktop.py); the windows' tests need none.
class NoScreenSaver final : public ScreenSaverInhibitor {
public:
    void SetInhibited(bool) override {}
};

// A test program with the windows' services: scripted dialogs, a recording
// desktop, and no screen saver.
class TestUi : public TestProgram {
public:
    ScriptedModalRunner modal;
    FakeDesktop desktop;
    NoScreenSaver screenSaver;
    UiServices services{modal, desktop, screenSaver};
};

} // namespace velmora::test
