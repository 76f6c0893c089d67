// Syncs one data folder with a calendar and ends; the tests kill it half-way. Arguments: the
// data folder, the calendar's address, the synced topic's id, the user, the password and a
// file that gets one line per request that changed the server.
#include <cstdio>
#include <fstream>

#include "caldav/CurlTransport.h"
#include "caldav/SyncSession.h"

int main(int argc, char **argv)
{
    if (argc != 7) {
        std::fprintf(stderr, "usage: caldav_sync_child <data folder/> <calendar url> <topic id> <user> <password> <progress file>\n");
        return 2;
    }
    nimbus::caldav::CurlTransport transport({argv[4], argv[5]});
    nimbus::caldav::SessionSettings settings;
    settings.dataFolder = argv[1];
    settings.calendarUrl = argv[2];
    settings.subtree = argv[3];
    std::ofstream progress(argv[6], std::ios::app);
    settings.progress = [&progress](int done, int total, const std::string &text) {
        progress << done << "/" << total << " " << text << std::endl;  // flushed: the test counts lines
    };
    const nimbus::caldav::SyncReport report =
        nimbus::caldav::syncDataFolder(transport, settings, nimbus::NullStoreLog::instance());
    std::printf("%s\n", report.summary().c_str());
    return report.ok ? 0 : 1;
}
