#pragma once
// The fakes of the windows' outside world: scripted dialogs, the desktop's
// handlers, and key presses as X11 delivers them.

#include "NativeKeys.h"
#include "ScriptedModalRunner.h"
#include "TestProgram.h"

#include "about/ui/DesktopLauncher.h"
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

// A test program with the windows' services: scripted dialogs and a recording desktop.
class TestUi : public TestProgram {
public:
    ScriptedModalRunner modal;
    FakeDesktop desktop;
    UiServices services{modal, desktop};
};

} // namespace velmora::test
