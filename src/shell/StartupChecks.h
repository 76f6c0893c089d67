// The checks of start-up that the user hears of: a data folder that cannot be written, its
// lock not taken, topics the structure file did not yield, data of an older version, the
// installation record. The log says each in English; a message box in the user's language
// says what the user must know.
#pragma once

#include <string>

namespace nimbus {

namespace fileio {
class DataFolderLock;
}
struct InstallRecord;
class TformMain;

class StartupChecks {
public:
    explicit StartupChecks(TformMain &window) : window_(window) {}

    // An unusable data folder is said at once: nothing the program writes can be kept there.
    void checkDataFolder();
    // Takes the data folder's lock, or says why it was not taken; the program runs on either
    // way. nimbus-cli asks the same lock before it writes the store without the program.
    void lockDataFolder(fileio::DataFolderLock &lock);
    // Once the store is read: the topics it could not read, then the one-time upgrade of data
    // an older version wrote.
    void checkTopics();
    // What the installation record left in the log. True when an installer that left its
    // record next to the program has just run.
    bool reportInstallRecord(const InstallRecord &record);

private:
    void reportDataFolderLock(const fileio::DataFolderLock &lock);
    void tellUser(const std::string &caption, const std::string &message);

    TformMain &window_;
};

} // namespace nimbus
