#pragma once

#include "clock/ui/ScreenSaverInhibitor.h"

#include <QDBusPendingCall>
#include <QObject>
#include <QVariant>

#include <optional>

class QDBusMessage;
class QDBusPendingCallWatcher;

namespace velmora {

// Asks the desktop over the session bus: the XDG desktop portal's Inhibit where
// a portal answers, else the freedesktop ScreenSaver. All calls are
// asynchronous; without a bus or either service the screen simply may blank.
// The bus is first reached when a clock first runs, not at start-up.
class DBusScreenSaverInhibitor final : public QObject, public ScreenSaverInhibitor {
public:
    // Withdraws a request still held and waits, briefly, until that has left:
    // the program ends right after this.
    ~DBusScreenSaverInhibitor() override;

    void SetInhibited(bool inhibited) override;

private:
    enum class Service { Portal, ScreenSaver };

    void Update();
    void Ask(Service service);
    void Answered(Service service, QDBusPendingCallWatcher* answer);
    QDBusMessage Withdrawal() const;

    bool wanted_ = false;
    QDBusPendingCallWatcher* asking_ = nullptr;   // the request on its way
    std::optional<Service> holder_;               // the service that holds our request
    QVariant handle_;                             // its request path or cookie
    std::optional<QDBusPendingCall> withdrawing_; // the last withdrawal sent
};

} // namespace velmora
