#pragma once

#include <QHash>
#include <QSettings>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace velmora {

// The per-user settings store: text values addressed by section and key, kept
// in an INI file. Section "General" is the file's [General] section.
//
// A file that cannot be read gives the defaults (a damaged file gives what can
// still be read of it). A save that fails keeps the values in memory, so the
// rest of the run still sees them, and is reported once per store through the
// failure handler. No save waits longer than LockWaitMs for another program's
// lock on the file. A store without a file (no usable home), or whose file is
// larger than MaximumFileSize or not a regular file, is not used at all: the
// run starts as a first start, keeps its values in memory and never writes
// the file.
class SettingsStore {
public:
    static constexpr qint64 MaximumFileSize = 1024 * 1024;
    static constexpr int LockWaitMs = 2000;

    // Why a store's file is not used.
    enum class Refusal { None, NoHome, TooLarge, NotAFile };

    // The store of the user: $XDG_CONFIG_HOME/Velmora/Velmora.ini, or
    // ~/.config/Velmora/Velmora.ini when XDG_CONFIG_HOME is unset or not an
    // absolute path; empty when there is no usable home either.
    static QString UserFilePath();

    // An empty path: a store that keeps its values in memory only.
    explicit SettingsStore(const QString& filePath);
    ~SettingsStore();

    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    QString ReadText(const QString& section, const QString& key,
                     const QString& defaultValue = QString()) const;
    void WriteText(const QString& section, const QString& key, const QString& value);
    void Remove(const QString& section, const QString& key);

    // Writes pending changes to the file (atomically); false when they could
    // not be written. The first failure is reported through the handler.
    bool Flush();
    // Reads the file as it is now: what another program or a hand edit
    // changed since the store last read it.
    void Refresh();

    QString FilePath() const;
    Refusal RefusedFile() const { return refusal_; }

    // Called with the file's path the first time a save fails.
    void SetSaveFailureHandler(std::function<void(const QString& filePath)> handler);

private:
    static QString KeyPath(const QString& section, const QString& key);
    Refusal CheckFile() const;
    // Whether another program's lock on the file gives way within LockWaitMs.
    bool LockCanBeTaken() const;
    void ReportSaveFailure();

    QString filePath_;
    Refusal refusal_ = Refusal::None;
    std::unique_ptr<QSettings> settings_; // none while the file is refused
    // Values written since the last save (none: removed). QSettings gets them
    // only when a save can take the lock: it saves by itself from the event
    // loop and on destruction, and would then wait for the lock without limit.
    QHash<QString, std::optional<QString>> unsaved_;
    std::function<void(const QString&)> onSaveFailed_;
    bool failureReported_ = false;
};

} // namespace velmora
