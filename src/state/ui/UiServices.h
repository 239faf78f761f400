#pragma once

namespace velmora {

class DesktopLauncher;
class ModalRunner;
class ScreenSaverInhibitor;

// The services the windows reach the desktop through: modal dialogs, the
// desktop's default handlers and its screen saver. main() wires the real ones;
// tests their own.
struct UiServices {
    ModalRunner& modal;
    DesktopLauncher& desktop;
    ScreenSaverInhibitor& screenSaver;
};

} // namespace velmora
