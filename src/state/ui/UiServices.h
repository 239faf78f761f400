#pragma once

namespace velmora {

class DesktopLauncher;
class ModalRunner;

// The services the windows reach the desktop through: modal dialogs and the
// desktop's default handlers. main() wires the real ones; tests their own.
struct UiServices {
    ModalRunner& modal;
    DesktopLauncher& desktop;
};

} // namespace velmora
