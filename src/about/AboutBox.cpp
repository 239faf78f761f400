#include "about/AboutBox.h"

#include "state/Program.h"

namespace velmora {

// Stand-in until the about dialog exists.
void ShowAboutDialog(Program&, QWidget*) {}

} // namespace velmora
