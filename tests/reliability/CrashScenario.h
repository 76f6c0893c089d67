// A data folder of 10,000 topics with content, settings, version register and add-on list,
// changed in numbered rounds that are the same in every process: the crash driver saves them,
// the crash test predicts what each file may hold after a kill.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "sharing/TAddonList.h"
#include "store/ChecklistItem.h"
#include "store/Clock.h"
#include "store/TContent.h"
#include "store/TNetDetails.h"
#include "store/TNimbusStructure.h"
#include "store/TPreferences.h"
#include "update/RegList.h"

namespace nimbus::test {

class CrashScenario {
public:
    static constexpr int kTopics = 10000;
    // Rounds a driver run makes at most; it then waits to be killed.
    static constexpr int kRounds = 3;

    explicit CrashScenario(std::string dataFolder);

    // Writes a new data folder: the generated store, a checklist page for every fourth topic,
    // preferences, network details, a register entry and an add-on list.
    bool Create(std::string &error);
    // Reads the store and the settings as the program does at start-up.
    bool Load(std::string &error);
    // Changes topics, pages and settings in memory (reading the content it touches first).
    void Change(std::uint32_t seed, int round);
    // Writes everything changed since the last save through the program's own savers.
    bool Save(std::string &error);

    // What every file changed since Load must hold now, by path relative to the data folder,
    // in the form Canonical() reads.
    std::map<std::string, std::string> Expected() const;
    // A file as it reads back: raw bytes, except "net.txt" (its deciphered pairs, marked when
    // the container header is missing) and "VersionReg.lst" (every entry as read). A file that
    // is missing reads as kMissing.
    std::string Canonical(const std::string &relativePath) const;
    static constexpr const char *kMissing = "<missing>";

    // Old versions a file may keep beside it (0 when it keeps none).
    static int VersionsAllowed(const std::string &fileName);

    const std::string &folder() const { return folder_; }
    TNimbusStructure &store() { return store_; }

private:
    struct TouchedPage {
        TNimbusNode *node;
        THyperData *page;
        std::vector<ChecklistItem> items;
        bool pktChanged; // the page list changed since Load
    };

    std::string relative(const std::string &path) const;
    TouchedPage &touch(TNimbusNode &node);
    int topicEnd() const;

    std::string folder_;
    ContentFolders folders_;
    FixedClock clock_;
    TNimbusStructure store_;
    TPreferences prefs_;
    TNetDetails net_;
    update::RegList register_;
    TAddonList addons_;
    int counter_ = 0;
    bool counterChanged_ = false;
    std::vector<std::unique_ptr<TouchedPage>> touched_;
    std::set<std::string> deleted_;
};

} // namespace nimbus::test
