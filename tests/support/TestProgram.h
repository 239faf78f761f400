#pragma once

#include "Fakes.h"

#include "state/Program.h"
#include "state/SettingsStore.h"

#include <QFile>
#include <QTemporaryDir>

#include <memory>

namespace velmora::test {

// A file's bytes, empty if it cannot be read.
inline QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
// Writes a file whole; its path, or empty if that failed.
inline QString WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                   file.write(bytes) == bytes.size()
               ? path
               : QString();
}

// A clean program state: a settings file of its own in a temporary folder,
// recorded messages and cues.
class TestProgram {
public:
    QString SettingsPath() const { return dir_.filePath(QStringLiteral("Velmora.ini")); }
    // Writes the settings file and reads it afresh (e.g. "[General]\nLanguage=2\n").
    void WriteSettingsFile(const QByteArray& content) {
        program.reset();
        store.reset();
        WriteFile(SettingsPath(), content);
        store = std::make_unique<SettingsStore>(SettingsPath());
        program = std::make_unique<Program>(*store, cues, messages);
    }
    Variables& vars() { return program->vars; }

    QTemporaryDir dir_;
    RecordingMessages messages;
    RecordingCues cues;
    std::unique_ptr<SettingsStore> store = std::make_unique<SettingsStore>(SettingsPath());
    std::unique_ptr<Program> program = std::make_unique<Program>(*store, cues, messages);
};

} // namespace velmora::test
