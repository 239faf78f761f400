#pragma once

#include "ScriptedModalRunner.h"

#include "about/DesktopLauncher.h"
#include "sound/SoundCues.h"
#include "state/Program.h"
#include "state/SettingsStore.h"

#include <QTemporaryDir>

#include <memory>
#include <vector>

namespace velmora::test {

class RecordingCues final : public SoundCues {
public:
    void Play(Cue cue) noexcept override { played.push_back(cue); }
    std::vector<Cue> played;
};

class FakeDesktop final : public DesktopLauncher {
public:
    bool OpenUrl(const QUrl& url) override {
        opened.push_back(url);
        return true;
    }
    // The about dialog's tests use the real program search and start.
    QString FindProgram(const QStringList&) override { return {}; }
    bool StartDetached(const QString&) override { return false; }
    std::vector<QUrl> opened;
};

// A clean program state for one test: a settings file of its own in a
// temporary folder, scripted dialogs, recorded cues and desktop calls.
class TestProgram {
public:
    TestProgram();

    QString SettingsPath() const { return dir_.filePath(QStringLiteral("Velmora.ini")); }
    // Writes the settings file before the store reads it (e.g. "[General]\nLanguage=2\n").
    void WriteSettingsFile(const QByteArray& content);
    QByteArray SettingsFileText() const;
    // A fresh store over the same file, as the next start of the program would read it.
    std::unique_ptr<SettingsStore> ReopenStore() const;

    QTemporaryDir dir_;
    std::unique_ptr<SettingsStore> store;
    ScriptedModalRunner modal;
    RecordingCues cues;
    FakeDesktop desktop;
    std::unique_ptr<Program> program;

    Variables& vars() { return program->vars; }
};

} // namespace velmora::test
