#include "state/SettingsStore.h"

#include "localisation/ApplicationInfo.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStringList>
#include <QThread>

namespace velmora {

QString SettingsStore::UserFilePath() {
    // Relative values are ignored, as the XDG base directory rules ask.
    QString configDir = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!QDir::isAbsolutePath(configDir)) {
        const QString home = qEnvironmentVariable("HOME");
        if (!QDir::isAbsolutePath(home))
            return {};
        configDir = home + QStringLiteral("/.config");
    }
    return QDir(configDir).filePath(ApplicationTitle() + u'/' + ApplicationTitle() +
                                    QStringLiteral(".ini"));
}

SettingsStore::SettingsStore(const QString& filePath)
    : filePath_(filePath.isEmpty() ? QString() : QFileInfo(filePath).absoluteFilePath()) {
    refusal_ = CheckFile();
    if (refusal_ == Refusal::None)
        settings_ = std::make_unique<QSettings>(filePath_, QSettings::IniFormat);
}

SettingsStore::~SettingsStore() {
    Flush();
}

SettingsStore::Refusal SettingsStore::CheckFile() const {
    if (filePath_.isEmpty())
        return Refusal::NoHome;
    // Reading a FIFO or a device would block; a huge file would stall every save.
    const QFileInfo file(filePath_);
    if (!file.exists())
        return Refusal::None;
    if (!file.isFile())
        return file.isDir() ? Refusal::None : Refusal::NotAFile; // a folder: saves fail
    return file.size() > MaximumFileSize ? Refusal::TooLarge : Refusal::None;
}

QString SettingsStore::KeyPath(const QString& section, const QString& key) {
    // QSettings writes its top-level keys as the file's [General] section.
    if (section == u"General")
        return key;
    return section + u'/' + key;
}

QString SettingsStore::ReadText(const QString& section, const QString& key,
                                const QString& defaultValue) const {
    const QString path = KeyPath(section, key);
    if (const auto written = unsaved_.constFind(path); written != unsaved_.cend())
        return written->value_or(defaultValue);
    if (!settings_)
        return defaultValue;
    const QVariant value = settings_->value(path);
    if (!value.isValid())
        return defaultValue;
    // A hand-edited file can hold what QSettings reads as other types: an
    // unquoted comma gives a list, @ByteArray(...) bytes, @Variant(...) anything.
    switch (value.typeId()) {
    case QMetaType::QString:
        return value.toString();
    case QMetaType::QStringList:
        return value.toStringList().join(u',');
    case QMetaType::QByteArray:
        return QString::fromUtf8(value.toByteArray());
    default:
        return value.canConvert<QString>() ? value.toString() : defaultValue;
    }
}

void SettingsStore::WriteText(const QString& section, const QString& key, const QString& value) {
    unsaved_.insert(KeyPath(section, key), value);
}

void SettingsStore::Remove(const QString& section, const QString& key) {
    const QString path = KeyPath(section, key);
    if (unsaved_.contains(path) || (settings_ && settings_->contains(path)))
        unsaved_.insert(path, std::nullopt);
}

bool SettingsStore::Flush() {
    if (!settings_)
        return false; // the refused file is never written; the user was told at the start
    if (unsaved_.isEmpty())
        return true;
    QDir().mkpath(QFileInfo(filePath_).absolutePath());
    // QSettings waits for its lock file without a limit: a lock that cannot be
    // taken or removed (a folder, a read-only folder, another user's file)
    // would hold the save for good. Taking it here first bounds the wait; a
    // save that races another program for it in between waits only for that
    // program's own short save.
    bool saved = CheckFile() == Refusal::None && LockCanBeTaken();
    if (saved) {
        for (auto value = unsaved_.cbegin(); value != unsaved_.cend(); ++value) {
            if (value.value())
                settings_->setValue(value.key(), *value.value());
            else
                settings_->remove(value.key());
        }
        settings_->sync();
        QCoreApplication::removePostedEvents(settings_.get(), QEvent::UpdateRequest);
        // QSettings::status() keeps the first error for good: after a damaged
        // file was read it reports a format error although later saves go
        // through, and it never shows a failed write after that. A new
        // QSettings over the same file shares the values not yet written and
        // tries to write them again as it opens, so its status tells whether
        // they are on disk now. It is made before the old one goes, which
        // keeps those values alive.
        settings_ = std::make_unique<QSettings>(filePath_, QSettings::IniFormat);
        saved = settings_->status() != QSettings::AccessError;
    }
    if (!saved) {
        ReportSaveFailure();
        return false;
    }
    unsaved_.clear();
    return true;
}

bool SettingsStore::LockCanBeTaken() const {
    // Tried often rather than with QLockFile's growing pauses, so that a save
    // between other programs' quick saves still finds the lock free in time.
    QLockFile lock(filePath_ + QStringLiteral(".lock"));
    QDeadlineTimer deadline(LockWaitMs);
    while (!lock.tryLock(0)) {
        if (deadline.hasExpired() || lock.error() != QLockFile::LockFailedError)
            return false;
        QThread::msleep(10);
    }
    lock.unlock();
    return true;
}

void SettingsStore::Refresh() {
    // Values not yet saved stay as they are; so does a file that became unusable.
    if (settings_ && unsaved_.isEmpty() && CheckFile() == Refusal::None)
        settings_->sync();
}

void SettingsStore::ReportSaveFailure() {
    if (failureReported_ || !onSaveFailed_)
        return;
    failureReported_ = true;
    onSaveFailed_(filePath_);
}

QString SettingsStore::FilePath() const {
    return filePath_;
}

void SettingsStore::SetSaveFailureHandler(std::function<void(const QString&)> handler) {
    onSaveFailed_ = std::move(handler);
}

} // namespace velmora
