#include "state/TerminationSignals.h"

#include <QSocketNotifier>

#include <array>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace velmora {

namespace {

// The handler may only do async-signal-safe work: it writes the signal's
// number into a socket that the event loop watches.
int gSignalSocket[2] = {-1, -1};
constexpr std::array kSignals = {SIGTERM, SIGINT, SIGHUP};

extern "C" void ForwardSignal(int signalNumber) {
    const unsigned char number = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(gSignalSocket[0], &number, 1);
}

} // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
    if (gSignalSocket[0] >= 0 ||
        ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, gSignalSocket) != 0)
        return;
    ::fcntl(gSignalSocket[0], F_SETFL, O_NONBLOCK);
    notifier_ = new QSocketNotifier(gSignalSocket[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::ReadSignal);

    struct sigaction action = {};
    action.sa_handler = ForwardSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signalNumber : kSignals)
        ::sigaction(signalNumber, &action, nullptr);
}

TerminationSignals::~TerminationSignals() {
    if (!notifier_)
        return;
    for (int signalNumber : kSignals)
        ::signal(signalNumber, SIG_DFL);
    ::close(gSignalSocket[0]);
    ::close(gSignalSocket[1]);
    gSignalSocket[0] = gSignalSocket[1] = -1;
}

void TerminationSignals::ReadSignal() {
    unsigned char number = 0;
    if (::read(gSignalSocket[1], &number, 1) == 1)
        Q_EMIT terminationRequested(number);
}

} // namespace velmora
