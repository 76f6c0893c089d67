// What start-up says when the channels, the data folder's lock or the structure file are not
// as they should be. Each notice comes twice: in English for the log and the terminal (which
// stay English so that anyone can read them), and in the user's language for a message box.
#pragma once

#include <string>
#include <vector>

#include "fileio/UiSentence.h"

namespace nimbus::fileio {
class DataFolderLock;
}

namespace nimbus::startup {

struct Notice {
    std::string logged; // English: the log, stderr
    std::string shown;  // the user's language; empty: nothing is shown
};

// The channel folder this copy was given, checked against the usual choice of the
// environment (its folder, and why it is not the first choice). usable false: the copy ends, after
// showing `shown`. usable true with a notice: the usual folder was not used, which the log and
// stderr say and no message box does.
struct ChannelFolderCheck {
    bool usable = true;
    Notice notice;
};
ChannelFolderCheck checkChannelFolder(const std::string &folder, const std::string &usualFolder,
                                      const text::Sentence &usualNotice,
                                      const text::Sentence &problem);

// Another program holds the marker channel in folder and does not answer.
Notice copyStuckNotice(const std::string &folder);

// Why the data folder's lock was not taken. error: the logged line is an error, with the
// lock's problem as its detail. Another copy holding the lock is only logged; a lock file
// that cannot be used is shown too, unless the data folder cannot be written at all (that was
// said already, and the lock file is only its consequence).
struct LockNotice {
    Notice notice;
    bool error = false;
    std::string detail;
};
LockNotice dataFolderLockNotice(const fileio::DataFolderLock &lock, const std::string &dataFolder,
                                const std::string &channelFolder, bool dataFolderWritable);

// The topics the structure file did not yield, as the user hears of them once: the first
// five problems and where to find the rest. Empty when there were none.
std::string structureProblemsNotice(const std::vector<text::Sentence> &problems);

} // namespace nimbus::startup
