// Program-wide application settings and the last-resort error display.
#include "shell/NimbusApplication.h"

#include <cstdio>
#include <exception>

namespace nimbus {

NimbusApplication::NimbusApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Nimbus Desk"));
    setApplicationDisplayName(QStringLiteral("Nimbus Desk"));
    setQuitOnLastWindowClosed(true);
}

bool NimbusApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "Nimbus Desk: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "Nimbus Desk: unexpected error\n");
    }
    return false;
}

} // namespace nimbus
