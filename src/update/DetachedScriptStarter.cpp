// Double fork: the script's process is adopted by init at once, so it leaves no zombie behind
// and is not ended with the program's process group.
#include "update/DetachedScriptStarter.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace nimbus::update {

bool DetachedScriptStarter::startScript(const std::string &path)
{
    // Everything the children need is prepared before fork: after it only async-signal-safe
    // calls are allowed, as the program has other threads.
    const char *const argv[] = {"sh", path.c_str(), nullptr};
    int status[2];
    if (::pipe2(status, O_CLOEXEC) != 0)
        return false;
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(status[0]);
        ::close(status[1]);
        return false;
    }
    if (child == 0) {
        ::setsid();
        const pid_t grandchild = ::fork();
        if (grandchild != 0)
            ::_exit(grandchild < 0 ? 1 : 0);
        const int null = ::open("/dev/null", O_RDWR);
        if (null >= 0) {
            ::dup2(null, 0);
            ::dup2(null, 1);
            ::dup2(null, 2);
        }
        ::setpriority(PRIO_PROCESS, 0, 19);
        ::execv("/bin/sh", const_cast<char *const *>(argv));
        // Only reached when exec failed: tell the parent through the pipe.
        const char failed = 1;
        [[maybe_unused]] ssize_t ignored = ::write(status[1], &failed, 1);
        ::_exit(127);
    }
    ::close(status[1]);
    int childStatus = 0;
    while (::waitpid(child, &childStatus, 0) < 0 && errno == EINTR) {
    }
    // The pipe closes on a successful exec (close-on-exec); a byte means exec failed.
    char byte = 0;
    ssize_t n;
    while ((n = ::read(status[0], &byte, 1)) < 0 && errno == EINTR) {
    }
    ::close(status[0]);
    return WIFEXITED(childStatus) && WEXITSTATUS(childStatus) == 0 && n == 0;
}

} // namespace nimbus::update
