// Program-wide application settings and the last-resort error display.
#include "shell/NimbusApplication.h"

#include <QMessageBox>
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
        reportError(e.what());
    } catch (...) {
        reportError("unexpected error");
    }
    return false;
}

void NimbusApplication::reportErrorsTo(std::function<void(const std::string &)> log,
                                       QWidget *parent)
{
    log_ = std::move(log);
    parent_ = parent;
}

void NimbusApplication::reportError(const std::string &what)
{
    std::fprintf(stderr, "Nimbus Desk: %s\n", what.c_str());
    if (log_)
        log_("*** An unexpected error occurred: " + what);
    if (!parent_ || reporting_)
        return;
    reporting_ = true;
    auto *box = new QMessageBox(
        QMessageBox::Critical, applicationDisplayName(),
        QStringLiteral("An unexpected error occurred:\n\n%1\n\nThe program goes on; what you "
                       "were doing may not have been finished. The main log has the details.")
            .arg(QString::fromLocal8Bit(what.c_str())),
        QMessageBox::Ok, parent_);
    box->setObjectName(QStringLiteral("unexpectedErrorBox"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    connect(box, &QObject::destroyed, this, [this] { reporting_ = false; });
    box->show();
}

} // namespace nimbus
