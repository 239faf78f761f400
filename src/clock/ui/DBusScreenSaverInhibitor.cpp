#include "clock/ui/DBusScreenSaverInhibitor.h"

#include "localisation/ApplicationInfo.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QVariantMap>

namespace velmora {

namespace {

const QString kPortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kScreenSaverService = QStringLiteral("org.freedesktop.ScreenSaver");
const QString kReason = QStringLiteral("A chess clock is running");
constexpr unsigned kPortalIdle = 8; // the portal's flag for "the session may not go idle"
// A portal started on demand may take a while; nobody waits for the answer.
constexpr int kAskMilliseconds = 10000;
// Only the end of the program waits for a withdrawal.
constexpr int kWithdrawMilliseconds = 500;

} // namespace

DBusScreenSaverInhibitor::~DBusScreenSaverInhibitor() {
    SetInhibited(false);
    if (withdrawing_)
        withdrawing_->waitForFinished();
    // A request still unanswered now goes with the connection: the desktop
    // drops what a program that left the bus had asked for.
}

void DBusScreenSaverInhibitor::SetInhibited(bool inhibited) {
    // Every hand-over starts the clock again; only a change matters.
    if (inhibited == wanted_)
        return;
    wanted_ = inhibited;
    Update();
}

void DBusScreenSaverInhibitor::Update() {
    if (asking_)
        return; // the answer comes back here
    if (wanted_ && !holder_) {
        Ask(Service::Portal);
    } else if (!wanted_ && holder_) {
        withdrawing_ = QDBusConnection::sessionBus().asyncCall(Withdrawal(), kWithdrawMilliseconds);
        holder_.reset();
    }
}

void DBusScreenSaverInhibitor::Ask(Service service) {
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage call;
    if (service == Service::Portal) {
        call = QDBusMessage::createMethodCall(
            kPortalService, QStringLiteral("/org/freedesktop/portal/desktop"),
            QStringLiteral("org.freedesktop.portal.Inhibit"), QStringLiteral("Inhibit"));
        call << QString() << kPortalIdle << QVariantMap{{QStringLiteral("reason"), kReason}};
    } else {
        call = QDBusMessage::createMethodCall(kScreenSaverService,
                                              QStringLiteral("/org/freedesktop/ScreenSaver"),
                                              kScreenSaverService, QStringLiteral("Inhibit"));
        call << ApplicationTitle() << kReason;
    }
    asking_ = new QDBusPendingCallWatcher(bus.asyncCall(call, kAskMilliseconds), this);
    connect(asking_, &QDBusPendingCallWatcher::finished, this,
            [this, service](QDBusPendingCallWatcher* answer) { Answered(service, answer); });
}

void DBusScreenSaverInhibitor::Answered(Service service, QDBusPendingCallWatcher* answer) {
    answer->deleteLater();
    asking_ = nullptr;
    const QDBusMessage reply = answer->reply();
    if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()) {
        holder_ = service;
        handle_ = reply.arguments().constFirst();
        Update(); // withdraws at once if the clock stopped meanwhile
    } else if (service == Service::Portal && wanted_) {
        Ask(Service::ScreenSaver);
    }
    // With neither the screen may blank; the next start of the clock asks again.
}

QDBusMessage DBusScreenSaverInhibitor::Withdrawal() const {
    if (holder_ == Service::Portal) {
        return QDBusMessage::createMethodCall(
            kPortalService, handle_.value<QDBusObjectPath>().path(),
            QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Close"));
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        kScreenSaverService, QStringLiteral("/org/freedesktop/ScreenSaver"), kScreenSaverService,
        QStringLiteral("UnInhibit"));
    call << handle_.toUInt();
    return call;
}

} // namespace velmora
