#include "state/SettingsStore.h"

#include "localisation/ApplicationInfo.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

namespace velmora {

QString SettingsStore::UserFilePath() {
    const QString configDir =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(configDir).filePath(ApplicationTitle() + u'/' + ApplicationTitle() +
                                    QStringLiteral(".ini"));
}

SettingsStore::SettingsStore(const QString& filePath)
    : filePath_(QFileInfo(filePath).absoluteFilePath()),
      settings_(std::make_unique<QSettings>(filePath_, QSettings::IniFormat)) {}

SettingsStore::~SettingsStore() {
    Flush();
}

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
    settings_->setValue(KeyPath(section, key), value);
    unsaved_ = true;
}

bool SettingsStore::Flush() {
    if (!unsaved_)
        return true;
    QDir().mkpath(QFileInfo(filePath_).absolutePath());
    settings_->sync();
    // QSettings::status() keeps the first error for good: after a damaged file
    // was read it reports a format error although later saves go through, and
    // it never shows a failed write after that. A new QSettings over the same
    // file shares the values not yet written and tries to write them again as
    // it opens, so its status tells whether they are on disk now. It is made
    // before the old one goes, which keeps those values alive.
    settings_ = std::make_unique<QSettings>(filePath_, QSettings::IniFormat);
    unsaved_ = settings_->status() == QSettings::AccessError;
    if (unsaved_)
        ReportSaveFailure();
    return !unsaved_;
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
