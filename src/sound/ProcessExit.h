#pragma once

#include <cstdio>
#include <cstdlib>

namespace velmora {

// Ends the process without running the libraries' exit handlers. Qt 6.4
// Multimedia tears its PulseAudio connection down in such a handler without
// locking out its own PulseAudio thread, which now and then aborts a program
// that has played sound. Call it only once the program's own objects are
// gone (settings saved, windows closed).
[[noreturn]] inline void ExitSkippingLibraryTeardown(int exitCode) {
    std::fflush(nullptr);
    std::_Exit(exitCode);
}

} // namespace velmora
