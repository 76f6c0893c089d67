// Shared pieces of the update tests: a data folder with a register at a fixed instant, and
// small doubles for the channel and the downloader.
#pragma once

#include "support/TempFolder.h"

#include "store/Clock.h"
#include "update/Downloader.h"
#include "update/ExecutableCloser.h"
#include "update/RegList.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace nimbus::update::test {

using nimbus::test::readFile;
using nimbus::test::TempFolder;
using nimbus::test::writeFile;
using Lines = std::vector<std::string>;

// Lines of a CR LF file, without their ends.
inline Lines fileLines(const std::string &path)
{
    Lines lines;
    std::istringstream in(readFile(path));
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// The log's event texts, with the date and time in front cut off.
inline Lines logEvents(const RegList &reg)
{
    Lines events;
    for (const std::string &line : fileLines(reg.logPath))
        events.push_back(line.size() > 20 ? line.substr(20) : line);
    return events;
}

class RegisterTest : public ::testing::Test {
protected:
    RegisterTest() : clock(DateTime::fromCivil(2026, 3, 10, 12, 0, 0)), reg(data.path(), clock) {}

    TempFolder data;
    FixedClock clock;
    RegList reg;
};

// Records the channels it is asked to use; only the names in existing have a channel.
class RecordingCloser : public ExecutableCloser {
public:
    explicit RecordingCloser(Lines existingPipes = {}) : existing(std::move(existingPipes)) {}
    bool closeExecutable(const std::string &pipe, const std::string &command) override
    {
        asked.push_back(pipe + " " + command);
        for (const std::string &p : existing)
            if (p == pipe)
                return true;
        return false;
    }
    Lines existing;
    Lines asked;
};

// A site that answers nothing, and notes every address asked for.
class UnreachableSite : public Downloader {
public:
    DownloadResult getToMemory(const std::string &url, const DownloadLimits &,
                               std::string &) override
    {
        requested.push_back(url);
        return {DownloadResult::TransferFailed, "connection refused"};
    }
    DownloadResult getToFile(const std::string &url, const DownloadLimits &, const std::string &,
                             unsigned) override
    {
        requested.push_back(url);
        return {DownloadResult::TransferFailed, "connection refused"};
    }
    Lines requested;
};

} // namespace nimbus::update::test
