#include "TestProgram.h"

namespace velmora::test {

TestProgram::TestProgram()
    : store(std::make_unique<SettingsStore>(SettingsPath())),
      program(std::make_unique<Program>(*store, cues, messages)) {}

void TestProgram::WriteSettingsFile(const QByteArray& content) {
    // Rebuild the store so that it reads the new file from scratch.
    program.reset();
    store.reset();
    WriteFile(SettingsPath(), content);
    store = std::make_unique<SettingsStore>(SettingsPath());
    program = std::make_unique<Program>(*store, cues, messages);
}

std::unique_ptr<SettingsStore> TestProgram::ReopenStore() const {
    store->Flush();
    return std::make_unique<SettingsStore>(SettingsPath());
}

} // namespace velmora::test
