#include "timecontrol/UserSelection.h"

#include "state/Program.h"

namespace velmora {

// Stand-in until the dialog exists: both players get 5 minutes.
void ShowTimeControlDialog(Program& program, QWidget*) {
    Variables& vars = program.vars;
    vars.PlayerTime[White] = {0, 5, 0, 0};
    vars.PlayerTime[Black] = {0, 5, 0, 0};
    vars.NewGameAccepted = true;
    vars.CurrentPlayer = NoPlayer;
}

} // namespace velmora
