#pragma once

class QWidget;

namespace velmora {

struct Program;

// Shows the about dialog modally.
void ShowAboutDialog(Program& program, QWidget* parent);

} // namespace velmora
