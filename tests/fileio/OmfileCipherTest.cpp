// The enciphered container: key from the file name, exact bytes on disk, and reading plain or
// short files through the enciphered open.
#include "TempFolder.h"

#include "fileio/OMFILE.h"

#include <cctype>
#include <cstring>

using namespace nimbus::fileio;

namespace {

using Strings = std::vector<std::string>;

class OmfileCipherTest : public TempFolderTest {
protected:
    void writeEnciphered(const std::string &name, const Strings &names, const Strings &values)
    {
        OMFILEPtr file = openEnciphered(path(name), "W", 0);
        ASSERT_TRUE(file);
        EXPECT_TRUE(writeEncipheredPairs(*file, names, values));
        EXPECT_TRUE(close(file));
    }

    void readEnciphered(const std::string &name, Strings &names, Strings &values)
    {
        OMFILEPtr file = openEnciphered(path(name), "R", 0);
        ASSERT_TRUE(file);
        readPairs(*file, names, values);
        close(file);
    }
};

TEST(CipherKey, NameIsPaddedWithTheFillerOrCut)
{
    EXPECT_EQ(std::strlen(kKeyFiller), 29u);
    for (const char *c = kKeyFiller; *c; ++c)
        EXPECT_TRUE(std::isgraph(static_cast<unsigned char>(*c))) << *c;
    EXPECT_EQ(cipherKeyFor("/some/folder/net.txt"),
              ("net.txt" + std::string(kKeyFiller)).substr(0, 33));
    // A short name needs the filler twice.
    EXPECT_EQ(cipherKeyFor("a"),
              (std::string("a").append(kKeyFiller).append(kKeyFiller)).substr(0, 33));
    const std::string longName = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.dat";
    EXPECT_EQ(cipherKeyFor("/x/" + longName), longName.substr(0, 33));
}

TEST_F(OmfileCipherTest, ContainerBytesOnDisk)
{
    writeEnciphered("k.dat", {"a", "c"}, {"b", "d"});
    // Header, then "a=b\r\nc=d\r\n" XOR "k.datNimbus..." with the key position running on
    // from the first line into the second.
    EXPECT_EQ(get("k.dat"), std::string("ZQENCR01\x0a\x13\x06\x6c\x7e\x2d\x54\x09\x6f\x7f", 18));

    // Past 33 bytes the key starts again at its first byte.
    writeEnciphered("w.dat", {"n"}, {std::string(40, 'v')});
    const std::string bytes = get("w.dat");
    ASSERT_EQ(bytes.size(), 8u + 44u);
    EXPECT_EQ(bytes[8 + 33], static_cast<char>('v' ^ 'w'));
}

TEST_F(OmfileCipherTest, RoundTripKeepsPairsExactly)
{
    const std::string binary("\x01\xff\x80\x7f", 4);
    const Strings names = {"Password", " spaced ", "long" + std::string(5000, 'n'), "e"};
    const Strings values = {" secret ", "x=y\tz", std::string(5000, 'q'), binary};
    writeEnciphered("net.txt", names, values);
    EXPECT_EQ(get("net.txt").find("secret"), std::string::npos);
    Strings readNames, readValues;
    readEnciphered("net.txt", readNames, readValues);
    EXPECT_EQ(readNames, names);
    EXPECT_EQ(readValues, values);
}

TEST_F(OmfileCipherTest, LongFileNamesUseTheirFirst33Characters)
{
    const std::string name = "ThisNameIsLongerThanThirtyThreeChars-1.dat";
    writeEnciphered(name, {"user"}, {"anna"});
    const std::string key = name.substr(0, 33);
    EXPECT_EQ(get(name)[8], static_cast<char>('u' ^ key[0]));
    Strings names, values;
    readEnciphered(name, names, values);
    EXPECT_EQ(values, Strings{"anna"});
    // A name that differs only after character 33 shares the key.
    std::filesystem::rename(path(name), path(name.substr(0, 33) + "-other"));
    readEnciphered(name.substr(0, 33) + "-other", names, values);
    EXPECT_EQ(values, Strings{"anna"});
}

TEST_F(OmfileCipherTest, RenamingMakesPairsUnreadableUntilRenamedBack)
{
    writeEnciphered("net.txt", {"Folder", "User"}, {"/srv/lan", "anna"});
    std::filesystem::rename(path("net.txt"), path("moved.txt"));
    Strings names, values;
    readEnciphered("moved.txt", names, values);
    EXPECT_EQ(std::find(names.begin(), names.end(), "User"), names.end());
    std::filesystem::rename(path("moved.txt"), path("net.txt"));
    readEnciphered("net.txt", names, values);
    EXPECT_EQ(names, (Strings{"Folder", "User"}));
    EXPECT_EQ(values, (Strings{"/srv/lan", "anna"}));
}

TEST_F(OmfileCipherTest, PlainAndShortFilesAreReadAsTheyStand)
{
    put("plain.txt", " a = b \r\nc=d");
    Strings names, values;
    readEnciphered("plain.txt", names, values);
    EXPECT_EQ(names, (Strings{" a ", "c"})); // not trimmed, unlike a plain open
    EXPECT_EQ(values, (Strings{" b ", "d"}));

    put("short.txt", "ZQENCR0");
    OMFILEPtr file = openEnciphered(path("short.txt"), "R", 0);
    ASSERT_TRUE(file);
    std::string text;
    EXPECT_EQ(readLine(*file, text), 7);
    EXPECT_EQ(text, "ZQENCR0");
    close(file);

    // The header alone is an empty container; the version digits are not examined.
    put("header.txt", "ZQENCR99");
    file = openEnciphered(path("header.txt"), "R", 0);
    ASSERT_TRUE(file);
    EXPECT_TRUE(file->atEnd);
    EXPECT_EQ(readLine(*file, text), -1);
    close(file);
}

TEST_F(OmfileCipherTest, PairsNeverGoOutInClear)
{
    // writePairs on an enciphered file writes the container, not clear text.
    OMFILEPtr file = openEnciphered(path("pw.txt"), "W", 0);
    ASSERT_TRUE(file);
    EXPECT_TRUE(writePairs(*file, {"pw"}, {"hunter2"}));
    EXPECT_TRUE(close(file));
    EXPECT_TRUE(get("pw.txt").starts_with("ZQENCR01"));
    EXPECT_EQ(get("pw.txt").find("hunter2"), std::string::npos);

    // The enciphered writer refuses a plain object instead of writing with no key.
    file = openPlain(path("plain.txt"), "W", 0);
    ASSERT_TRUE(file);
    EXPECT_FALSE(writeEncipheredPairs(*file, {"pw"}, {"x"}));
    close(file);
}

} // namespace
