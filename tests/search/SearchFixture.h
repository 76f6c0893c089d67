// A data folder with a small store in several languages: titles, RTF and plain details pages
// and checklists, tasks with due dates, urgency and statuses, two sections.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "search/SearchIndex.h"
#include "search/SearchResults.h"
#include "sharing/SharingTestSupport.h"
#include "store/ContentFiles.h"
#include "store/TopicCodes.h"

namespace nimbus::test {

class SearchStore : public ::testing::Test {
protected:
    SearchStore()
        : clock(DateTime::fromCivil(2024, 3, 10, 9, 0, 0)), folders(ContentFolders::inDataFolder(root.path())),
          index(root / "Search.db", folders, log)
    {
        makeFolders(root.path());
        addNode(store, "STD0001", 0, "Topics", 1);
        TNimbusNode &cafe = addNode(store, "10", 1, "Café budget", 1);
        cafe.status = kStatusWaiting;
        cafe.urgent = true;
        cafe.dlDate = "20240313";
        details("10", "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Le caf\\'e9 est tr\\'e8s bon.\\par "
                      "R\\'e9union \\'e0 Gen\\'e8ve}");
        checklist("10", {"buy milk", "call Zoë"});
        TNimbusNode &trip = addNode(store, "11", 1, "Reise nach München", 1);
        trip.status = kStatusNotStarted;
        trip.dlDate = "20240330";
        details("11", "Die Straße ist lang. Grüße aus Köln");
        addNode(store, "12", 2, "Ελληνικά", 1).ttype = kTopicInformation;
        details("12", "{\\rtf1\\uc1 \\u922?\\u945?\\u955?\\u951?\\u956?\\u941?\\u961?\\u945? "
                      "\\u954?\\u972?\\u963?\\u956?\\u949?}");
        addNode(store, "13", 1, "Москва notes", 1).ttype = kTopicIdea;
        checklist("13", {"купить хлеб", "молоко"});
        addNode(store, "14", 1, "東京 trip", 1).ttype = kTopicEvent;
        details("14", "東京タワーに行く");
        TNimbusNode &door = addNode(store, "15", 1, "Blue door", 1);
        door.status = kStatusCompleted;
        details("15", "paint the blue door red");
        addNode(store, "STD0005", 0, "Product information", 5);
        addNode(store, "20", 1, "Manual", 5).ttype = kTopicGeneral;
        details("20", "blue manual door");
    }

    // Gives the topic a page of the kind (adding it to the page list) with these bytes.
    THyperData &page(const std::string &uni, int kind) {
        TNimbusNode &node = *store.Find(uni);
        TContent &content = node.contentLoaded ? *node.content : node.LoadContent(folders, log);
        if (content.pages.empty()) content.AddDefaultPages();
        for (auto &p : content.pages)
            if (p->con == kind) return *p;
        return content.AddPage(kind, kind == kPageDetails ? "Details" : "Checklist");
    }
    void details(const std::string &uni, const std::string &bytes) {
        THyperData &p = page(uni, kPageDetails);
        ASSERT_TRUE(content::SaveDetails(p, folders, bytes, 0, true, log));
        ASSERT_TRUE(content::WriteContent(*store.Find(uni)->content, log));
    }
    void checklist(const std::string &uni, const std::vector<std::string> &texts) {
        std::vector<ChecklistItem> items;
        for (const std::string &t : texts) items.push_back(ChecklistItem{false, t, {}, {}});
        THyperData &p = page(uni, kPageChecklist);
        ASSERT_TRUE(content::SaveChecklist(p, folders, items, log));
        ASSERT_TRUE(content::WriteContent(*store.Find(uni)->content, log));
    }

    std::vector<search::TopicEntry> snapshot() const {
        std::vector<search::TopicEntry> topics;
        for (int i = 0; i < store.Count(); ++i)
            topics.push_back({std::string(store.Id(i)), store.Node(i)->text});
        return topics;
    }

    // "uni:places" of each topic found, in order; the places that hold a word, in the order
    // the result lists them: "10:TP" title and a page, "13:C" a checklist, "11:" filters alone.
    static std::string placesOf(const search::SearchResult &r)
    {
        std::string out = r.topic + ":";
        for (const search::TextHit &t : r.places)
            out += "TPC"[static_cast<int>(t.kind)];
        return out;
    }
    std::vector<std::string> find(search::SearchIndex &in, const std::string &text,
                                  std::size_t limit = 100)
    {
        std::vector<std::string> out;
        for (const search::SearchResult &r :
             search::RunSearch(&in, search::ParseQuery(text), store, clock, limit))
            out.push_back(placesOf(r));
        return out;
    }
    std::vector<std::string> find(const std::string &text) { return find(index, text); }

    using V = std::vector<std::string>;
    TempFolder root;
    FixedClock clock;
    ContentFolders folders;
    RecordingLog log;
    TNimbusStructure store;
    search::SearchIndex index;
};

}  // namespace nimbus::test
