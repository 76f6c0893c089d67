// A progress display for core tests: it keeps every report and whether Cancel was offered,
// and "presses Cancel" when stopWhen says so for a report.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "fileio/OperationProgress.h"

namespace nimbus::test {

struct ProgressReport {
    std::int64_t done = 0;
    std::int64_t total = 0;
    std::string text;
};

class RecordingProgress : public fileio::OperationProgress {
public:
    void report(std::int64_t done, std::int64_t total, const std::string &text) override
    {
        reports.push_back({done, total, text});
        if (stopWhen && stopWhen(reports.back()))
            stopped = true;
    }
    void allowCancel(bool allowed) override { offers.push_back(allowed); }
    bool cancelled() const override { return stopped; }

    // Every run of reports with the same text counts up without going back and stays
    // within its total.
    bool countsUp() const
    {
        for (std::size_t i = 0; i < reports.size(); ++i) {
            const ProgressReport &r = reports[i];
            if (r.done < 0 || (r.total > 0 && r.done > r.total))
                return false;
            if (i > 0 && reports[i - 1].text == r.text && reports[i - 1].done > r.done)
                return false;
        }
        return true;
    }

    std::vector<ProgressReport> reports;
    std::vector<bool> offers;
    std::function<bool(const ProgressReport &)> stopWhen;
    bool stopped = false;
};

// Every file in folder, hidden ones included (a temporary file is hidden).
inline std::vector<std::string> allFilesIn(const std::string &folder)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto &entry : std::filesystem::directory_iterator(folder, ec))
        if (!entry.is_directory())
            names.push_back(entry.path().filename().string());
    return names;
}

} // namespace nimbus::test
