#include "state/SettingsStore.h"

#include "state/ApplicationInfo.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

namespace velmora {

QString SettingsStore::UserFilePath() {
    const QString configDir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(configDir).filePath(ApplicationTitle() + u'/' + ApplicationTitle() + QStringLiteral(".ini"));
}

SettingsStore::SettingsStore(const QString& filePath)
    : settings_(std::make_unique<QSettings>(filePath, QSettings::IniFormat)) {}

SettingsStore::~SettingsStore() { Flush(); }

QString SettingsStore::KeyPath(const QString& section, const QString& key) {
    // QSettings writes its top-level keys as the file's [General] section.
    if (section == u"General")
        return key;
    return section + u'/' + key;
}

QString SettingsStore::ReadText(const QString& section, const QString& key,
                                const QString& defaultValue) const {
    const QVariant value = settings_->value(KeyPath(section, key));
    if (!value.isValid())
        return defaultValue;
    // An unquoted comma in a hand-edited file makes QSettings return a list.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(u',');
    return value.toString();
}

void SettingsStore::WriteText(const QString& section, const QString& key, const QString& value) {
    settings_->setValue(KeyPath(section, key), value);
}

bool SettingsStore::Flush() {
    const QString dir = QFileInfo(settings_->fileName()).absolutePath();
    QDir().mkpath(dir);
    settings_->sync();
    if (settings_->status() == QSettings::NoError)
        return true;
    if (!failureReported_ && onSaveFailed_) {
        failureReported_ = true;
        onSaveFailed_(settings_->fileName());
    }
    return false;
}

QString SettingsStore::FilePath() const { return settings_->fileName(); }

void SettingsStore::SetSaveFailureHandler(std::function<void(const QString&)> handler) {
    onSaveFailed_ = std::move(handler);
}

} // namespace velmora
