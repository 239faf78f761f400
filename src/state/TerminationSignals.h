#pragma once

#include <QObject>

class QSocketNotifier;

namespace velmora {

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the user-interface
// thread, so that the program shuts down the normal way (saving what the user
// chose) when the desktop or a terminal asks it to end.
class TerminationSignals final : public QObject {
    Q_OBJECT

public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

Q_SIGNALS:
    void terminationRequested(int signalNumber);

private:
    void ReadSignal();

    QSocketNotifier* notifier_ = nullptr;
};

} // namespace velmora
