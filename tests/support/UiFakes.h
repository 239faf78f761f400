#pragma once
// The fakes of the windows' outside world: scripted dialogs, the desktop's
// handlers, and key presses as X11 delivers them.

#include "NativeKeys.h"
#include "ScriptedModalRunner.h"
#include "TestProgram.h"

#include "about/ui/DesktopLauncher.h"
#include "clock/ui/ScreenSaverInhibitor.h"
#include "state/ui/UiServices.h"

#include <vector>

namespace velmora::test {

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
