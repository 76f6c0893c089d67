// What a server sends back is untrusted: the XML reader resolves namespaces whatever the
// prefixes, decodes references, refuses DTDs, unknown entities and runaway nesting; the
// multistatus reader keeps only properties found; addresses that would send a password in
// the clear are refused.
#include <gtest/gtest.h>

#include <fstream>

#include "caldav/DavXml.h"
#include "caldav/DetailsPages.h"
#include "caldav/Multistatus.h"
#include "caldav/ServerAddress.h"
#include "caldav/SyncEngine.h"

namespace nimbus::caldav {
namespace {

TEST(DavXml, NamespacesReferencesAndCdataWhateverThePrefixes)
{
    const XmlDocument doc = parseXml(
        "\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<!-- a comment -->"
        "<x:multistatus xmlns:x=\"DAV:\"><x:response xmlns=\"urn:ietf:params:xml:ns:caldav\">"
        "<x:href>/a%20b/c.ics</x:href><calendar-data><![CDATA[BEGIN:<VCALENDAR>]]>&amp;&#233;&#x1F600;</calendar-data>"
        "<comp name='VTODO'/></x:response></x:multistatus>");
    ASSERT_TRUE(doc.ok) << doc.error;
    EXPECT_TRUE(doc.root.is(kDavNs, "multistatus"));
    const XmlElement *data = doc.root.find(kCalDavNs, "calendar-data");
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->text, "BEGIN:<VCALENDAR>&\xC3\xA9\xF0\x9F\x98\x80");
    EXPECT_EQ(doc.root.find(kCalDavNs, "comp")->attribute("name"), "VTODO");
    EXPECT_EQ(doc.root.find(kDavNs, "href")->text, "/a%20b/c.ics");
}

TEST(DavXml, HostileOrBrokenAnswersAreRefusedWithAReason)
{
    for (const std::string &bad : {
             std::string("<!DOCTYPE x [<!ENTITY a \"aaaa\">]><x>&a;</x>"),
             std::string("<d:x xmlns:d=\"DAV:\">&unknown;</d:x>"),
             std::string("<d:x xmlns:d=\"DAV:\"><d:y></d:x>"),
             std::string("<q:x/>"),
             std::string("<x>&#0;</x>"),
             std::string("<x attr=unquoted/>"),
             std::string("<x/><y/>"),
             std::string(""),
             std::string(200, '<'),
         }) {
        const XmlDocument doc = parseXml(bad);
        EXPECT_FALSE(doc.ok) << bad;
        EXPECT_FALSE(doc.error.empty()) << bad;
    }
    std::string deep;
    for (int i = 0; i < kMaxXmlDepth + 1; ++i)
        deep += "<a>";
    for (int i = 0; i < kMaxXmlDepth + 1; ++i)
        deep += "</a>";
    EXPECT_NE(parseXml(deep).error.find("deeply"), std::string::npos);
}

// The peak memory of this process so far, in bytes (each test runs in a process of its own).
std::size_t peakMemory()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stoull(line.substr(6)) * 1024;
    return 0;
}

// An answer of almost two million tiny elements is read a response at a time: what it costs
// is the few resources it lists, not a tree of every element (about 400 MB when kept).
TEST(Multistatus, MillionsOfTinyElementsCostTheResourcesTheyListNotATree)
{
    std::string body = "<d:multistatus xmlns:d=\"DAV:\">";
    for (int i = 0; i < 1'900'000; ++i)
        body += i % 2 ? "<a/>" : "<d:b/>";
    body +=
        "<d:response><d:href>/cal/a.ics</d:href><d:propstat><d:prop><d:getetag>\"1\"</d:getetag>"
        "</d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response></d:multistatus>";
    const std::size_t before = peakMemory();
    const Multistatus ms = readMultistatus(body);
    ASSERT_TRUE(ms.ok) << ms.error;
    ASSERT_EQ(ms.resources.size(), 1u);
    EXPECT_EQ(ms.resources[0].etag, "\"1\"");
#ifndef __SANITIZE_ADDRESS__ // the sanitizer keeps freed memory aside
    EXPECT_LT(peakMemory() - before, 16u * 1024 * 1024);
#endif

    // Past the most entries one answer may list: refused with a reason, never half taken.
    std::string many = "<d:multistatus xmlns:d=\"DAV:\">";
    for (std::size_t i = 0; i <= kMaxResources; ++i)
        many += "<d:response><d:href>/c/" + std::to_string(i) + "</d:href></d:response>";
    many += "</d:multistatus>";
    const Multistatus refused = readMultistatus(many);
    EXPECT_FALSE(refused.ok);
    EXPECT_TRUE(refused.resources.empty());
    EXPECT_NE(refused.error.find("more than 100000 entries"), std::string::npos) << refused.error;
}

