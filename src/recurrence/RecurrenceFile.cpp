// Reading and writing the recurrence file.
#include "recurrence/RecurrenceFile.h"

#include <algorithm>

#include "fileio/AtomicFile.h"
#include "fileio/FolderOps.h"
#include "recurrence/RuleText.h"
#include "store/LimitedComplaints.h"
#include "store/StoreLog.h"

namespace nimbus::recurrence {

RecurrenceFile::RecurrenceFile(std::string dataFolder) : path_(std::move(dataFolder))
{
    path_.append(kFileName);
}

bool RecurrenceFile::Load(StoreLog &log)
{
    series_.clear();
    unreadable_.clear();
    modified = false;
    readFailed_ = false;
    if (!fileio::entryExists(path_))
        return true;
    std::string bytes;
    if (!fileio::readWholeFile(path_, bytes)) {
        readFailed_ = true;
        log.AddErrorToLog("*** The recurrence file could not be read: " + path_,
                          fileio::lastErrorText());
        return false;
    }
    LimitedComplaints complaints(log, "*** " + std::string(kFileName) + ": ");
    std::size_t at = 0;
    while (at < bytes.size()) {
        std::size_t end = bytes.find('\n', at);
        if (end == std::string::npos)
            end = bytes.size();
        std::string_view line(bytes.data() + at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty())
            continue;
        const std::size_t tab = line.find('\t');
        const std::string id(line.substr(0, std::min(tab, line.size())));
        Series series;
        std::string error = "no rule after the topic id";
        if (tab != std::string_view::npos && tab > 0 &&
            parseSeries(line.substr(tab + 1), series, error)) {
            series_[id] = std::move(series);
            continue;
        }
        std::string complaint = "*** ";
        complaint.append(kFileName).append(": the line \"").append(line);
        complaint.append("\" could not be read (").append(error).append("); it is kept as it is");
        complaints.add(complaint);
        unreadable_.emplace_back(id, std::string(line));
    }
    return true;
}

bool RecurrenceFile::Save(StoreLog &log)
{
    if (readFailed_) {
        log.AddToLog("*** " + std::string(kFileName) +
                     " is not written: it could not be read at start-up");
        return false;
    }
    std::string bytes;
    for (const auto &[id, series] : series_) {
        bytes += id;
        bytes += '\t';
        bytes += formatSeries(series);
        bytes += "\r\n";
    }
    for (const auto &[id, line] : unreadable_) {
        bytes += line;
        bytes += "\r\n";
    }
    std::string error;
    if (!fileio::writeFileAtomically(path_, bytes, &error)) {
        log.AddErrorToLog("*** A problem occurred while saving " + std::string(kFileName) + ": ",
                          error);
        return false;
    }
    modified = false;
    return true;
}

const Series *RecurrenceFile::Find(const std::string &topicId) const
{
    const auto found = series_.find(topicId);
    return found == series_.end() ? nullptr : &found->second;
}

void RecurrenceFile::Set(const std::string &topicId, Series series)
{
    // A rule set now replaces a line of that topic that could not be read.
    std::erase_if(unreadable_, [&](const auto &entry) { return entry.first == topicId; });
    series_[topicId] = std::move(series);
    modified = true;
}

void RecurrenceFile::Remove(const std::string &topicId)
{
    std::erase_if(unreadable_, [&](const auto &entry) { return entry.first == topicId; });
    if (series_.erase(topicId) > 0)
        modified = true;
}

} // namespace nimbus::recurrence
