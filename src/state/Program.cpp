#include "state/Program.h"

#include "state/Messages.h"
#include "state/SettingsStore.h"

namespace velmora {

Program::Program(SettingsStore& settingsStore, SoundCues& soundCues, Messages& userMessages)
    : store(settingsStore), cues(soundCues), messages(userMessages) {
    store.SetSaveFailureHandler([this](const QString& filePath) {
        const bool german = vars.Strings.GetLanguage() == LanguageGerman;
        const QString text =
            german ? QStringLiteral("Die Einstellungen konnten nicht gespeichert werden:\n%1")
                   : QStringLiteral("The settings could not be saved:\n%1");
        messages.Show(MessageIcon::Warning, text.arg(filePath));
    });
}

Program::~Program() {
    store.SetSaveFailureHandler({});
}

} // namespace velmora