TEST(Multistatus, OnlyPropertiesFoundAreTakenAndRemovalsKeepTheirStatus)
{
    const Multistatus ms = readMultistatus(
        "<d:multistatus xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\">"
        "<d:response><d:href>/cal/</d:href><d:propstat><d:prop><d:resourcetype><d:collection/><c:calendar/></d:resourcetype>"
        "<d:displayname> Work </d:displayname><c:supported-calendar-component-set><c:comp name=\"VEVENT\"/></c:supported-calendar-component-set>"
        "<d:supported-report-set><d:supported-report><d:report><d:sync-collection/></d:report></d:supported-report></d:supported-report-set>"
        "</d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat>"
        "<d:propstat><d:prop><d:getetag>\"never\"</d:getetag></d:prop><d:status>HTTP/1.1 404 Not Found</d:status></d:propstat></d:response>"
        "<d:response><d:href>/cal/gone.ics</d:href><d:status>HTTP/1.1 404 Not Found</d:status></d:response>"
        "<d:sync-token>http://example.org/sync/7</d:sync-token></d:multistatus>");
    ASSERT_TRUE(ms.ok) << ms.error;
    ASSERT_EQ(ms.resources.size(), 2u);
    const DavResource &cal = ms.resources[0];
    EXPECT_TRUE(cal.isCalendar);
    EXPECT_EQ(cal.displayName, "Work");
    EXPECT_EQ(cal.components, std::vector<std::string>{"VEVENT"});
    EXPECT_TRUE(cal.syncCollection);
    EXPECT_TRUE(cal.etag.empty());
    EXPECT_EQ(ms.resources[1].status, 404);
    EXPECT_EQ(ms.syncToken, "http://example.org/sync/7");
    EXPECT_FALSE(readMultistatus("<d:error xmlns:d=\"DAV:\"/>").ok);
}

// Which privilege sets let this user change a calendar's entries; one the server does not
// report (found only under 404) says nothing either way.
TEST(Multistatus, PrivilegeSetsTellWhetherACalendarMayBeChanged)
{
    const auto read = [](const std::string &privileges, const std::string &status = "200 OK") {
        const Multistatus ms = readMultistatus(
            "<D:multistatus xmlns:D=\"DAV:\" "
            "xmlns:C=\"urn:ietf:params:xml:ns:caldav\"><D:response><D:href>/cal/</D:href>"
            "<D:propstat><D:prop><D:current-user-privilege-set>" +
            privileges + "</D:current-user-privilege-set></D:prop><D:status>HTTP/1.1 " + status +
            "</D:status></D:propstat>"
            "</D:response></D:multistatus>");
        EXPECT_TRUE(ms.ok) << ms.error;
        return ms.resources.empty() ? DavResource{} : ms.resources.front();
    };
    const std::string readOnly =
        "<D:privilege><D:read/></D:privilege><D:privilege><C:read-free-busy/></D:privilege>"
        "<D:privilege><D:write-acl/></D:privilege>";
    EXPECT_TRUE(read(readOnly).privilegesKnown);
    EXPECT_FALSE(read(readOnly).writable);
    EXPECT_FALSE(read("").writable);
    // A privilege of another namespace with a DAV name grants nothing.
    EXPECT_FALSE(read("<D:privilege><x:write xmlns:x=\"urn:example\"/></D:privilege>").writable);
    for (const char *granted : {"all", "write", "write-content", "bind", "unbind"})
        EXPECT_TRUE(read(readOnly + "<D:privilege><D:" + granted + "/></D:privilege>").writable)
            << granted;
    EXPECT_FALSE(read("<D:privilege><D:write/></D:privilege>", "404 Not Found").privilegesKnown);
}

// The words of a note, whatever the white space between them: the plain text an HTML
// description shows and the plain description compare alike while they say the same.
TEST(DetailsPages, TextsCompareByTheirWords)
{
    EXPECT_TRUE(sameWords("Bring the\r\n  keys ", "Bring the keys"));
    EXPECT_TRUE(sameWords("Bring\xC2\xA0the\tkeys", "\nBring the keys\n\n"));
    EXPECT_TRUE(sameWords("", "  \n"));
    EXPECT_FALSE(sameWords("Bring the keys", "Bring the key"));
    EXPECT_FALSE(sameWords("Bring the keys", "Bringthe keys"));
    EXPECT_FALSE(sameWords("Call Anna", ""));
}

TEST(ServerAddress, PasswordsNeverTravelInTheClear)
{
    EXPECT_EQ(refusalOf("https://dav.example.org/cal/"), "");
    EXPECT_EQ(refusalOf("http://127.0.0.1:5232/"), "");
    EXPECT_EQ(refusalOf("http://[::1]:5232/"), "");
    EXPECT_EQ(refusalOf("http://localhost/"), "");
    EXPECT_NE(refusalOf("http://dav.example.org/"), "");
    EXPECT_NE(refusalOf("http://127.0.0.1.example.org/"), "");
    EXPECT_NE(refusalOf("https://user:pw@dav.example.org/"), "");
    EXPECT_NE(refusalOf("ftp://dav.example.org/"), "");
    EXPECT_NE(refusalOf("dav.example.org"), "");
}

TEST(ServerAddress, HrefsResolveAndPathsCompareDecoded)
{
    EXPECT_EQ(resolveHref("https://h.org:8443/a/b/", "/c/d.ics"), "https://h.org:8443/c/d.ics");
    EXPECT_EQ(resolveHref("https://h.org/a/b/", "d.ics"), "https://h.org/a/b/d.ics");
    EXPECT_EQ(resolveHref("https://h.org/a/", "https://other.org/x"), "https://other.org/x");
    EXPECT_EQ(normalPath("https://h.org/a%20b/c%40d.ics"), "/a b/c@d.ics");
    EXPECT_EQ(normalPath(encodePath("/a b/c@d%.ics")), "/a b/c@d%.ics");
    EXPECT_EQ(entryPathFor("/cal", "0a1b-12@nimbus-desk/../x"), "/cal/0a1b-12-nimbus-desk-..-x.ics");
}

}  // namespace
}  // namespace nimbus::caldav
