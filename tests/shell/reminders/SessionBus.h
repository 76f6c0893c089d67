// A session bus of the test's own (dbus-daemon with the session configuration, listening on a
// socket in a temporary folder) with python3-dbusmock's notification server on it, and what
// the test asks of that server: the Notify calls it received, and signals sent in its name; or
// the server stopped, so that it holds its name and never answers. Both processes end with the
// object.
#pragma once

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QStringList>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "support/ChildProcess.h"
#include "support/TempFolder.h"

namespace nimbus::test {

// Debian's python, which has python3-dbusmock (a python earlier on PATH may not).
inline const char *const kSystemPython = "/usr/bin/python3";
inline const char *const kDbusDaemon = "/usr/bin/dbus-daemon";
inline const char *const kSessionConfig = "/usr/share/dbus-1/session.conf";

// One Notify call as the server received it.
struct NotifyCall {
    QString summary;
    QString body;
    QStringList actions;
    uint id = 0; // the id the server answered with: the mock counts from 1
};

class SessionBus {
public:
    // Whether the tools are installed; the test is skipped otherwise.
    static bool available()
    {
        return std::filesystem::exists(kDbusDaemon) && std::filesystem::exists(kSessionConfig) &&
               std::filesystem::exists("/usr/lib/python3/dist-packages/dbusmock");
    }

    explicit SessionBus(const TempFolder &folder)
        : address_("unix:path=" + folder.path() + "bus")
    {
        daemon_ = std::make_unique<ChildProcess>(
            kDbusDaemon,
            std::vector<std::string>{std::string("--config-file=") + kSessionConfig,
                                     "--address=" + address_, "--nofork", "--nopidfile"},
            std::vector<std::string>{});
        ready_ = waitFor([&] { return std::filesystem::exists(folder.path() + "bus"); },
                         std::chrono::seconds(20));
        if (!ready_)
            return;
        mock_ = std::make_unique<ChildProcess>(
            kSystemPython,
            std::vector<std::string>{"-m", "dbusmock", "--template", "notification_daemon"},
            std::vector<std::string>{"DBUS_SESSION_BUS_ADDRESS=" + address_});
        // The socket file appears before the daemon listens on it: connecting is tried again
        // until it takes, then the test waits for the server to own its name.
        ready_ = waitFor([&] {
            if (!connection_ || !connection_->isConnected()) {
                connection_.reset();
                QDBusConnection::disconnectFromBus(QStringLiteral("test"));
                connection_ = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(
                    QString::fromStdString(address_), QStringLiteral("test")));
                if (!connection_->isConnected())
                    return false;
            }
            return connection_->interface()->isServiceRegistered(kService).value();
        }, std::chrono::seconds(30));
    }
    ~SessionBus()
    {
        if (connection_)
            QDBusConnection::disconnectFromBus(QStringLiteral("test"));
        connection_.reset();
        thawServer();
        stop(mock_);
        stop(daemon_);
    }

    bool ready() const { return ready_; }
    const std::string &address() const { return address_; }

    // The notification server keeps its name but stops answering (a hung daemon), and goes on
    // again; the object lets it go on before it ends.
    void freezeServer()
    {
        if (mock_)
            mock_->signal(SIGSTOP);
    }
    void thawServer()
    {
        if (mock_)
            mock_->signal(SIGCONT);
    }

    // Every Notify call so far, in order.
    std::vector<NotifyCall> notifyCalls() const
    {
        std::vector<NotifyCall> calls;
        QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kMock,
                                                           QStringLiteral("GetMethodCalls"));
        call << QStringLiteral("Notify");
        const QDBusMessage reply = connection_->call(call);
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
            return calls;
        // a(tav): a stamp and the call's arguments.
        const QDBusArgument list = reply.arguments().at(0).value<QDBusArgument>();
        list.beginArray();
        while (!list.atEnd()) {
            quint64 stamp = 0;
            QVariantList args;
            list.beginStructure();
            list >> stamp >> args;
            list.endStructure();
            NotifyCall notify;
            if (args.size() >= 6) {
                notify.summary = unwrap(args[3]).toString();
                notify.body = unwrap(args[4]).toString();
                const QVariant actions = unwrap(args[5]);
                if (actions.canConvert<QDBusArgument>())
                    actions.value<QDBusArgument>() >> notify.actions;
                else
                    notify.actions = actions.toStringList();
            }
            notify.id = static_cast<uint>(calls.size() + 1);
            calls.push_back(notify);
        }
        list.endArray();
        return calls;
    }

    // The server says the user chose an action on notification id.
    bool invokeAction(uint id, const QString &key) const
    {
        QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kMock,
                                                           QStringLiteral("EmitSignal"));
        call << kService << QStringLiteral("ActionInvoked") << QStringLiteral("us")
             << QVariant::fromValue(QVariantList{QVariant(id), QVariant(key)});
        return connection_->call(call).type() == QDBusMessage::ReplyMessage;
    }

private:
    static QVariant unwrap(const QVariant &v)
    {
        return v.canConvert<QDBusVariant>() ? v.value<QDBusVariant>().variant() : v;
    }
    static void stop(std::unique_ptr<ChildProcess> &process)
    {
        if (!process)
            return;
        process->signal(SIGTERM);
        if (!process->waitForExit(std::chrono::seconds(10)))
            process.reset(); // SIGKILL and reaped
        process.reset();
    }

    inline static const QString kService = QStringLiteral("org.freedesktop.Notifications");
    inline static const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
    inline static const QString kMock = QStringLiteral("org.freedesktop.DBus.Mock");
    std::string address_;
    std::unique_ptr<ChildProcess> daemon_;
    std::unique_ptr<ChildProcess> mock_;
    std::unique_ptr<QDBusConnection> connection_;
    bool ready_ = false;
};

} // namespace nimbus::test
