// The phone's calendar app of the sync tests: phone.py (python3-caldav, a CalDAV client no one
// here wrote) run as a child process for each action, and what it lists.
#pragma once

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "caldav/CurlTransport.h"
#include "support/ChildProcess.h"
#include "support/TempFolder.h"

namespace nimbus::test {

struct PhoneEntry {
    std::string kind, summary, status, start, rule, description;
    int copies = 0;
};

// The phone's calendar app, run as a child process for each action.
class Phone {
public:
    Phone(std::string calendarUrl, caldav::TransportSettings account)
        : url_(std::move(calendarUrl)), account_(std::move(account))
    {
    }
    void run(const std::vector<std::string> &action)
    {
        std::vector<std::string> arguments{NIMBUS_PHONE_SCRIPT, url_, account_.user,
                                           account_.password, out_};
        arguments.insert(arguments.end(), action.begin(), action.end());
        ChildProcess phone("/usr/bin/python3", arguments, {});
        ASSERT_TRUE(phone.waitForExit(std::chrono::seconds(60)))
            << "the phone did not finish " << action.front();
        ASSERT_EQ(phone.exitCode(), 0) << "the phone failed to " << action.front();
    }
    std::map<std::string, PhoneEntry> entries()
    {
        run({"list"});
        std::map<std::string, PhoneEntry> out;
        std::ifstream in(out_);
        std::string line;
        while (std::getline(in, line)) {
            std::vector<std::string> f;
            std::stringstream fields(line);
            for (std::string v; std::getline(fields, v, '\t');)
                f.push_back(v);
            f.resize(8);
            out[f[0]] = {f[1], f[2], f[3], f[4], f[5], f[6], std::atoi(f[7].c_str())};
        }
        return out;
    }
    std::vector<std::string> summaries()
    {
        std::vector<std::string> s;
        for (const auto &[uid, e] : entries()) {
            EXPECT_EQ(e.copies, 1) << uid << " is on the server " << e.copies << " times";
            s.push_back(e.summary);
        }
        std::sort(s.begin(), s.end());
        return s;
    }

    // The lines the last action wrote (expand: one date a line).
    std::vector<std::string> lines() const
    {
        std::vector<std::string> out;
        std::ifstream in(out_);
        for (std::string line; std::getline(in, line);)
            out.push_back(line);
        return out;
    }

private:
    TempFolder folder_;
    std::string out_ = folder_ / "entries.tsv";
    std::string url_;
    caldav::TransportSettings account_;
};

} // namespace nimbus::test
