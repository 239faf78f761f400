#pragma once

class QWidget;

namespace velmora {

struct Program;

// Shows the time-control dialog modally. OK writes both players' times, the
// continue-running switch and NewGameAccepted = true, and stores the choice;
// Cancel only sets NewGameAccepted = false.
void ShowTimeControlDialog(Program& program, QWidget* parent);

} // namespace velmora
