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

void TellRefusedStore(Program& program) {
    // Told before any language is known: a refused store has none.
    const QString path = program.store.FilePath();
    switch (program.store.RefusedFile()) {
    case SettingsStore::Refusal::None:
        return;
    case SettingsStore::Refusal::NoHome:
        program.messages.Show(
            MessageIcon::Warning,
            QStringLiteral("No home folder was found: the settings are not kept."));
        return;
    case SettingsStore::Refusal::TooLarge:
        program.messages.Show(
            MessageIcon::Warning,
            QStringLiteral("The settings file is larger than 1 MiB and is not used:\n%1")
                .arg(path));
        return;
    case SettingsStore::Refusal::NotAFile:
        program.messages.Show(
            MessageIcon::Warning,
            QStringLiteral("The settings file is not a regular file and is not used:\n%1")
                .arg(path));
        return;
    }
}

} // namespace velmora
