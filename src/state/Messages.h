#pragma once

#include <QString>

namespace velmora {

enum class MessageIcon { None, Warning, Critical };

// How the program's logic tells the user something: the windows show a modal
// message box titled with the program's name and a single OK button; tests
// record what was said.
class Messages {
public:
    virtual ~Messages() = default;
    // Returns once the user has closed the message.
    virtual void Show(MessageIcon icon, const QString& text) = 0;
    // While the system ends the program nobody may be there to answer, so
    // messages go to the log instead.
    virtual void SetUnattended(bool unattended) = 0;
};

} // namespace velmora
