// The self-pipe: the signal handler only writes the signal number into a pipe, and the event
// loop reads it back, where anything may be done safely.
#include "SignalNotifier.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>

namespace spawner {

namespace {

int pipeFds[2] = {-1, -1};
constexpr int kHandledSignals[] = {SIGUSR1, SIGTERM, SIGINT};

void onSignal(int signalNumber)
{
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] ssize_t written = write(pipeFds[1], &byte, 1);
    errno = savedErrno;
}

} // namespace

SignalNotifier::SignalNotifier(QObject *parent) : QObject(parent)
{
    if (pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    notifier_ = new QSocketNotifier(pipeFds[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &SignalNotifier::readPending);
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signalNumber : kHandledSignals)
        sigaction(signalNumber, &action, nullptr);
}

SignalNotifier::~SignalNotifier()
{
    if (pipeFds[0] < 0)
        return;
    for (int signalNumber : kHandledSignals)
        signal(signalNumber, SIG_DFL);
    close(pipeFds[0]);
    close(pipeFds[1]);
    pipeFds[0] = pipeFds[1] = -1;
}

void SignalNotifier::readPending()
{
    unsigned char byte = 0;
    while (read(pipeFds[0], &byte, 1) == 1)
        emit received(byte);
}

} // namespace spawner
