#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

namespace velmora {

// The desktop's default handlers and program start, behind one seam.
class DesktopLauncher {
public:
    virtual ~DesktopLauncher() = default;
    // Opens a web or mail address with the desktop's default handler.
    virtual bool OpenUrl(const QUrl& url) = 0;
    // The full path of the first of `names` found on the PATH, or empty.
    virtual QString FindProgram(const QStringList& names) = 0;
    // Starts a program detached from this one.
    virtual bool StartDetached(const QString& program) = 0;
};

class SystemDesktopLauncher final : public DesktopLauncher {
public:
    bool OpenUrl(const QUrl& url) override;
    QString FindProgram(const QStringList& names) override;
    bool StartDetached(const QString& program) override;
};

} // namespace velmora
