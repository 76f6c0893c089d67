// Turns the Spawner's stop signals into Qt signals on the user-interface thread: SIGUSR1 is
// the private stop message, SIGTERM and SIGINT the quit message.
#pragma once

#include <QObject>

class QSocketNotifier;

namespace spawner {

class SignalNotifier : public QObject {
    Q_OBJECT
public:
    // Installs the handlers; one instance per process.
    explicit SignalNotifier(QObject *parent = nullptr);
    ~SignalNotifier() override;

signals:
    void received(int signalNumber);

private:
    void readPending();

    QSocketNotifier *notifier_ = nullptr;
};

} // namespace spawner
