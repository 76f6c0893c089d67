// The application object: no error escapes an event handler into the event loop unseen.
#pragma once

#include <QApplication>

namespace nimbus {

class NimbusApplication : public QApplication {
public:
    NimbusApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};

} // namespace nimbus
