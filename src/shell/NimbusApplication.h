// The application object: no error escapes an event handler into the event loop unseen.
#pragma once

#include <QApplication>
#include <QPointer>
#include <functional>
#include <string>

namespace nimbus {

class NimbusApplication : public QApplication {
public:
    NimbusApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;

    // From here on an error that escapes an event handler is written with log and shown to
    // the user in a message box over parent (which does not wait for an answer, so the
    // program goes on). Without it the error is only printed to standard error.
    void reportErrorsTo(std::function<void(const std::string &)> log, QWidget *parent);

private:
    void reportError(const std::string &what);

    std::function<void(const std::string &)> log_;
    QPointer<QWidget> parent_;
    bool reporting_ = false; // an error while one is being shown is only logged
};

} // namespace nimbus
