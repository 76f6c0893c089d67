// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the user-interface thread, so that a
// desktop logout or a kill closes the main window as orderly as its Exit button does.
#pragma once

#include <QObject>

class QSocketNotifier;

namespace nimbus {

class UnixSignalCloser : public QObject {
    Q_OBJECT
public:
    explicit UnixSignalCloser(QObject *parent = nullptr);
    ~UnixSignalCloser() override;

signals:
    void closeRequested(int signalNumber);

private:
    void readSignal();

    QSocketNotifier *notifier_ = nullptr;
};

} // namespace nimbus
