#pragma once

#include <cstdint>

namespace velmora {

class Messages;

// Control, Alt and F10 may not become a player's key: on Windows they reach the
// menu bar rather than the window. Every other key and every mouse button may.
bool IsKeyRefused(std::int32_t code);

// Tells the user that `code` may not be a player's key: "Not allowed: " and the
// key's name in `language`, with an exclamation icon.
void ShowKeyNotAllowed(Messages& messages, std::int32_t code, std::int32_t language);

} // namespace velmora
