#include "options/KeyRules.h"

#include "localisation/UIStrings.h"
#include "options/KeyName.h"
#include "state/Messages.h"

namespace velmora {

bool IsKeyRefused(std::int32_t code) {
    return code == 17 || code == 18 || code == 121;
}

void ShowKeyNotAllowed(Messages& messages, std::int32_t code, std::int32_t language) {
    const QString prefix = language == LanguageGerman ? QStringLiteral("Nicht zugelassen: ")
                                                      : QStringLiteral("Not allowed: ");
    messages.Show(MessageIcon::Warning, prefix + KeyName(code, language));
}

} // namespace velmora
