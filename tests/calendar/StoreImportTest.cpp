// Exporting from and importing into a real store in a temporary data folder: scopes, re-import
// by UID, pages and checklists written, and a failed import leaving the store as it was.
#include <gtest/gtest.h>

#include <filesystem>

#include "calendar/CalendarImport.h"
#include "calendar/CalendarTestSupport.h"
#include "calendar/IcsWriter.h"
#include "calendar/TopicExport.h"
#include "store/Clock.h"
#include "store/ContentFiles.h"
#include "store/TNimbusStructure.h"
#include "store/TopicCodes.h"
#include "support/TempFolder.h"

namespace nimbus::calendar {
namespace {

class StoreImport : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char *sub : {"Packs", "Text", "CheckList"})
            std::filesystem::create_directory(folder / sub);
        folders = ContentFolders::inDataFolder(folder.path());
        store.SetFileName(folder / "Structure.dat");
        store.SetUniqueFileName(folder / "StructUnique.dat");
        section("1", "Topics", kSectionTopics);
        topic("10", 1, "Project", kTopicTask);
        topic("11", 2, "Kick-off", kTopicEvent).dlDate = "20240610";
        topic("12", 3, "Agenda", kTopicInformation);
        topic("13", 1, "Holiday", kTopicEvent);
        section("2", "Contacts", kSectionContacts);
        topic("20", 1, "Ann", kTopicGeneral);
        store.SetUnique(100);
        links.Load(folder.path());
    }
    void section(const std::string &uni, const std::string &title, int kind)
    {
        auto node = std::make_unique<TNimbusNode>(uni);
        node->text = title;
        node->type = kind;
        store.Append(std::move(node));
    }
    TNimbusNode &topic(const std::string &uni, int lev, const std::string &title, int ttype)
    {
        auto node = std::make_unique<TNimbusNode>(uni);
        node->lev = lev;
        node->text = title;
        node->ttype = ttype;
        node->type = store.Node(0)->type;
        node->dl = ttype == kTopicEvent;
        node->dlDate = "20240601";
        TNimbusNode &ref = *node;
        store.Append(std::move(node));
        return ref;
    }
    std::vector<std::string> titles(int from = 0) const
    {
        std::vector<std::string> out;
        for (int i = from; i < store.Count(); ++i)
            out.push_back(std::string(static_cast<std::size_t>(store.Node(i)->lev), '-') + store.Node(i)->text);
        return out;
    }
    ImportTarget target(int place)
    {
        return ImportTarget{&store, place, &links, &folders, nullptr, &clock, nullptr};
    }

    test::ScopedZone zone{"Europe/Paris"};
    test::TempFolder folder;
    ContentFolders folders;
    TNimbusStructure store;
    CalendarLinks links;
    FixedClock clock{DateTime::fromCivil(2024, 5, 1, 9, 0, 0)};
};

TEST_F(StoreImport, ScopesTakeTheRightTopicsWithTheirParents)
{
    ExportSource none;
    auto topics = collectTopics(store, 2, ExportScope::TopicWithSubtopics, links.installation(), none);
    ASSERT_EQ(topics.size(), 2u);
    EXPECT_EQ(topics[0].node.text, "Kick-off");
    EXPECT_EQ(topics[0].parentUid, "");  // the top of what is exported
    EXPECT_EQ(topics[1].parentUid, topics[0].uid);
    EXPECT_EQ(collectTopics(store, 3, ExportScope::Section, links.installation(), none).size(), 4u);
    EXPECT_EQ(collectTopics(store, 0, ExportScope::Everything, links.installation(), none).size(), 5u);
    EXPECT_TRUE(collectTopics(store, 99, ExportScope::Section, links.installation(), none).empty());
}

