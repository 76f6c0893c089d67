// Carries the commands that other processes send to the program over to the user-interface
// thread: the channel thread only posts them; the window is raised or closed, or a program is
// started, here.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>

#include "ipc/CommandTarget.h"
#include "ipc/ShutdownFlags.h"

namespace nimbus {

class CommandDispatcher : public QObject, public ipc::CommandTarget {
    Q_OBJECT
public:
    using LogSink = std::function<void(const std::string &message)>;
    using Starter = std::function<bool(const ipc::ProcessObj &process)>;
    using TopicChanger = std::function<void(const std::string &word, const std::string &value)>;

    // Lives on the user-interface thread, like window. log is called there only.
    CommandDispatcher(QWidget *window, ipc::ShutdownFlags &flags, LogSink log,
                      QObject *parent = nullptr);

    // How "run" starts a program; RunProcess at idle priority unless replaced (before the
    // channel starts serving).
    void setStarter(Starter starter) { starter_ = std::move(starter); }
    // Who applies the changes nimbus-cli sends ("topic-add" ...); without one they are ignored.
    void setTopicChanger(TopicChanger changer) { changer_ = std::move(changer); }

    // Called on the channel thread.
    void wakeup() override;
    void close() override;
    void run(const ipc::ProcessObj &process) override;
    void topicChange(const std::string &word, const std::string &value) override;
    void refused(const std::string &text);

private:
    void post(std::function<void()> action);
    void wakeupNow();
    void closeNow();
    void runNow(const ipc::ProcessObj &process);

    QPointer<QWidget> window_;
    ipc::ShutdownFlags &flags_;
    LogSink log_;
    Starter starter_;
    TopicChanger changer_;
};

} // namespace nimbus
