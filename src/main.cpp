#include "about/DesktopLauncher.h"
#include "clock/UhrAnzeige.h"
#include "sound/ProcessExit.h"
#include "sound/QtAudioOutput.h"
#include "sound/SoundPlayerUncompressedWAV.h"
#include "sound/WaveSoundCues.h"
#include "state/ApplicationInfo.h"
#include "state/ModalRunner.h"
#include "state/Program.h"
#include "state/SettingsStore.h"

#include <QApplication>

namespace {

int RunProgram(int argc, char* argv[]) {
    using namespace velmora;
    QApplication app(argc, argv);
    QApplication::setOrganizationName(ApplicationTitle());
    QApplication::setApplicationName(ApplicationTitle());
    QApplication::setApplicationVersion(ApplicationVersion());

    SettingsStore store(SettingsStore::UserFilePath());
    ExecModalRunner modal;
    QtAudioOutput audioOutput;
    SoundPlayerUncompressedWAV player(audioOutput);
    WaveSoundCues cues(player, modal, QCoreApplication::applicationDirPath());
    SystemDesktopLauncher desktop;
    Program program(store, modal, cues, desktop);

    UhrAnzeige window(program);
    window.Form_Load();
    window.showMaximized();
    return QApplication::exec();
}

} // namespace

int main(int argc, char* argv[]) {
    const int exitCode = RunProgram(argc, argv);
    // All of the program's objects are gone and its settings saved.
    velmora::ExitSkippingLibraryTeardown(exitCode);
}
