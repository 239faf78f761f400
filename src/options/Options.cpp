#include "options/Options.h"

#include "state/Program.h"

namespace velmora {

// Stand-in until the options dialog exists: nothing changes.
void ShowOptionsDialog(Program&, QWidget*) {}

} // namespace velmora
