#pragma once

#include <QSettings>
#include <QString>

#include <functional>
#include <memory>

namespace velmora {

// The per-user settings store: text values addressed by section and key, kept
// in an INI file. Section "General" is the file's [General] section.
//
// A file that cannot be read gives the defaults (a damaged file gives what can
// still be read of it). A save that fails keeps the values in memory, so the
// rest of the run still sees them, and is reported once per store through the
// failure handler.
class SettingsStore {
public:
    // The store of the user, ~/.config/Velmora/Velmora.ini (XDG_CONFIG_HOME moves it).
    static QString UserFilePath();

    explicit SettingsStore(const QString& filePath);
    ~SettingsStore();

    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    QString ReadText(const QString& section, const QString& key,
                     const QString& defaultValue = QString()) const;
    void WriteText(const QString& section, const QString& key, const QString& value);

    // Writes pending changes to the file (atomically); false when they could
    // not be written. The first failure is reported through the handler.
    bool Flush();

    QString FilePath() const;

    // Called with the file's path the first time a save fails.
    void SetSaveFailureHandler(std::function<void(const QString& filePath)> handler);

private:
    static QString KeyPath(const QString& section, const QString& key);
    void ReportSaveFailure();

    QString filePath_;
    std::unique_ptr<QSettings> settings_;
    std::function<void(const QString&)> onSaveFailed_;
    bool unsaved_ = false;
    bool failureReported_ = false;
};

} // namespace velmora
