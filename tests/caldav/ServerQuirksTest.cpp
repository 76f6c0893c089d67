// Answers that the CalDAV and WebDAV standards allow and that common servers give, though the
// friendliest server never does: a listing cut short, no ETag after a PUT, a refused DELETE.
// A test of our own stands between the sync and a real Radicale on 127.0.0.1 and turns the
// server's real answers into those. Whatever the server says, no topic is lost here, none
// comes back after it was removed, and every sync after goes on. Also: conflict copies stay
// on this machine, and many topics gone from the server at once are asked about first.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "../calendar/CalendarTestSupport.h"
#include "CalDavTestSupport.h"
#include "CalendarOnServer.h"
#include "RadicaleServer.h"
#include "caldav/CalDavClient.h"
#include "caldav/CalDavDiscovery.h"
#include "caldav/CalendarAccount.h"
#include "caldav/Multistatus.h"
#include "caldav/RemovalGuard.h"
#include "caldav/ServerAddress.h"
#include "store/TopicCodes.h"

namespace nimbus::test {
namespace {

bool isListing(const caldav::HttpRequest &r)
{
    return (r.method == "REPORT" && r.body.find("sync-collection") != std::string::npos) ||
           (r.method == "PROPFIND" && headerOf(r, "Depth") == "1");
}

std::string tokenAsked(const caldav::HttpRequest &r)
{
    std::smatch m;
    return std::regex_search(r.body, m, std::regex("<d:sync-token>([^<]*)</d:sync-token>"))
               ? m[1].str()
               : "";
}

// The listing answer rebuilt with only its first `keep` entries, the calendar itself marked
// 507 (cut short), and `token` as the token to go on from (none when empty).
void cutShort(caldav::HttpResponse &response, const std::string &calendarUrl, std::size_t keep,
              const std::string &token)
{
    const caldav::Multistatus ms = caldav::readMultistatus(response.body);
    ASSERT_TRUE(ms.ok) << ms.error;
    const std::string collection = caldav::normalPath(calendarUrl);
    std::string body =
        "<?xml version=\"1.0\"?><d:multistatus xmlns:d=\"DAV:\"><d:response><d:href>" + collection +
        "</d:href><d:status>HTTP/1.1 507 Insufficient Storage</d:status></d:response>";
    std::size_t kept = 0;
    for (const caldav::DavResource &r : ms.resources) {
        if (caldav::normalPath(r.href) == collection || r.etag.empty() || kept == keep)
            continue;
        ++kept;
        body +=
            "<d:response><d:href>" + r.href + "</d:href><d:propstat><d:prop><d:getetag>" + r.etag +
            "</d:getetag></d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response>";
    }
    if (!token.empty())
        body += "<d:sync-token>" + token + "</d:sync-token>";
    response.body = body + "</d:multistatus>";
}

class ServerQuirks : public CalendarOnServer<RadicaleServer> {
protected:
    caldav::SyncReport sync(DataFolder &folder, caldav::HttpTransport &transport,
                            bool syncCollection = true)
    {
        caldav::SyncReport report = folder.sync(transport, calendar_, syncCollection);
        EXPECT_TRUE(report.ok) << report.summary();
        return report;
    }
    caldav::SyncReport sync(DataFolder &folder, bool syncCollection = true)
    {
        caldav::CurlTransport plain(server_->account());
        return sync(folder, plain, syncCollection);
    }
    std::map<std::string, std::string> serverEtags()
    {
        caldav::CurlTransport transport(server_->account());
        caldav::CalDavClient client(transport);
        const caldav::Listing listing = client.listAll(calendar_, false);
        EXPECT_TRUE(listing.ok) << listing.error;
        return listing.items;
    }
    void removeOnServer(std::size_t count)
    {
        caldav::CurlTransport transport(server_->account());
        caldav::CalDavClient client(transport);
        std::size_t removed = 0;
        for (const auto &[path, etag] : serverEtags()) {
            if (removed++ < count) {
                ASSERT_TRUE(
                    client.remove(server_->root() + caldav::encodePath(path).substr(1), etag).ok());
            }
        }
    }
    static std::vector<std::string> titles(int count)
    {
        std::vector<std::string> t;
        for (int i = 1; i <= count; ++i)
            t.push_back("Topic " + std::to_string(100 + i));
        return t;
    }
    static void addTopics(DataFolder &folder, int count)
    {
        folder.edit([&](TNimbusStructure &s) {
            for (const std::string &title : titles(count))
                addTopic(s, kSyncedTopic, title);
        });
    }
};

TEST_F(ServerQuirks, AListingCutShortNeverRemovesTheTopicsItDidNotList)
{
    DataFolder a;
    addTopics(a, 6);
    sync(a);
    ASSERT_EQ(outline(*a.load()).size(), 6u);

    // Listing by PROPFIND, cut to 3 of 6 by a result limit. (Each sync here has a change to
    // send, so that it lists the calendar.)
    InterposingTransport limited(server_->account());
    limited.after = [&](const caldav::HttpRequest &r, caldav::HttpResponse &response) {
        if (isListing(r) && response.status == 207)
            cutShort(response, calendar_, 3, {});
    };
    a.edit([](TNimbusStructure &s) { findTitle(s, "Topic 106")->text = "Topic 106 renamed"; });
    EXPECT_EQ(sync(a, limited, false).counts.removedHere, 0);
    EXPECT_EQ(outline(*a.load()).size(), 6u);
    EXPECT_EQ(serverEtags().size(), 6u);
    EXPECT_TRUE(a.log.has("listed only part of the calendar"));

    // A whole listing by sync-collection (the PROPFIND sync kept no token) cut short, with a
    // token to go on from: the sync asks for the rest.
    InterposingTransport paged(server_->account());
    paged.rewrite = [&](caldav::HttpRequest &r) {
        if (r.method == "REPORT" && tokenAsked(r) == "page-2")
            r.body = std::regex_replace(r.body, std::regex("page-2"), "");
    };
    paged.after = [&](const caldav::HttpRequest &r, caldav::HttpResponse &response) {
        if (r.method == "REPORT" && isListing(r) && paged.count("REPORT " + calendar_) == 1)
            cutShort(response, calendar_, 2, "page-2");
    };
    a.edit([](TNimbusStructure &s) { findTitle(s, "Topic 101")->text = "Topic 101 renamed"; });
    const caldav::SyncReport report = sync(a, paged);
    EXPECT_GE(paged.count("REPORT " + calendar_), 2);
    EXPECT_EQ(report.counts.removedHere, 0);
    EXPECT_EQ(report.counts.sent, 1);
    EXPECT_EQ(outline(*a.load()).size(), 6u);
    EXPECT_EQ(serverEtags().size(), 6u);

    // Cut short with nothing to go on from: nothing goes here, and the next sync lists the
    // whole calendar again, so that an entry really removed on the server goes then.
    DataFolder b;
    sync(b);
    ASSERT_EQ(outline(*b.load()).size(), 6u);
    removeOnServer(1);
    InterposingTransport stuck(server_->account());
    stuck.after = [&](const caldav::HttpRequest &r, caldav::HttpResponse &response) {
        if (r.method == "REPORT" && isListing(r) && response.status == 207)
            cutShort(response, calendar_, 2, "");
    };
    // b's token is refused as well, so the listing that is cut short is the whole one.
    stuck.rewrite = [](caldav::HttpRequest &r) {
        if (r.method == "REPORT" && !tokenAsked(r).empty())
            r.body = std::regex_replace(
                r.body, std::regex("<d:sync-token>[^<]*</d:sync-token>"),
                "<d:sync-token>http://radicale.org/ns/sync/unknown</d:sync-token>");
    };
    EXPECT_EQ(sync(b, stuck).counts.removedHere, 0);
    EXPECT_EQ(outline(*b.load()).size(), 6u);
    EXPECT_EQ(sync(b).counts.removedHere, 1);
    EXPECT_EQ(outline(*b.load()).size(), 5u);
}

TEST_F(ServerQuirks, AServerThatSendsNoEtagAfterAPutNeitherResurrectsNorReappliesTopics)
{
    // First the ETag is asked for after each PUT; then the server will not tell it there
    // either, and the listing that follows is compared by content.
    for (const bool etagKnownAfterAsking : {true, false}) {
        SCOPED_TRACE(etagKnownAfterAsking ? "ETag asked for" : "ETag never told");
        calendar_ = server_->makeCalendar(std::string("quirk-no-etag-") +
                                          (etagKnownAfterAsking ? "asked" : "never"));
        ASSERT_FALSE(calendar_.empty());
        DataFolder a;
        addTopics(a, 3);
        InterposingTransport quiet(server_->account());
        quiet.after = [&](const caldav::HttpRequest &r, caldav::HttpResponse &response) {
            if (r.method == "PUT")
                std::erase_if(response.headers, [](const auto &h) { return h.first == "etag"; });
            if (!etagKnownAfterAsking && r.method == "PROPFIND" && headerOf(r, "Depth") == "0" &&
                r.url.size() > 4 && r.url.substr(r.url.size() - 4) == ".ics") {
                response.status = 404;
                response.body.clear();
            }
        };
        EXPECT_EQ(sync(a, quiet).counts.sent, 3);
        const caldav::SyncReport second = sync(a, quiet);
        EXPECT_EQ(second.counts.received, 0);
        EXPECT_EQ(second.counts.conflicts, 0);

        a.edit([](TNimbusStructure &s) { s.Delete(s.IndexOf(findTitle(s, "Topic 102")->uni)); });
        EXPECT_EQ(sync(a, quiet).counts.deletedOnServer, 1);
        EXPECT_EQ(serverEtags().size(), 2u);
        const caldav::SyncReport after = sync(a, quiet);
        EXPECT_EQ(after.counts.received, 0);
        EXPECT_EQ(outline(*a.load()), (std::vector<std::string>{"Topic 101", "Topic 103"}));
    }
}

TEST_F(ServerQuirks, ARefusedRemovalBringsTheTopicBackAndLaterSyncsGoOn)
{
    DataFolder a;
    addTopics(a, 2);
    sync(a);
    a.edit([](TNimbusStructure &s) { s.Delete(s.IndexOf(findTitle(s, "Topic 101")->uni)); });

    InterposingTransport readOnly(server_->account());
    // The calendar is read-only: the server keeps the entry and answers 403.
    readOnly.rewrite = [](caldav::HttpRequest &r) {
        if (r.method == "DELETE")
            r.url += "-kept";
    };
    readOnly.after = [](const caldav::HttpRequest &r, caldav::HttpResponse &response) {
        if (r.method == "DELETE") {
            response.status = 403;
            response.body.clear();
        }
    };
    const caldav::SyncReport refused = sync(a, readOnly);
    EXPECT_EQ(refused.counts.refused, 1);
    EXPECT_EQ(outline(*a.load()), (std::vector<std::string>{"Topic 101", "Topic 102"}));
    EXPECT_TRUE(a.log.has("refused to remove"));
    EXPECT_EQ(serverEtags().size(), 2u);

    // Nothing is tried again, and other changes still go out.
    a.edit([](TNimbusStructure &s) { findTitle(s, "Topic 102")->text = "Topic 102 renamed"; });
    const caldav::SyncReport next = sync(a, readOnly);
    EXPECT_EQ(next.counts.sent, 1);
    EXPECT_EQ(next.counts.refused, 0);
    EXPECT_EQ(readOnly.countMethod("DELETE"), 1);
    DataFolder b;
    sync(b);
    EXPECT_EQ(outline(*b.load()), (std::vector<std::string>{"Topic 101", "Topic 102 renamed"}));
}

TEST_F(ServerQuirks, ConflictCopiesStayOnTheMachineThatMadeThemUntilRenamed)
{
    DataFolder a, b;
    addTopics(a, 1);
    sync(a);
    sync(b);
    a.edit([](TNimbusStructure &s) { findTitle(s, "Topic 101")->text = "Budget from a"; });
    b.edit([](TNimbusStructure &s) { findTitle(s, "Topic 101")->text = "Budget from b"; });
    sync(a);
    EXPECT_EQ(sync(b).counts.conflicts, 1);
    ASSERT_EQ(outline(*b.load()),
              (std::vector<std::string>{"Budget from b", "Conflict: Budget from a"}));

    for (int round = 0; round < 2; ++round) {
        sync(b);
        sync(a);
    }
    EXPECT_EQ(serverEtags().size(), 1u);
    EXPECT_EQ(outline(*a.load()), (std::vector<std::string>{"Budget from b"}));
    EXPECT_EQ(outline(*b.load()).size(), 2u);

    // Renamed, the copy is a topic of its own and travels.
    b.edit([](TNimbusStructure &s) {
        findTitle(s, "Conflict: Budget from a")->text = "Budget, a's draft";
    });
    sync(b);
    sync(a);
    EXPECT_EQ(outline(*a.load()), (std::vector<std::string>{"Budget from b", "Budget, a's draft"}));
}

TEST_F(ServerQuirks, ManyTopicsGoneFromTheServerAtOnceAreAskedAboutFirst)
{
    DataFolder a;
    addTopics(a, 20);
    sync(a);
    removeOnServer(15);

    std::vector<std::string> asked;
    a.confirmRemovals = [&](const std::string &question) {
        asked.push_back(question);
        return false;
    };
    const caldav::SyncReport kept = sync(a);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_NE(asked.front().find("15 of the 20"), std::string::npos) << asked.front();
    EXPECT_EQ(kept.counts.removedHere, 0);
    EXPECT_EQ(outline(*a.load()).size(), 20u);
    // Kept topics go back to the server.
    sync(a);
    EXPECT_EQ(serverEtags().size(), 20u);
    EXPECT_EQ(asked.size(), 1u);

    removeOnServer(15);
    a.confirmRemovals = [](const std::string &) { return true; };
    EXPECT_EQ(sync(a).counts.removedHere, 15);
    EXPECT_EQ(outline(*a.load()).size(), 5u);

    // A few at a time are not asked about.
    removeOnServer(2);
    a.confirmRemovals = {};
    EXPECT_EQ(sync(a).counts.removedHere, 2);
}

TEST_F(ServerQuirks, AServerThatAsksForDigestAloneGetsDigest)
{
    TempFolder dir;
    const std::string portFile = dir / "port";
    ChildProcess front("/usr/bin/python3",
                       {NIMBUS_DIGEST_PROXY, server_->root(), RadicaleServer::kUser,
                        RadicaleServer::kPassword, portFile},
                       {});
    ASSERT_TRUE(
        waitFor([&] { return std::filesystem::exists(portFile); }, std::chrono::seconds(20)));
    const std::string calendarThere =
        "http://127.0.0.1:" + readFile(portFile) + "/" + calendar_.substr(server_->root().size());

    DataFolder a;
    addTopics(a, 2);
    const caldav::SyncReport report = a.sync(server_->account(), calendarThere);
    EXPECT_TRUE(report.ok) << report.summary();
    EXPECT_EQ(report.counts.sent, 2);
    EXPECT_EQ(serverEtags().size(), 2u);
    // Basic was tried once, before the server said it wants Digest.
    const std::string basic = readFile(portFile + ".basic");
    EXPECT_EQ(std::count(basic.begin(), basic.end(), '\n'), 1) << basic;

    DataFolder b;
    const caldav::SyncReport wrong = b.sync(server_->account("not the password"), calendarThere);
    EXPECT_FALSE(wrong.ok);
    EXPECT_TRUE(wrong.authFailed) << wrong.summary();
}

// Servers name entries in their own spelling: absolute addresses, escapes where we sent plain
// characters. A forgotten sync token is answered by a whole listing. Nothing is lost, sent
// twice or taken for a change.
TEST_F(ServerQuirks, HrefsInAnotherSpellingAndAForgottenTokenChangeNothing)
{
    DataFolder a, b;
    addTopics(a, 3);
    InterposingTransport respelling(server_->account());
    int respelled = 0;
    respelling.after = [&](const caldav::HttpRequest &, caldav::HttpResponse &response) {
        if (response.status != 207)
            return;
        // <d:href>/alice/x-y.ics</d:href> -> <d:href>http://127.0.0.1:port/alice/x%2Dy.ics</d:href>
        std::string out;
        std::size_t at = 0;
        for (std::size_t open; (open = response.body.find("href>/", at)) != std::string::npos;) {
            const std::size_t close = response.body.find('<', open);
            out += response.body.substr(at, open + 5 - at) + server_->root().substr(0, server_->root().size() - 1);
            out += std::regex_replace(response.body.substr(open + 5, close - open - 5), std::regex("-"), "%2D");
            at = close;
            ++respelled;
        }
        response.body = out + response.body.substr(at);
    };
    EXPECT_EQ(sync(a, respelling).counts.sent, 3);
    sync(b, respelling);
    EXPECT_EQ(outline(*b.load()), titles(3));
    EXPECT_GT(respelled, 6);
    b.edit([](TNimbusStructure &s) { findTitle(s, "Topic 102")->text = "Topic 102 renamed"; });
    EXPECT_EQ(sync(b, respelling).counts.sent, 1);

    // The server no longer knows a's token.
    InterposingTransport forgetful(server_->account());
    forgetful.after = [&](const caldav::HttpRequest &r, caldav::HttpResponse &response) {
        if (r.method == "REPORT" && isListing(r) && !tokenAsked(r).empty()) {
            response.status = 403;
            response.body = "<?xml version=\"1.0\"?><d:error xmlns:d=\"DAV:\"><d:valid-sync-token/></d:error>";
        }
    };
    a.edit([](TNimbusStructure &s) { findTitle(s, "Topic 103")->pri = 2; });
    const caldav::SyncReport report = sync(a, forgetful);
    EXPECT_EQ(report.counts.sent, 1);
    EXPECT_EQ(report.counts.received, 1);
    EXPECT_EQ(report.counts.removedHere + report.counts.conflicts, 0);
    EXPECT_EQ(outline(*a.load()), outline(*b.load()));
    EXPECT_EQ(serverEtags().size(), 3u);
}

// A server that keeps none of our X- properties: the other folder gets what the standard
// properties say, and neither side takes the difference for a change of the other's.
TEST_F(ServerQuirks, AServerThatDropsOurExtraPropertiesCausesNoEndlessChanges)
{
    DataFolder a, b;
    a.edit([](TNimbusStructure &s) {
        addTopic(s, kSyncedTopic, "Waiting for the plumber", [](TNimbusNode &n) { n.status = kStatusWaiting, n.fav = true; });
        addTopic(s, kSyncedTopic, "Locked away", [](TNimbusNode &n) { n.lock = true; });
    });
    InterposingTransport stripping(server_->account());
    stripping.rewrite = [](caldav::HttpRequest &r) {
        if (r.method == "PUT")
            r.body = std::regex_replace(r.body, std::regex("X-NIMBUS-[^\r]*\r\n"), "");
    };
    sync(a, stripping);
    sync(b, stripping);
    EXPECT_EQ(outline(*b.load()), outline(*a.load()));
    for (int round = 0; round < 2; ++round) {
        for (DataFolder *folder : {&a, &b}) {
            const caldav::SyncReport quiet = sync(*folder, stripping);
            EXPECT_EQ(quiet.counts.sent + quiet.counts.received + quiet.counts.conflicts, 0) << quiet.summary();
        }
    }
    EXPECT_EQ(findTitle(*a.load(), "Waiting for the plumber")->status, kStatusWaiting);
    EXPECT_EQ(serverEtags().size(), 2u);
}

// The calendar moved (301): the sync fails with the reason and changes nothing here; it
// follows no redirect with the password.
TEST_F(ServerQuirks, AMovedCalendarFailsTheSyncAndLosesNothing)
{
    DataFolder a;
    addTopics(a, 2);
    sync(a);
    a.edit([](TNimbusStructure &s) { findTitle(s, "Topic 101")->text = "Topic 101 renamed"; });
    InterposingTransport moved(server_->account());
    moved.after = [&](const caldav::HttpRequest &, caldav::HttpResponse &response) {
        response.status = 301;
        response.headers = {{"location", "http://127.0.0.2:1/elsewhere/"}};
        response.body.clear();
    };
    const caldav::SyncReport failed = a.sync(moved, calendar_);
    EXPECT_FALSE(failed.ok);
    EXPECT_NE(failed.error.find("301"), std::string::npos) << failed.error;
    EXPECT_EQ(moved.countMethod("PUT") + moved.countMethod("DELETE"), 0);
    EXPECT_EQ(outline(*a.load()), (std::vector<std::string>{"Topic 101 renamed", "Topic 102"}));
    EXPECT_EQ(sync(a).counts.sent, 1);
}

// Values a server may send that would break a line: a UID with a line break is remembered
// (not taken for a new entry at every sync), an ETag with one never reaches a header.
TEST_F(ServerQuirks, ValuesWithLineBreaksAreKeptSafelyAndNeverSplitAHeader)
{
    caldav::CurlTransport transport(server_->account());
    caldav::CalDavClient client(transport);
    const std::string entry = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Odd//EN\r\nBEGIN:VTODO\r\n"
                              "UID:odd\\nuid@example.org\r\nDTSTAMP:20261201T080000Z\r\nSUMMARY:Odd one\r\n"
                              "END:VTODO\r\nEND:VCALENDAR\r\n";
    ASSERT_TRUE(client.put(calendar_ + "odd.ics", entry, "").ok());
    DataFolder a;
    for (int round = 0; round < 3; ++round)
        sync(a);
    EXPECT_EQ(outline(*a.load()), std::vector<std::string>{"Odd one"});
    EXPECT_EQ(serverEtags().size(), 1u);

    // The server's ETags now come with a line break and a header of their own.
    addTopics(a, 1);
    InterposingTransport hostile(server_->account());
    hostile.after = [](const caldav::HttpRequest &, caldav::HttpResponse &response) {
        response.body = std::regex_replace(response.body, std::regex("(getetag[^>]*>)\"([^\"<]*)\""),
                                           "$1\"$2&#13;&#10;X-Injected: yes\"");
        for (auto &[name, value] : response.headers)
            if (name == "etag")
                value += "\x01";
    };
    int split = 0;
    hostile.before = [&](const caldav::HttpRequest &r) {
        for (const auto &[name, value] : r.headers)
            split += value.find_first_of("\r\n\x01") != std::string::npos ? 1 : 0;
    };
    // Listed by PROPFIND, so that every entry comes with such an ETag.
    for (int round = 0; round < 3; ++round) {
        const caldav::SyncReport report = sync(a, hostile, false);
        EXPECT_EQ(report.counts.removedHere + report.counts.received, 0) << report.summary();
    }
    a.edit([](TNimbusStructure &s) {
        findTitle(s, "Odd one")->text = "Odd one, renamed";
        findTitle(s, "Topic 101")->text = "Topic 101, renamed";
    });
    EXPECT_EQ(sync(a, hostile, false).counts.sent, 2);
    EXPECT_EQ(split, 0);
    EXPECT_EQ(outline(*a.load()), (std::vector<std::string>{"Odd one, renamed", "Topic 101, renamed"}));
    EXPECT_EQ(serverEtags().size(), 2u);
}

// Discovery: a principal, calendar home or calendar that the server names on another server
// gets no request, so the password goes nowhere else; an account naming such a calendar is
// not synced.
TEST_F(ServerQuirks, AddressesOnAnotherServerNeverGetThePassword)
{
    const std::string elsewhere = "http://127.0.0.2:" + std::to_string(freeLoopbackPort());
    for (const char *moved : {"current-user-principal", "calendar-home-set", "calendar"}) {
        SCOPED_TRACE(moved);
        InterposingTransport pointing(server_->account());
        int pointed = 0;
        pointing.after = [&](const caldav::HttpRequest &r, caldav::HttpResponse &response) {
            if (std::string(moved) == "calendar") {
                // The calendar home's listing names every calendar on the other server.
                if (headerOf(r, "Depth") == "1") {
                    pointed += static_cast<int>(response.body.size());
                    response.body = std::regex_replace(response.body, std::regex("href>/"), "href>" + elsewhere + "/");
                }
                return;
            }
            const std::size_t at = response.body.find(std::string(moved) + ">");
            const std::size_t href = at == std::string::npos ? at : response.body.find("href>/", at);
            if (href != std::string::npos) {
                response.body.insert(href + 5, elsewhere);
                ++pointed;
            }
        };
        const caldav::DiscoveryResult found = caldav::discoverCalendars(pointing, server_->root());
        for (const std::string &sent : pointing.sent)
            EXPECT_EQ(sent.find(elsewhere), std::string::npos) << sent;
        EXPECT_GT(pointed, 0);
        EXPECT_TRUE(found.calendars.empty());
        if (std::string(moved) != "calendar") {
            EXPECT_NE(found.error.find("127.0.0.2"), std::string::npos) << found.error;
        }
    }

    caldav::CalendarAccount account;
    account.server = server_->root();
    account.calendars = {{calendar_, "Here", kSyncedTopic}, {elsewhere + "/alice/cal/", "There", "3"}};
    EXPECT_NE(caldav::serverProblem(account).find("\"There\""), std::string::npos);
    account.calendars.pop_back();
    EXPECT_EQ(caldav::serverProblem(account), "");
    EXPECT_TRUE(caldav::sameOrigin("https://a.example/x", "https://A.example:443/y"));
    EXPECT_FALSE(caldav::sameOrigin("https://a.example/x", "http://a.example/x"));
}

// A laptop synced in Berlin goes to London: the synced topics show London times for the same
// instants, and a rename made there moves nothing on the server.
TEST_F(ServerQuirks, AChangeOfThisComputersZoneMovesNothingOnTheServer)
{
    DataFolder a;
    a.edit([](TNimbusStructure &s) {
        addTopic(s, kSyncedTopic, "Club meeting", [](TNimbusNode &n) {
            n.ttype = kTopicEvent, n.dl = true, n.dlDate = "20261218", n.dlTime = "19:00:00", n.durno = 2,
            n.durtype = kUnitHours;
        });
        addTopic(s, kSyncedTopic, "Buy a present", [](TNimbusNode &n) { n.dl = true, n.dlDate = "20261220"; });
    });
    sync(a);
    auto startOnServer = [&] {
        caldav::CurlTransport transport(server_->account());
        caldav::CalDavClient client(transport);
        for (const auto &[path, etag] : serverEtags()) {
            int status = 0;
            std::string error;
            const std::string data = client.get(server_->root() + path.substr(1), status, error).data;
            if (data.find("Club meeting") != std::string::npos)
                return data.substr(data.find("DTSTART"), data.find("\r\n", data.find("DTSTART")) - data.find("DTSTART"));
        }
        return std::string();
    };
    const std::string before = startOnServer();
    EXPECT_EQ(before, "DTSTART:20261218T180000Z");
    {
        ScopedZone london("Europe/London");
        const caldav::SyncReport moved = sync(a);
        EXPECT_EQ(moved.counts.sent + moved.counts.received, 0) << moved.summary();
        EXPECT_TRUE(a.log.has("time zone is now Europe/London"));
        EXPECT_EQ(findTitle(*a.load(), "Club meeting")->dlTime, "18:00:00");
        EXPECT_EQ(findTitle(*a.load(), "Buy a present")->dlDate, "20261220");  // a date stays a date
        a.edit([](TNimbusStructure &s) { findTitle(s, "Club meeting")->text = "Club meeting and dinner"; });
        EXPECT_EQ(sync(a).counts.sent, 1);
        EXPECT_EQ(startOnServer(), before);
        // Nothing moves twice.
        EXPECT_EQ(sync(a).counts.sent, 0);
        EXPECT_EQ(findTitle(*a.load(), "Club meeting and dinner")->dlTime, "18:00:00");
    }
    // Back in Berlin, the meeting is at 19:00 again.
    sync(a);
    EXPECT_EQ(findTitle(*a.load(), "Club meeting and dinner")->dlTime, "19:00:00");
    EXPECT_EQ(startOnServer(), before);
}

// The calendar's privilege set as a read-only calendar reports it: every privilege that
// would change something taken out.
void withoutWritePrivileges(caldav::HttpResponse &response)
{
    static const std::regex granted("<([A-Za-z0-9]+:)?privilege>\\s*<([A-Za-z0-9]+:)?(all|write|"
                                    "write-properties|write-content|bind|unbind)"
                                    "\\s*/>\\s*</([A-Za-z0-9]+:)?privilege>");
    response.body = std::regex_replace(response.body, granted, "");
}

const char *const kPhoneEntry =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Phone//EN\r\nBEGIN:VTODO\r\n"
    "UID:phone-ro@example.org\r\nDTSTAMP:20261201T080000Z\r\nSUMMARY:Pick up parcel\r\n"
    "END:VTODO\r\nEND:VCALENDAR\r\n";

std::size_t linesWith(const RecordingLog &log, const std::string &part)
{
    return static_cast<std::size_t>(
        std::count_if(log.lines.begin(), log.lines.end(),
                      [&](const std::string &l) { return l.find(part) != std::string::npos; }));
}

// A calendar whose privilege set grants no writing is synced one way: the server's changes
// arrive, nothing is sent, and what was changed, made or removed here stays so here, told
// once; once writing is granted again, it all goes out.
TEST_F(ServerQuirks, AReadOnlyCalendarIsSyncedFromTheServerOnlyAndKeepsChangesHere)
{
    DataFolder a;
    addTopics(a, 3);
    sync(a);
    caldav::CurlTransport plain(server_->account());
    ASSERT_TRUE(caldav::CalDavClient(plain).put(calendar_ + "phone.ics", kPhoneEntry, "").ok());
    a.edit([](TNimbusStructure &s) {
        findTitle(s, "Topic 101")->text = "Topic 101 renamed";
        s.Delete(s.IndexOf(findTitle(s, "Topic 102")->uni));
        addTopic(s, kSyncedTopic, "Made here");
    });
    const auto before = serverEtags();

    InterposingTransport readOnly(server_->account());
    readOnly.after = [](const caldav::HttpRequest &r, caldav::HttpResponse &response) {
        if (r.method == "PROPFIND" &&
            r.body.find("current-user-privilege-set") != std::string::npos)
            withoutWritePrivileges(response);
    };
    const std::vector<std::string> here{"Made here", "Pick up parcel", "Topic 101 renamed",
                                        "Topic 103"};
    const caldav::SyncReport first = sync(a, readOnly);
    EXPECT_EQ(readOnly.countMethod("PUT") + readOnly.countMethod("DELETE") +
                  readOnly.countMethod("PROPPATCH"),
              0);
    EXPECT_EQ(serverEtags().size(), before.size());
    EXPECT_EQ(first.counts.received, 1);
    EXPECT_EQ(first.counts.heldHere, 3);
    EXPECT_EQ(first.counts.refused, 0);
    EXPECT_EQ(outline(*a.load()), here);
    EXPECT_EQ(linesWith(a.log, "synced from the server only"), 1u);
    EXPECT_EQ(linesWith(a.log, "read-only on the server"), 3u);

    // Told once: the next syncs say nothing new, send nothing and, with nothing new on either
    // side, ask the server one thing only.
    readOnly.sent.clear();
    const caldav::SyncReport quiet = sync(a, readOnly);
    EXPECT_EQ(readOnly.sent.size(), 1u) << quiet.summary();
    EXPECT_EQ(linesWith(a.log, "synced from the server only"), 1u);
    EXPECT_EQ(linesWith(a.log, "read-only on the server"), 3u);
    // A further change here is told in its turn, and still not sent.
    a.edit([](TNimbusStructure &s) {
        findTitle(s, "Topic 101 renamed")->text = "Topic 101 renamed twice";
    });
    sync(a, readOnly);
    EXPECT_EQ(linesWith(a.log, "read-only on the server"), 4u);
    EXPECT_EQ(readOnly.countMethod("PUT") + readOnly.countMethod("DELETE"), 0);
    EXPECT_EQ(outline(*a.load()),
              (std::vector<std::string>{"Made here", "Pick up parcel", "Topic 101 renamed twice",
                                        "Topic 103"}));

    // Writing allowed again: what waited here goes out, and every side agrees.
    const caldav::SyncReport open = sync(a);
    EXPECT_TRUE(a.log.has("may be changed again"));
    EXPECT_EQ(open.counts.sent, 2) << open.summary();
    EXPECT_EQ(open.counts.deletedOnServer, 1) << open.summary();
    DataFolder b;
    sync(b);
    EXPECT_EQ(outline(*b.load()),
              (std::vector<std::string>{"Made here", "Pick up parcel", "Topic 101 renamed twice",
                                        "Topic 103"}));
}

// The same with Radicale's own rights (a rights file that lets the user only read the
// calendar): the server reports the privilege set, so nothing is even tried.
TEST_F(ServerQuirks, ARealReadOnlyCalendarIsNeverWrittenToAndNothingIsLost)
{
    DataFolder a;
    addTopics(a, 2);
    sync(a);
    const std::string name =
        calendar_.substr(server_->home().size(), calendar_.size() - server_->home().size() - 1);
    server_->setReadOnly({name});
    struct Writable {
        RadicaleServer *server;
        ~Writable() { server->setReadOnly({}); }
    } restore{server_};
    a.edit([](TNimbusStructure &s) {
        findTitle(s, "Topic 101")->text = "Topic 101 renamed";
        s.Delete(s.IndexOf(findTitle(s, "Topic 102")->uni));
    });
    const auto before = serverEtags();
    InterposingTransport watched(server_->account());
    const caldav::SyncReport report = sync(a, watched);
    EXPECT_EQ(watched.countMethod("PUT") + watched.countMethod("DELETE"), 0);
    EXPECT_EQ(report.counts.heldHere, 2) << report.summary();
    EXPECT_EQ(report.counts.refused, 0);
    EXPECT_NE(report.summary().find("2 kept here (the calendar is read-only)"), std::string::npos);
    EXPECT_EQ(serverEtags(), before);
    EXPECT_EQ(outline(*a.load()), (std::vector<std::string>{"Topic 101 renamed"}));
    // Another device that may only read gets the server's calendar as it is.
    DataFolder b;
    sync(b);
    EXPECT_EQ(outline(*b.load()), (std::vector<std::string>{"Topic 101", "Topic 102"}));
}

TEST(RemovalGuard, AsksOnlyForMoreThanTenAndMoreThanAQuarter)
{
    EXPECT_FALSE(caldav::removalsNeedConsent(10, 10));
    EXPECT_FALSE(caldav::removalsNeedConsent(11, 44));
    EXPECT_TRUE(caldav::removalsNeedConsent(11, 43));
    EXPECT_TRUE(caldav::removalsNeedConsent(11, 11));
    EXPECT_FALSE(caldav::removalsNeedConsent(200, 1000));
}

} // namespace
} // namespace nimbus::test
