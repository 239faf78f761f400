#include "TestProgram.h"

#include <QFile>

namespace velmora::test {

TestProgram::TestProgram()
    : store(std::make_unique<SettingsStore>(SettingsPath())),
      program(std::make_unique<Program>(*store, cues, messages)) {}

void TestProgram::WriteSettingsFile(const QByteArray& content) {
    // Rebuild the store so that it reads the new file from scratch.
    program.reset();
    store.reset();
    QFile file(SettingsPath());
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(content);
    file.close();
    store = std::make_unique<SettingsStore>(SettingsPath());
    program = std::make_unique<Program>(*store, cues, messages);
}

QByteArray TestProgram::SettingsFileText() const {
    store->Flush();
    QFile file(SettingsPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::unique_ptr<SettingsStore> TestProgram::ReopenStore() const {
    store->Flush();
    return std::make_unique<SettingsStore>(SettingsPath());
}

} // namespace velmora::test
