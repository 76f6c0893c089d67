// Window actions for "wakeup" and "close", and program starts for "run", on the UI thread.
#include "shell/CommandDispatcher.h"

#include <QApplication>
#include <QMetaObject>

#include "ipc/RunProcess.h"

namespace nimbus {

CommandDispatcher::CommandDispatcher(QWidget *window, ipc::ShutdownFlags &flags, LogSink log,
                                     QObject *parent)
    : QObject(parent), window_(window), flags_(flags), log_(std::move(log))
{
    starter_ = [](const ipc::ProcessObj &process) {
        return ipc::RunProcess(process.commandLine, false, 0, ipc::kIdlePriorityClass,
                               static_cast<std::uint16_t>(process.showCode));
    };
}

// Queued: the action runs when this object's (the UI) thread next processes its events, and
// not at all when this object is gone by then.
void CommandDispatcher::post(std::function<void()> action)
{
    QMetaObject::invokeMethod(this, std::move(action), Qt::QueuedConnection);
}

void CommandDispatcher::wakeup()
{
    post([this] { wakeupNow(); });
}

void CommandDispatcher::close()
{
    // From now on nothing else from the channel is acted upon.
    flags_.setApplicationTerminating();
    post([this] { closeNow(); });
}

void CommandDispatcher::run(const ipc::ProcessObj &process)
{
    post([this, process] { runNow(process); });
}

void CommandDispatcher::topicChange(const std::string &word, const std::string &value)
{
    post([this, word, value] {
        if (!flags_.applicationTerminating() && changer_)
            changer_(word, value);
    });
}

void CommandDispatcher::refused(const std::string &text)
{
    post([this, text] {
        if (log_)
            log_("*** " + text);
    });
}

void CommandDispatcher::wakeupNow()
{
    if (flags_.applicationTerminating() || !window_)
        return;
    if (window_->isMinimized())
        window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
    window_->show();
    window_->raise();
    window_->activateWindow();
    if (log_)
        log_("Brought to the front at the request of another program");
}

void CommandDispatcher::closeNow()
{
    if (!window_)
        return;
    if (log_)
        log_("Closing at the request of another program");
    // The same orderly closing as the window's Exit button.
    window_->close();
}

void CommandDispatcher::runNow(const ipc::ProcessObj &process)
{
    if (flags_.applicationTerminating())
        return;
    const bool started = starter_ && starter_(process);
    if (log_)
        log_(started
                 ? "Started at the request of another program: " + process.commandLine
                 : "*** Could not start at the request of another program: " + process.commandLine);
}

} // namespace nimbus
