#pragma once

#include <cstdint>

class QWidget;

namespace velmora {

struct Program;

// Control, Alt and F10 may not become a player's key: on Windows they reach the
// menu bar rather than the window. Every other key and every mouse button may.
bool IsKeyRefused(std::int32_t code);

// Tells the user that `code` may not be a player's key: a modal message box
// with the key's name in the active language, an exclamation icon and OK.
void ShowKeyNotAllowed(Program& program, std::int32_t code, QWidget* parent = nullptr);

} // namespace velmora
