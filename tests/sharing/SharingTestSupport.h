// Helpers for the sharing tests: answered questions, a recording main window, a user with a
// real data folder, and packets written as store records.
#pragma once

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "sharing/InboxReceiver.h"
#include "sharing/LanConnection.h"
#include "sharing/MergeGate.h"
#include "sharing/MergeHost.h"
#include "sharing/Questions.h"
#include "sharing/SharingPaths.h"
#include "sharing/TopicSender.h"
#include "store/Clock.h"
#include "store/ContentFiles.h"
#include "store/RecordingLog.h"
#include "store/TContent.h"
#include "store/TNetDetails.h"
#include "store/TNimbusStructure.h"
#include "support/TempFolder.h"

namespace nimbus::test {

class AnsweredQuestions : public Questions {
public:
    explicit AnsweredQuestions(bool answer = true) : answer(answer) {}
    bool AskYesNo(const std::string &question) override
    {
        asked.push_back(question);
        return answer;
    }
    bool answer;
    std::vector<std::string> asked;
};

// The main window as the timers see it: the store is the master of order in these tests.
class RecordingHost : public MergeHost {
public:
    bool HasSelectedTopic() override { return selected; }
    void HoldOffSaves(bool) override { ++holdOffs; }
    void SyncStoreFromTree() override {}
    void BuildTree(const MergeChanges &) override { ++builds; }
    void ResumeSaves(bool) override { ++resumes; }
    void PlayEventSound(EventSound sound) override
    {
        sounds.push_back(sound);
        if (onSound)
            onSound();
    }
    bool selected = true;
    int holdOffs = 0;
    int builds = 0;
    int resumes = 0;
    std::vector<EventSound> sounds;
    std::function<void()> onSound;
};

inline void makeFolders(const std::string &dataFolder)
{
    for (const char *sub : {"", "Packs", "Text", "CheckList", "Outbox"})
        std::filesystem::create_directories(dataFolder + sub);
}

// One user of the LAN: a data folder seeded from the template store, the connection, the
// sender and the inbox timer.
struct LanUser {
    LanUser(const std::string &dataFolder, const std::string &shared, const std::string &name,
            const std::string &password, const Clock &clock)
        : paths(SharingPaths::inDataFolder(dataFolder, dataFolder + "install/")),
          recentNew(TNimbusStructure::Role::IdList), connection(net, clock, log),
          sender(connection, paths, clock, log), receiver(connection, paths, gate, log)
    {
        makeFolders(dataFolder);
        store.SetPaths(dataFolder, NIMBUS_TEMPLATE_FOLDER);
        store.LoadStructure();
        net.SetDataFolder(dataFolder);
        net.net = shared;
        net.pw = password;
        net.user = name;
    }
    int tagOf(const std::string &name) const
    {
        for (std::size_t i = 0; i < net.users.size(); ++i)
            if (net.users[i] == name)
                return static_cast<int>(i);
        return -2;
    }
    ReceiveOutcome tick() { return receiver.timerCheckInboxTimer(store, recentNew, host); }

    SharingPaths paths;
    RecordingLog log;
    TNimbusStructure store;
    TNimbusStructure recentNew;
    TNetDetails net;
    LanConnection connection;
    TopicSender sender;
    MergeGate gate;
    InboxReceiver receiver;
    RecordingHost host;
};

// A node at a level, added at position index (or the end) of store.
inline TNimbusNode &addNode(TNimbusStructure &store, const std::string &uni, int lev,
                            const std::string &text, int type = 1, int index = -1)
{
    auto node = std::make_unique<TNimbusNode>(uni);
    node->lev = lev;
    node->text = text;
    node->type = type;
    TNimbusNode &made = *node;
    store.Insert(index < 0 ? store.Count() : index, std::move(node));
    return made;
}

// Gives the user's topic its two default pages with content: a details page and a checklist
// with one item, written to the user's data folder.
inline void fillDefaultPages(LanUser &user, const std::string &uni)
{
    const ContentFolders folders = user.paths.content();
    TContent &content = user.store.Find(uni)->LoadContent(folders, user.log);
    ASSERT_EQ(content.pages.size(), 2u);
    ASSERT_TRUE(content::SaveDetails(*content.pages[0], folders, "{\\rtf1 details}", 0, true,
                                     user.log));
    ASSERT_TRUE(content::SaveChecklist(*content.pages[1], folders,
                                       {ChecklistItem{false, "buy paint", {}, {}}}, user.log));
    ASSERT_TRUE(content::WriteContent(content, user.log));
}

// Store records, one "key=value" CR LF line per entry of lines ("uni=-1", "lev=1", ...).
inline std::string records(const std::vector<std::string> &lines)
{
    std::string bytes;
    for (const std::string &line : lines)
        bytes += line + "\r\n";
    return bytes;
}

// The ids of a store's list in order.
inline std::vector<std::string> idsOf(const TNimbusStructure &store)
{
    std::vector<std::string> ids;
    for (const auto &entry : store.Entries())
        ids.push_back(entry.node->uni);
    return ids;
}

} // namespace nimbus::test
