// The saved searches' file on disk: what is saved is read back exactly whatever the name holds,
// damaged lines are reported, skipped and kept through a rewrite, and a file that cannot be
// read is never written over.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "search/SavedSearches.h"
#include "support/TempFolder.h"

namespace nimbus::test {
namespace {

using search::SavedSearches;

std::string readAll(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeAll(const std::string &path, const std::string &bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST(SavedSearches, AnyNameAndQueryComeBackExactlyInTheOrderSaved)
{
    TempFolder data;
    const std::vector<std::pair<std::string, std::string>> saved = {
        {"Work", "report type:task due:<7d"},
        {"tab\there, line\nend, back\\slash \\t", "\"blue door\" -red"},
        {"# not a comment", "urgent"},
        {"bell\x07 and \x7f, caf\xc3\xa9 \xe6\x9d\xb1\xe4\xba\xac &Co", "東京 -\"x\ty\""},
        {"=;\"'$(rm -rf)", "section:Topics"},
    };
    SavedSearches writer(data.path());
    for (const auto &[name, query] : saved)
        ASSERT_TRUE(writer.save(name, query)) << writer.errorText();
    ASSERT_TRUE(writer.save("  Work  ", "status:waiting"))
        << "the same name after trimming replaces";

    const std::string bytes = readAll(data / SavedSearches::kFileName);
    std::size_t lines = 0;
    for (char c : bytes)
        lines += c == '\n';
    EXPECT_EQ(lines, saved.size() + 1) << "one heading and one line per search:\n" << bytes;

    SavedSearches reader(data.path());
    ASSERT_TRUE(reader.load());
    EXPECT_TRUE(reader.problems().empty()) << reader.problems().front();
    ASSERT_EQ(reader.searches().size(), saved.size());
    for (std::size_t i = 0; i < saved.size(); ++i) {
        EXPECT_EQ(reader.searches()[i].name, saved[i].first);
        EXPECT_EQ(reader.searches()[i].query, i == 0 ? "status:waiting" : saved[i].second);
    }
    ASSERT_NE(reader.find(" # not a comment "), nullptr);
    EXPECT_EQ(reader.find("work"), nullptr) << "names are exact";

    ASSERT_TRUE(writer.remove(saved[1].first));
    EXPECT_FALSE(writer.remove("never saved"));
    ASSERT_TRUE(reader.load());
    EXPECT_EQ(reader.searches().size(), saved.size() - 1);
    EXPECT_EQ(reader.find(saved[1].first), nullptr);

    EXPECT_FALSE(writer.save("   ", "x")) << "no name";
    EXPECT_FALSE(writer.save("Empty", " \t")) << "no query";
}

TEST(SavedSearches, DamagedLinesAreReportedSkippedAndKeptThroughARewrite)
{
    TempFolder data;
    const std::string path = data / SavedSearches::kFileName;
    writeAll(path, "# heading\n"
                   "Good\tbudget 2024\r\n"
                   "no tab at all\n"
                   "\tno name\n"
                   "Broken \\q escape\tx\n"
                   "Cut escape\\x4\tx\n"
                   "Empty query\t  \n"
                   "Good\ttaken twice\n"
                   "two\ttabs\there\n"
                   "\n"
                   "Last\tcut without a line end");
    SavedSearches saved(data.path());
    ASSERT_TRUE(saved.load());
    ASSERT_EQ(saved.searches().size(), 2u);
    EXPECT_EQ(saved.searches()[0].query, "budget 2024") << "a CR before the line end is dropped";
    EXPECT_EQ(saved.searches()[1].name, "Last");
    ASSERT_EQ(saved.problems().size(), 7u);
    EXPECT_EQ(saved.problems()[0].rfind("line 3: ", 0), 0u) << saved.problems()[0];
    EXPECT_NE(saved.problems()[6].find("line 9"), std::string::npos) << saved.problems()[6];

    ASSERT_TRUE(saved.save("New", "garden"));
    const std::string rewritten = readAll(path);
    for (const char *kept : {"no tab at all\n", "\tno name\n", "Broken \\q escape\tx\n",
                             "Good\ttaken twice\n", "two\ttabs\there\n"})
        EXPECT_NE(rewritten.find(kept), std::string::npos) << kept << " in\n" << rewritten;
    SavedSearches again(data.path());
    ASSERT_TRUE(again.load());
    EXPECT_EQ(again.searches().size(), 3u);
    EXPECT_EQ(again.problems().size(), 7u);
}

TEST(SavedSearches, AFileThatCannotBeReadIsNeverWrittenOver)
{
    TempFolder data;
    const std::string path = data / SavedSearches::kFileName;
    std::filesystem::create_directory(path); // a folder in the file's place
    SavedSearches saved(data.path());
    EXPECT_FALSE(saved.load());
    EXPECT_FALSE(saved.save("Work", "report"));
    EXPECT_TRUE(std::filesystem::is_directory(path));
    std::filesystem::remove(path);

    if (::geteuid() != 0) { // root reads whatever the bits say
        writeAll(path, "Work\treport\n");
        ::chmod(path.c_str(), 0);
        EXPECT_FALSE(saved.load());
        EXPECT_FALSE(saved.save("Home", "garden"));
        EXPECT_FALSE(saved.errorText().empty());
        ::chmod(path.c_str(), 0600);
        EXPECT_EQ(readAll(path), "Work\treport\n");
    }
}

} // namespace
} // namespace nimbus::test
