// The running program's hold on its data folder: an flock on "Running.lock" there, kept for
// the program's life. The channels' marker already keeps a second writer away, but only one
// that finds the same channel folder: a nimbus-cli run from cron or another login session can
// see another runtime folder. Writing the store without the program asks this lock too, so
// it never saves under a program that would later save over it. The file stays (removing a
// lock file races with the next taker); only the lock on it matters, and it goes with the
// process, a crash included.
#pragma once

#include <chrono>
#include <functional>
#include <string>

namespace nimbus::fileio {

class DataFolderLock {
public:
    static constexpr const char *kFileName = "Running.lock";

    DataFolderLock() = default;
    ~DataFolderLock();
    DataFolderLock(const DataFolderLock &) = delete;
    DataFolderLock &operator=(const DataFolderLock &) = delete;

    // Takes the lock of the data folder (ending with "/") without waiting. False when another
    // process holds it. A lock file that is not there (create false: nimbus-cli leaves no new
    // file behind) or cannot be made (a read-only folder) counts as taken: no program holds
    // it, or nothing can be written there anyway.
    bool tryTake(const std::string &dataFolder, bool create);
    // The same, waiting up to patience while another process holds it (a copy that is
    // closing lets go once its last save is written); onWaiting is called once when it waits.
    bool take(const std::string &dataFolder, bool create, std::chrono::milliseconds patience,
              const std::function<void()> &onWaiting = {});
    bool heldByOther() const { return heldByOther_; }

private:
    int fd_ = -1;
    bool heldByOther_ = false;
};

} // namespace nimbus::fileio
