// The running program's hold on its data folder: an flock on "Running.lock" there, kept for
// the program's life. The channels' marker already keeps a second writer away, but only one
// that finds the same channel folder: a nimbus-cli run from cron or another login session can
// see another runtime folder. Writing the store without the program asks this lock too, so
// it never saves under a program that would later save over it. The file stays (removing a
// lock file races with the next taker); only the lock on it matters, and it goes with the
// process, a crash included. A lock file that cannot be locked (a folder, a symbolic link, a
// file that cannot be opened) is a problem the caller hears of, never a lock taken: the
// program says so, and nimbus-cli does not write.
#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "fileio/UiSentence.h"

namespace nimbus::fileio {

class DataFolderLock {
public:
    static constexpr const char *kFileName = "Running.lock";

    DataFolderLock() = default;
    ~DataFolderLock();
    DataFolderLock(const DataFolderLock &) = delete;
    DataFolderLock &operator=(const DataFolderLock &) = delete;

    // Takes the lock of the data folder (ending with "/") without waiting. False when another
    // process holds it (heldByOther) or the lock file cannot be used (problem says why). A
    // lock file that is not there with create false (nimbus-cli leaves no new file behind)
    // counts as taken: the program makes it when it starts, so none runs there.
    bool tryTake(const std::string &dataFolder, bool create);
    // The same, waiting up to patience while another process holds it (a copy that is
    // closing lets go once its last save is written); onWaiting is called once when it waits.
    // A lock file that cannot be used ends it at once.
    bool take(const std::string &dataFolder, bool create, std::chrono::milliseconds patience,
              const std::function<void()> &onWaiting = {});
    bool heldByOther() const { return heldByOther_; }
    // Why the lock file could not be used ("it is a symbolic link", the system's text), in
    // English; empty when the lock was taken or another process holds it.
    std::string problem() const { return problem_.english(); }
    // The same, to be shown in the user's language.
    const text::Sentence &reason() const { return problem_; }

private:
    int fd_ = -1;
    bool heldByOther_ = false;
    text::Sentence problem_;
};

} // namespace nimbus::fileio