TEST_F(StoreImport, OwnExportComesBackAsUpdatesAndForeignFilesUpdateByUid)
{
    // Our own export, imported into the same store, finds its topics again.
    const std::string ours = writeCalendar(collectTopics(store, 1, ExportScope::Section, links.installation(), {}), {});
    store.Node(2)->text = "Changed meanwhile";
    const ReadResult read = readCalendar(ours);
    ASSERT_TRUE(read.ok);
    ImportPreview preview = previewImport(read, target(0));
    EXPECT_TRUE(preview.added.empty());
    EXPECT_EQ(preview.updated.size(), 4u);
    const auto before = titles();
    ASSERT_TRUE(applyImport(read, target(0)).ok);
    EXPECT_EQ(store.Node(2)->text, "Kick-off");
    EXPECT_EQ(store.Count(), 7);

    // Another program's file: new topics under the chosen place, in the file's tree, with
    // pages; the same file again updates them.
    const std::string foreign =
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:x\r\n"
        "BEGIN:VTODO\r\nUID:child@x\r\nSUMMARY:Child\r\nRELATED-TO:parent@x\r\nEND:VTODO\r\n"
        "BEGIN:VTODO\r\nUID:parent@x\r\nSUMMARY:Parent\r\nDESCRIPTION:Notes\r\n"
        "ATTENDEE;CN=Bob:mailto:bob@example.com\r\nEND:VTODO\r\nEND:VCALENDAR\r\n";
    ReadResult second = readCalendar(foreign);
    ASSERT_TRUE(second.ok);
    ImportOutcome outcome = applyImport(second, target(4));  // under "Holiday"
    EXPECT_EQ(outcome.added, 2);
    EXPECT_EQ(titles(), (std::vector<std::string>{"Topics", "-Project", "--Kick-off", "---Agenda", "-Holiday",
                                                  "--Parent", "---Child", "Contacts", "-Ann"}));
    TNimbusNode *parent = store.Node(5);
    EXPECT_EQ(parent->type, kSectionTopics);
    EXPECT_EQ(parent->cre, "20240501-090000");
    EXPECT_EQ(parent->dac, 1);
    THyperData *details = parent->content->FindPage(1);
    std::string bytes;
    ASSERT_TRUE(content::LoadDetails(*details, folders, bytes, NullStoreLog::instance()));
    EXPECT_EQ(bytes, "Notes\n\nAttendee: Bob mailto:bob@example.com");

    CalendarLinks reloaded;
    reloaded.Load(folder.path());
    EXPECT_EQ(reloaded.installation(), links.installation());
    EXPECT_EQ(reloaded.topicFor("parent@x"), parent->uni);
    links = reloaded;
    second = readCalendar(foreign);
    outcome = applyImport(second, target(0));
    EXPECT_EQ(outcome.added, 0);
    EXPECT_EQ(outcome.updated, 2);
    EXPECT_EQ(store.Count(), 9);
}

// New topics hanging from several topics at once (the place, topics already in the store, one
// inside another, new topics, a loop of parents) go where one-by-one placing put them: each at
// the end of its parent's subtree at the moment it was placed, in the file's order.
TEST_F(StoreImport, NewTopicsUnderSeveralParentsGoWhereTheyWouldOneByOne)
{
    const auto ours = collectTopics(store, 1, ExportScope::Section, links.installation(), {});
    ASSERT_EQ(ours[0].node.text, "Project");
    ASSERT_EQ(ours[1].node.text, "Kick-off");
    std::string file = writeCalendar(ours, {});
    file.erase(file.rfind("END:VCALENDAR"));
    auto entry = [](const std::string &uid, const std::string &title, const std::string &parent) {
        return "BEGIN:VTODO\r\nUID:" + uid + "\r\nSUMMARY:" + title + "\r\n" +
               (parent.empty() ? "" : "RELATED-TO:" + parent + "\r\n") + "END:VTODO\r\n";
    };
    file += entry("up@x", "Under project", ours[0].uid) + entry("child@x", "Child", "parent@x") +
            entry("uk@x", "Under kick-off", ours[1].uid) + entry("parent@x", "Parent", "") +
            entry("a@x", "Loop A", "b@x") + entry("b@x", "Loop B", "a@x") + "END:VCALENDAR\r\n";
    const ReadResult read = readCalendar(file);
    ASSERT_TRUE(read.ok) << read.error;
    const ImportOutcome outcome = applyImport(read, target(0));
    ASSERT_TRUE(outcome.ok) << outcome.error;
    EXPECT_EQ(outcome.added, 6);
    EXPECT_EQ(outcome.updated, 4);
    EXPECT_EQ(titles(), (std::vector<std::string>{"Topics", "-Project", "--Kick-off", "---Agenda",
                                                  "---Under kick-off", "--Under project",
                                                  "-Holiday", "-Parent", "--Child", "-Loop B",
                                                  "--Loop A", "Contacts", "-Ann"}));
    for (int i = 0; i < store.Count(); ++i)
        EXPECT_EQ(store.IndexOf(store.Node(i)->uni), i) << "the id index follows the list";
}

TEST_F(StoreImport, FailureBeforeAnyChangeLeavesTheStoreAsItWas)
{
    const ReadResult read = readCalendar(
        "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:e@x\r\nSUMMARY:E\r\nDTSTART:20240101\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
    ASSERT_TRUE(read.ok);
    const auto before = titles();
    store.SetUniqueFileName(folder / "no-such-folder/StructUnique.dat");
    const ImportOutcome outcome = applyImport(read, target(0));
    EXPECT_FALSE(outcome.ok);
    EXPECT_FALSE(outcome.error.empty());
    EXPECT_EQ(titles(), before);
    EXPECT_FALSE(store.modified);
    EXPECT_FALSE(std::filesystem::exists(folder / "Calendar.dat"));
    EXPECT_FALSE(applyImport(read, target(42)).ok);
}

}  // namespace
}  // namespace nimbus::calendar
