#pragma once

#include "state/Messages.h"

namespace velmora {

class ModalRunner;

// Messages as modal message boxes: the program's title, the icon asked for and
// a single OK button, over the window that is active.
class MessageBoxes final : public Messages {
public:
    explicit MessageBoxes(ModalRunner& modal) : modal_(modal) {}

    void Show(MessageIcon icon, const QString& text) override;
    void SetUnattended(bool unattended) override { unattended_ = unattended; }

private:
    ModalRunner& modal_;
    bool unattended_ = false;
};

} // namespace velmora
