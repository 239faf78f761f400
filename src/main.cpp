#include "about/ui/DesktopLauncher.h"
#include "clock/ui/DBusScreenSaverInhibitor.h"
#include "clock/ui/UhrAnzeige.h"
#include "localisation/ApplicationInfo.h"
#include "sound/LazyAudioOutput.h"
#include "sound/ProcessExit.h"
#include "sound/SoundThread.h"
#include "sound/WaveSoundCues.h"
#include "state/CommandLine.h"
#include "state/PlatformStart.h"
#include "state/Program.h"
#include "state/SettingsStore.h"
#include "state/TerminationSignals.h"
#include "state/ui/MessageBoxes.h"
#include "state/ui/ModalRunner.h"
#include "state/ui/UiServices.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

int RunProgram(int argc, char* argv[]) {
    using namespace velmora;
    HoldMessagesWhilePlatformStarts();
    QApplication app(argc, argv);
    PlatformStarted();
    QApplication::setOrganizationName(ApplicationTitle());
    QApplication::setApplicationName(ApplicationTitle());
    QApplication::setApplicationVersion(ApplicationVersion());
    // Ties the window to the installed velmora.desktop (name and icon in the shell).
    QApplication::setDesktopFileName(QStringLiteral("velmora"));

    SettingsStore store(SettingsStore::UserFilePath());
    ExecModalRunner modal;
    MessageBoxes messages(modal);
    const QString programDirectory = QCoreApplication::applicationDirPath();
    // The cues play on a thread of their own, over the audio module beside the program.
    SoundThread sound(
        [programDirectory] { return std::make_unique<LazyAudioOutput>(programDirectory); });
    WaveSoundCues cues(sound, messages, programDirectory);
    SystemDesktopLauncher desktop;
    DBusScreenSaverInhibitor screenSaver;
    Program program(store, cues, messages);
    UiServices services{modal, desktop, screenSaver};

    UhrAnzeige window(program, services);
    // A request to end from outside takes the normal way out, which saves the settings.
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &window,
                     [&window] { window.EndOnRequest(); });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                     [&window] { window.SaveForSessionEnd(); });
    // When the start-up asks nothing, the window maps at once and fills in the
    // first turn of the event loop; otherwise the dialogs come first.
    if (!window.StartUpAsksFirst())
        window.showMaximized();
    QTimer::singleShot(0, &window, [&window] {
        window.Form_Load();
        window.showMaximized();
    });
    return QApplication::exec();
}

} // namespace

int main(int argc, char* argv[]) {
    // --help and --version answer without a display. A start from the desktop's
    // menu has no arguments and skips this.
    if (argc > 1) {
        QStringList arguments;
        for (int i = 0; i < argc; ++i)
            arguments << QString::fromLocal8Bit(argv[i]);
        if (const auto answer = velmora::CommandLineAnswer(arguments)) {
            std::fputs(answer->toLocal8Bit().constData(), stdout);
            return 0;
        }
    }
    const int exitCode = RunProgram(argc, argv);
    // All of the program's objects are gone and its settings saved.
    velmora::ExitSkippingLibraryTeardown(exitCode);
}
