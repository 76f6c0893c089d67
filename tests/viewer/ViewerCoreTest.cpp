// The viewer's rules without a window: table lines, sort keys, the options file and the
// options dialog's OK semantics.
#include <gtest/gtest.h>

#include "fileio/FolderOps.h"
#include "support/TempFolder.h"
#include "viewer/ColumnSort.h"
#include "viewer/DisplayLines.h"
#include "viewer/FileDisplayOptions.h"
#include "viewer/FileListTable.h"
#include "viewer/OptionsDialogRules.h"
#include "viewer/SortState.h"
#include "viewer/TableContent.h"
#include "viewer/TableLine.h"
#include "viewer/ViewerRules.h"

using namespace nimbus;
using namespace nimbus::viewer;
using Fields = std::vector<std::string>;

TEST(TableLine, SplitsQuotedEmptyAndTrailingFields)
{
    EXPECT_EQ(splitTableLine(R"(a,"b,c",d)"), (Fields{"a", "b,c", "d"}));
    EXPECT_EQ(splitTableLine("a,,b"), (Fields{"a", "", "b"}));
    EXPECT_EQ(splitTableLine(",a"), (Fields{"", "a"}));
    EXPECT_EQ(splitTableLine("a,b,"), (Fields{"a", "b"}));
    EXPECT_EQ(splitTableLine("  a  ,   b "), (Fields{"a", "b"}));
    // Text after a closing quote up to the separator is dropped; quoted blanks stay.
    EXPECT_EQ(splitTableLine(R"(" x "junk,y)"), (Fields{" x ", "y"}));
    // An unterminated quote runs to the end of the line.
    EXPECT_EQ(splitTableLine(R"(a,"b,c)"), (Fields{"a", "b,c"}));
    EXPECT_TRUE(splitTableLine("").empty());
}

TEST(TableLine, JoinedFieldsReadBackUnchanged)
{
    const std::vector<Fields> rows = {
        {"a", "b,c", "d"}, {" lead", "trail ", ""}, {"", "x"}, {"plain"}, {"a", "", ""}};
    for (const Fields &row : rows)
        EXPECT_EQ(splitTableLine(joinTableLine(row)), row) << joinTableLine(row);
    EXPECT_EQ(joinTableLine({"a", "b,c"}), R"(a,"b,c")");
}

TEST(ColumnSort, DateKeysRearrangeToYearMonthDay)
{
    EXPECT_EQ(sortKey(ColumnType::Date1, "31/12/99"), "20991231");
    EXPECT_EQ(sortKey(ColumnType::Date1, "01/01/2000"), "20000101");
    EXPECT_EQ(sortKey(ColumnType::Date2, "12/31/1999"), "19991231");
    EXPECT_EQ(sortKey(ColumnType::Date2, "12/31/99"), "20991231");
    EXPECT_EQ(sortKey(ColumnType::Date3, "99/12/31"), "2099/12/31");
    EXPECT_EQ(sortKey(ColumnType::Date3, "1999/12/31"), "1999/12/31");
    EXPECT_EQ(sortKey(ColumnType::Date4, "19991231"), "19991231");
    // Cells of other lengths (and short ones) are used as they are, never read past.
    EXPECT_EQ(sortKey(ColumnType::Date1, "1/2"), "1/2");
    EXPECT_EQ(sortKey(ColumnType::Date1, ""), "");
    EXPECT_EQ(sortKey(ColumnType::Text, "MiXed"), "mixed");
}

TEST(ColumnSort, NumbersCompareByValueAndNonNumbersComeFirst)
{
    EXPECT_LT(compareCells(ColumnType::Number, "9", "10"), 0);
    EXPECT_GT(compareCells(ColumnType::Text, "9", "10"), 0);
    EXPECT_LT(compareCells(ColumnType::Number, "-2.5", " 1e1 "), 0);
    EXPECT_EQ(compareCells(ColumnType::Number, "+3", "3.0"), 0);
    EXPECT_LT(compareCells(ColumnType::Number, "n/a", "-1000"), 0);
    EXPECT_EQ(compareCells(ColumnType::Text, "ABC", "abc"), 0);
    EXPECT_EQ(columnTypeFromName("date3"), ColumnType::Date3);
    EXPECT_EQ(columnTypeFromName("bogus"), ColumnType::Text);
}

TEST(TableContent, SortsStablyBothWaysAndSkipsEndOfFileMarks)
{
    const std::vector<std::string> lines = {"Name,Amount,Date", "b,10,31/12/99",
                                            "a,9,01/01/2000",   std::string(1, '\x1a'),
                                            "c,10,15/06/2001",  "d,x,"};
    const TableContent content = TableContent::fromTableLines(lines, true);
    EXPECT_EQ(content.headings(), (Fields{"Name", "Amount", "Date"}));
    ASSERT_EQ(content.rowCount(), 4u);
    EXPECT_EQ(content.lineNumber(2), 5); // the end-of-file line is not a row
    EXPECT_EQ(content.cell(3, 2), "");   // short rows read as empty cells

    auto names = [&](const std::vector<std::uint32_t> &order) {
        std::string out;
        for (std::uint32_t row : order)
            out += content.cell(row, 0);
        return out;
    };
    EXPECT_EQ(names(content.sortedOrder(1, ColumnType::Number, true)), "dabc");
    EXPECT_EQ(names(content.sortedOrder(1, ColumnType::Number, false)), "bcad");
    EXPECT_EQ(names(content.sortedOrder(2, ColumnType::Date1, true)), "dacb");
    EXPECT_EQ(names(content.sortedOrder(2, ColumnType::Date1, false)), "bcad");
}

TEST(TableContent, HostileLinesAreBoundedInColumns)
{
    const TableContent content =
        TableContent::fromTableLines({std::string(100000, ',') + "x"}, false);
    EXPECT_EQ(content.columnCount(), TableContent::kMaxColumns);
}

TEST(SortStateTest, SecondClickReversesOtherColumnSortsAscending)
{
    SortState state;
    EXPECT_TRUE(state.click(2, false));
    EXPECT_EQ(state.imageIndex(2), 1);
    EXPECT_TRUE(state.click(2, false));
    EXPECT_EQ(state.imageIndex(2), 0);
    EXPECT_EQ(state.imageIndex(1), -1);
    EXPECT_TRUE(state.click(1, false));
    EXPECT_TRUE(state.ascending());
    EXPECT_FALSE(state.click(3, true)); // a rotated table is not sorted
    EXPECT_EQ(state.column(), 1);
}

TEST(ViewerRulesTest, DisplayKindAndRefreshDecision)
{
    EXPECT_EQ(displayKindFor(""), DisplayKind::Text);
    EXPECT_EQ(displayKindFor("plaintext"), DisplayKind::Text);
    EXPECT_EQ(displayKindFor("list"), DisplayKind::List);
    EXPECT_EQ(displayKindFor("table"), DisplayKind::Table);

    const FileStamp seen{100, 50};
    EXPECT_FALSE(shouldRefresh(true, true, seen, seen));
    EXPECT_TRUE(shouldRefresh(true, true, {100, 60}, seen)); // same second, grown
    EXPECT_TRUE(shouldRefresh(true, true, {101, 50}, seen));
    EXPECT_FALSE(shouldRefresh(false, true, {101, 50}, seen));
    EXPECT_FALSE(shouldRefresh(true, false, {101, 50}, seen)); // an old version on display
    EXPECT_FALSE(shouldRefresh(true, true, {-1, -1}, seen));   // the file is gone
}

TEST(ViewerRulesTest, CaptionsPreferColumnListThenHeadingFileThenHeadingLine)
{
    FileDisplayOptions options;
    options.columnHeadings = {"Own", ""};
    options.columnDisplay = {"visible", "hidden"};
    options.columnWidths = {"55", "wide"};
    const auto columns = tableColumns(options, 4, {"L0", "L1", "L2"}, {"F0", "F1"});
    ASSERT_EQ(columns.size(), 4u);
    EXPECT_EQ(columns[0].caption, "Own");
    EXPECT_EQ(columns[1].caption, "F1");
    EXPECT_EQ(columns[2].caption, "L2");
    EXPECT_EQ(columns[3].caption, "");
    EXPECT_EQ(columns[0].width, 55);
    EXPECT_EQ(columns[1].width, FileDisplayOptions::kDefaultColumnWidth);
    EXPECT_TRUE(columns[1].hidden);
}

TEST(FileDisplayOptionsTest, FileNamesFollowTheShownFile)
{
    EXPECT_EQ(FileDisplayOptions::optionsFileFor("/x/y/report.csv", "/d/"), "/d/report.~csv");
    EXPECT_EQ(FileDisplayOptions::optionsFileFor("/x/MainLog.txt", "/d/"), "/d/MainLog.~txt");
    EXPECT_EQ(FileDisplayOptions::workingFileFor("/d/MainLog.~txt"), "/d/MainLog.~tmp");
    EXPECT_EQ(FileDisplayOptions::workingFileFor("/home/~g/$Nimbus/a.~txt"),
              "/home/~g/$Nimbus/a.~tmp");
}

TEST(FileDisplayOptionsTest, MissingFileKeepsDefaults)
{
    test::TempFolder dir;
    FileDisplayOptions options;
    options.optionsFile = dir / "none.~txt";
    EXPECT_FALSE(options.load());
    EXPECT_EQ(options.fontSize, 8);
    EXPECT_EQ(options.top, -1);
    EXPECT_EQ(options.sortColumn, -1);
    EXPECT_TRUE(options.infoType.empty());
    EXPECT_FALSE(options.columns);
}

TEST(FileDisplayOptionsTest, SavesEveryKeyInOrderAndReadsItBack)
{
    test::TempFolder dir;
    FileDisplayOptions options;
    options.optionsFile = dir / "report.~csv";
    options.top = 10;
    options.left = 20;
    options.height = 300;
    options.width = 400;
    options.infoType = "table";
    options.columns = true;
    options.headings = true;
    options.sorted = true;
    options.sortColumn = 1;
    options.ascending = true;
    options.fontSize = 11;
    options.headingFile = "/h/heads.txt";
    options.columnHeadings = {"Name", "Amount"};
    options.columnWidths = {"120", "60"};
    options.columnDisplay = {"visible", "hidden"};
    options.columnTypes = {"text", "number"};
    ASSERT_TRUE(options.save());

    EXPECT_EQ(test::readFile(dir / "report.~csv"),
              "Top=10\r\nLeft=20\r\nHeight=300\r\nWidth=400\r\nInfoType=table\r\nOpenEnd=N\r\n"
              "LineNumbers=N\r\nColumns=Y\r\nRotated=N\r\nHeadings=Y\r\nHeadingsFromFile=N\r\n"
              "HeadingFile=/h/heads.txt\r\nShowTemplate=N\r\nSorted=Y\r\nSortColumn=1\r\n"
              "Ascending=Y\r\nFontSize=11\r\nCH0=Name\r\nCH1=Amount\r\nCW0=120\r\nCW1=60\r\n"
              "CD0=visible\r\nCD1=hidden\r\nCT0=text\r\nCT1=number\r\n");
    EXPECT_FALSE(fileio::fileExists(dir / "report.~tmp"));

    FileDisplayOptions loaded;
    loaded.optionsFile = options.optionsFile;
    ASSERT_TRUE(loaded.load());
    EXPECT_EQ(loaded.pairs(), options.pairs());
}

TEST(FileDisplayOptionsTest, DamagedValuesFallBackAndOddColumnKeysAreIgnored)
{
    FileDisplayOptions options;
    options.applyPairs({"Top", "FontSize", "Columns", "SortColumn", "CH", "CHx", "CH2", "CW-1",
                        "CT99999999", "CD1024", "Unknown"},
                       {"12px", "", "yes", "2", "a", "b", "third", "5", "number", "hidden", "z"});
    EXPECT_EQ(options.top, -1);
    EXPECT_EQ(options.fontSize, 8);
    EXPECT_FALSE(options.columns); // only "Y" sets a flag
    EXPECT_EQ(options.sortColumn, 2);
    EXPECT_EQ(options.columnHeadings, (Fields{"", "", "third"}));
    EXPECT_TRUE(options.columnWidths.empty());
    EXPECT_TRUE(options.columnTypes.empty());
    EXPECT_TRUE(options.columnDisplay.empty());
}

TEST(OptionsDialog, OkSetsChangedOnlyWhenSomethingSavedDiffers)
{
    FileDisplayOptions options;
    options.columnHeadings = {"A", "B"};
    OptionsDialogValues values = dialogValuesFrom(options);
    applyDialogValues(options, values, -1, true);
    EXPECT_FALSE(options.changed);
    EXPECT_EQ(options.infoType, "text");

    // "Always open at the end" alone is a change that must be kept.
    values.openEnd = true;
    applyDialogValues(options, values, -1, true);
    EXPECT_TRUE(options.changed);
    EXPECT_TRUE(options.openEnd);

    options.changed = false;
    values = dialogValuesFrom(options);
    values.columns = true;
    values.sorted = true;
    applyDialogValues(options, values, 1, false);
    EXPECT_TRUE(options.changed);
    EXPECT_EQ(options.infoType, "table");
    EXPECT_EQ(options.sortColumn, 1);
    EXPECT_FALSE(options.ascending);
}

TEST(OptionsDialog, ResetColumnsKeepsHeadingsAndIsWrittenBack)
{
    FileDisplayOptions options;
    options.columnHeadings = {"Name", "Amount"};
    options.columnTypes = {"date1", "number"};
    options.columnDisplay = {"hidden", "visible"};
    OptionsDialogValues values = dialogValuesFrom(options);
    resetColumnDetails(values);
    applyDialogValues(options, values, -1, true);
    EXPECT_TRUE(options.changed);
    EXPECT_EQ(options.columnHeadings, (Fields{"Name", "Amount"}));
    EXPECT_EQ(options.columnTypes, (Fields{"text", "text"}));
    EXPECT_EQ(options.columnDisplay, (Fields{"visible", "visible"}));
    EXPECT_EQ(fontSizeFromText("12"), 12);
    EXPECT_EQ(fontSizeFromText("big"), 10);
}

TEST(DisplayLinesTest, ReadsLinesAndWritesTableCopiesInShownOrder)
{
    test::TempFolder dir;
    test::writeFile(dir / "t.csv", "H1,H2\r\nb,\"x,y\"\r\na,z\r\n");
    std::vector<std::string> lines;
    ASSERT_TRUE(readDisplayLines(dir / "t.csv", lines));
    const TableContent content = TableContent::fromTableLines(lines, true);
    ASSERT_TRUE(writeTableCopy(dir / "copy.csv", content,
                               content.sortedOrder(0, ColumnType::Text, true), true));
    EXPECT_EQ(test::readFile(dir / "copy.csv"), "H1,H2\r\na,z\r\nb,\"x,y\"\r\n");
    EXPECT_FALSE(readDisplayLines(dir / "missing.txt", lines));
}

TEST(FileListTableTest, RecordsSideBySideWithTemplateOnRequest)
{
    test::TempFolder dir;
    test::writeFile(dir / "prod.txt", "name=\r\nversion=\r\n");
    test::writeFile(dir / "prod-a.txt", "version=1.0\r\nname=Alpha\r\n");
    test::writeFile(dir / "prod-b.txt", "name=Beta\r\nextra=1\r\n");
    const std::vector<std::string> files = {dir / "prod-a.txt", dir / "prod-b.txt",
                                            dir / "prod.txt"};

    const FileListTable table = buildFileListTable(files, dir / "prod.txt", false);
    EXPECT_EQ(table.captions, (Fields{"Name", "prod-a.txt", "prod-b.txt"}));
    ASSERT_EQ(table.content.rowCount(), 3u);
    EXPECT_EQ(table.content.rowFields(0), (Fields{"name", "Alpha", "Beta"}));
    EXPECT_EQ(table.content.rowFields(1), (Fields{"version", "1.0", ""}));
    EXPECT_EQ(table.content.rowFields(2), (Fields{"extra", "", "1"}));

    EXPECT_EQ(buildFileListTable(files, dir / "prod.txt", true).captions.size(), 4u);
}
