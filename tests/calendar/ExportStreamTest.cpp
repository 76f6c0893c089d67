// An export written entry by entry: the file is the same as one made whole, it leaves in pieces
// as it is made, nothing goes out before the first topic, and pages read only for the export
// are let go again.
#include <gtest/gtest.h>

#include <filesystem>

#include "calendar/CalendarTestSupport.h"
#include "calendar/IcsWriter.h"
#include "calendar/TopicExport.h"
#include "store/ContentFiles.h"
#include "store/TNimbusStructure.h"
#include "store/TopicCodes.h"
#include "support/TempFolder.h"

namespace nimbus::calendar {
namespace {

TEST(ExportStream, EntriesLeaveAsTheyAreMadeAndTheFileIsTheSameAsOneMadeWhole)
{
    test::ScopedZone zone("Europe/Berlin");
    test::TempFolder root;
    const ContentFolders folders = ContentFolders::inDataFolder(root.path());
    for (const std::string &folder : {folders.packs, folders.text, folders.checkList})
        std::filesystem::create_directories(folder);
    TNimbusStructure store;
    auto section = std::make_unique<TNimbusNode>("STD0001");
    section->type = kSectionTopics;
    store.Append(std::move(section));
    for (int i = 0; i < 3000; ++i) {
        auto node = std::make_unique<TNimbusNode>(std::to_string(i + 1));
        node->lev = 1 + i % 3;
        node->type = kSectionTopics;
        node->ttype = i % 2 ? kTopicTask : kTopicEvent;
        node->text = "Topic " + std::to_string(i);
        node->dl = true;
        node->dlDate = "202406" + std::to_string(10 + i % 18);
        store.Append(std::move(node));
    }
    // Two topics with details pages: one shown in the window (its pages held), one not.
    for (const char *uni : {"5", "6"}) {
        TNimbusNode &node = *store.Find(uni);
        TContent &content = node.LoadContent(folders, NullStoreLog::instance());
        content.AddDefaultPages();
        ASSERT_TRUE(content::SaveDetails(*content.pages[0], folders, std::string("Notes of ") + uni,
                                         0, true, NullStoreLog::instance()));
        ASSERT_TRUE(content::WriteContent(content, NullStoreLog::instance()));
    }
    store.Find("6")->content.reset();
    store.Find("6")->contentLoaded = false;
    const ExportSource source{&folders, nullptr, &NullStoreLog::instance()};

    std::vector<std::string> pieces;
    CalendarStream stream({"20240310-120000"},
                          [&pieces](std::string_view bytes) { pieces.emplace_back(bytes); });
    std::size_t handed = exportTopics(store, 0, ExportScope::Everything, "0123456789abcdef", source,
                                      [&](CalendarTopic &topic) {
                                          if (topic.node.uni == "1") {
                                              EXPECT_TRUE(pieces.empty()) << "the header waits";
                                          }
                                          stream.add(topic);
                                      });
    EXPECT_EQ(handed, 3000u);
    EXPECT_GT(pieces.size(), 2u) << "pieces leave while topics are still being made";
    stream.finish();
    std::string streamed;
    for (const std::string &piece : pieces) {
        EXPECT_TRUE(piece.ends_with("\r\n"));
        streamed += piece;
    }
    EXPECT_TRUE(store.Find("5")->contentLoaded) << "pages the window holds stay held";
    EXPECT_FALSE(store.Find("6")->contentLoaded) << "pages read for the export are let go";

    const std::string whole =
        writeCalendar(collectTopics(store, 0, ExportScope::Everything, "0123456789abcdef", source),
                      {"20240310-120000"});
    EXPECT_EQ(streamed, whole);
    EXPECT_NE(whole.find("DESCRIPTION:Notes of 5"), std::string::npos);
    EXPECT_NE(whole.find("DESCRIPTION:Notes of 6"), std::string::npos);
    EXPECT_TRUE(validateCalendar(whole).empty());

    // A stream given no topic hands nothing over, so a refused export writes nothing.
    bool called = false;
    CalendarStream empty({"20240310-120000"}, [&called](std::string_view) { called = true; });
    EXPECT_EQ(empty.added(), 0u);
    EXPECT_FALSE(called);
}

} // namespace
} // namespace nimbus::calendar
