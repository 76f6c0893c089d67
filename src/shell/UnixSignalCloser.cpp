// The self-pipe trick: the signal handler only writes the signal number into a socket, and
// the event loop reads it there.
#include "shell/UnixSignalCloser.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>

namespace nimbus {

namespace {

int signalSockets[2] = {-1, -1};

void onSignal(int signalNumber)
{
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const ssize_t n = ::write(signalSockets[0], &byte, 1);
    errno = saved;
}

} // namespace

UnixSignalCloser::UnixSignalCloser(QObject *parent) : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalSockets) != 0)
        return;
    ::fcntl(signalSockets[0], F_SETFL, O_NONBLOCK);
    notifier_ = new QSocketNotifier(signalSockets[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &UnixSignalCloser::readSignal);

    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int s : {SIGTERM, SIGINT, SIGHUP})
        sigaction(s, &action, nullptr);
}

UnixSignalCloser::~UnixSignalCloser()
{
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (int s : {SIGTERM, SIGINT, SIGHUP})
        sigaction(s, &action, nullptr);
    for (int &fd : signalSockets) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

void UnixSignalCloser::readSignal()
{
    unsigned char byte = 0;
    if (::read(signalSockets[1], &byte, 1) == 1)
        emit closeRequested(byte);
}

} // namespace nimbus
