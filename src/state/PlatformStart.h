#pragma once

namespace velmora {

// Without a display Qt ends the program with an abort and the advice to
// reinstall it. Between these two calls (around the making of QApplication)
// Qt's messages are held back: if the window system cannot be reached, the
// user reads one line instead and the program exits with status 1; otherwise
// the held messages go out as usual.
void HoldMessagesWhilePlatformStarts();
void PlatformStarted();

} // namespace velmora
