#pragma once

class QWidget;

namespace velmora {

struct Program;

// Shows the options dialog modally; OK applies and stores its choices.
void ShowOptionsDialog(Program& program, QWidget* parent);

} // namespace velmora
