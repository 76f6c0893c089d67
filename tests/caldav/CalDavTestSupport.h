// Data folders for the sync tests: a store with a "Topics" section and a "Calendar" topic
// whose sub-topics are synced, read and changed the way the program does it.
#pragma once

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "caldav/CurlTransport.h"
#include "caldav/SyncSession.h"
#include "store/TNimbusStructure.h"
#include "store/TopicCodes.h"
#include "support/TempFolder.h"

namespace nimbus::test {

inline constexpr const char *kSyncedTopic = "2";

class RecordingLog : public StoreLog {
public:
    void AddToLog(const std::string &m) override { lines.push_back(m); }
    void AddErrorToLog(const std::string &m, const std::string &d) override { lines.push_back(m + d); }
    bool has(const std::string &part) const
    {
        for (const auto &l : lines)
            if (l.find(part) != std::string::npos)
                return true;
        return false;
    }
    std::vector<std::string> lines;
};

// One data folder of its own.
class DataFolder {
public:
    DataFolder()
    {
        writeFile(folder_ / "Structure.dat",
                  "uni=1\r\ntext=Topics\r\nlev=0\r\ntype=1\r\nuni=2\r\ntext=Calendar\r\nlev=1\r\ntype=1\r\nttype=2\r\n"
                  "uni=3\r\ntext=Not synced\r\nlev=1\r\ntype=1\r\n");
        writeFile(folder_ / "StructUnique.dat", "00000010");
    }
    const std::string &path() const { return folder_.path(); }

    std::unique_ptr<TNimbusStructure> load() const
    {
        auto store = std::make_unique<TNimbusStructure>();
        store->SetPaths(path(), path());
        store->LoadStructure();
        return store;
    }
    // Loads the store, lets change edit it and saves it.
    void edit(const std::function<void(TNimbusStructure &)> &change) const
    {
        auto store = load();
        change(*store);
        ASSERT_TRUE(store->SaveStructure());
    }

    caldav::SyncReport sync(const caldav::TransportSettings &account, const std::string &calendar, bool syncCollection = true)
    {
        caldav::CurlTransport transport(account);
        return sync(transport, calendar, syncCollection);
    }
    caldav::SyncReport sync(caldav::HttpTransport &transport, const std::string &calendar, bool syncCollection = true,
                            std::size_t wholeUploadMinimum = caldav::kWholeUploadMinimum)
    {
        caldav::SessionSettings settings;
        settings.dataFolder = path();
        settings.calendarUrl = calendar;
        settings.subtree = kSyncedTopic;
        settings.useSyncCollection = syncCollection;
        settings.wholeUploadMinimum = wholeUploadMinimum;
        settings.confirmRemovals = confirmRemovals;
        return caldav::syncDataFolder(transport, settings, log);
    }

    RecordingLog log;
    // The user's answer when a sync would remove many topics at once; none keeps them.
    std::function<bool(const std::string &)> confirmRemovals;

private:
    TempFolder folder_;
};

// The real transport with a hook that runs before each request is sent, so that a test can
// change the server at an exact point of a sync (with requests of its own), and a record of
// the requests.
class InterposingTransport : public caldav::HttpTransport {
public:
    explicit InterposingTransport(const caldav::TransportSettings &account) : real_(account) {}
    caldav::HttpResponse send(const caldav::HttpRequest &asked) override
    {
        caldav::HttpRequest request = asked;
        if (rewrite)
            rewrite(request);
        if (before)
            before(request);
        sent.push_back(request.method + " " + request.url);
        caldav::HttpResponse response = real_.send(request);
        if (after)
            after(request, response);
        return response;
    }
    int count(const std::string &methodAndUrl) const
    {
        return static_cast<int>(std::count(sent.begin(), sent.end(), methodAndUrl));
    }
    int countMethod(const std::string &method) const
    {
        return static_cast<int>(std::count_if(sent.begin(), sent.end(),
                                              [&](const std::string &s) { return s.rfind(method + " ", 0) == 0; }));
    }
    std::function<void(const caldav::HttpRequest &)> before;
    // Changes the request on its way to the server.
    std::function<void(caldav::HttpRequest &)> rewrite;
    // Runs on each answer before the sync sees it, to play a server that answers otherwise.
    std::function<void(const caldav::HttpRequest &, caldav::HttpResponse &)> after;
    std::vector<std::string> sent;

private:
    caldav::CurlTransport real_;
};

inline std::string headerOf(const caldav::HttpRequest &request, const std::string &name)
{
    for (const auto &[n, v] : request.headers)
        if (n == name)
            return v;
    return {};
}

// Adds a topic at the end of parent's sub-topics; returns its id.
inline std::string addTopic(TNimbusStructure &store, const std::string &parent, const std::string &title,
                            const std::function<void(TNimbusNode &)> &setup = {})
{
    const int at = store.IndexOf(parent);
    const int level = store.Node(at)->lev;
    int end = at + 1;
    while (end < store.Count() && store.Node(end)->lev > level)
        ++end;
    auto node = std::make_unique<TNimbusNode>(std::to_string(store.NextUnique()));
    node->text = title;
    node->lev = level + 1;
    node->type = kSectionTopics;
    node->ttype = kTopicTask;
    node->status = kStatusNotStarted;
    node->durtype = kUnitDays;
    node->cre = "20261201-090000";
    if (setup)
        setup(*node);
    const std::string uni = node->uni;
    store.Insert(end, std::move(node));
    return uni;
}

// The synced topic's sub-topics as "parent/child" title paths, sorted (the order of siblings
// that arrive from the server is the server's).
inline std::vector<std::string> outline(const TNimbusStructure &store)
{
    std::vector<std::string> lines, chain;
    const int at = store.IndexOf(kSyncedTopic);
    const int level = store.Node(at)->lev;
    for (int i = at + 1; i < store.Count() && store.Node(i)->lev > level; ++i) {
        chain.resize(static_cast<std::size_t>(store.Node(i)->lev - level - 1));
        chain.push_back(store.Node(i)->text);
        std::string path;
        for (const auto &part : chain)
            path += (path.empty() ? "" : "/") + part;
        lines.push_back(path);
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

inline TNimbusNode *findTitle(const TNimbusStructure &store, const std::string &title)
{
    for (int i = 0; i < store.Count(); ++i)
        if (store.Node(i)->text == title)
            return store.Node(i);
    return nullptr;
}

}  // namespace nimbus::test
