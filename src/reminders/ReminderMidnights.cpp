// Reading, noting and writing the topics whose time is a real midnight.
#include "reminders/ReminderMidnights.h"

#include <map>

#include "reminders/PairLines.h"
#include "store/DateFormat.h"
#include "store/LimitedComplaints.h"
#include "store/StoreLog.h"
#include "store/TNimbusStructure.h"

namespace nimbus::reminders {

namespace {

bool isDateKey(std::string_view text)
{
    DateTime day;
    return text.size() == 8 && dates::parseDateKey(text, day);
}

} // namespace

bool ReminderMidnights::Load(StoreLog &log)
{
    PairLines lines;
    readFailed_ = !readPairLines(fileName_, lines, log);
    if (readFailed_)
        return false;
    dates_.clear();
    unreadable_.clear();
    LimitedComplaints complaints(log, "*** " + std::string(kFileName) + ": ");
    for (const auto &[name, value] : lines.pairs) {
        if (name == "midnight" && value.size() > 9 && value[8] == '|' &&
            isDateKey(std::string_view(value).substr(0, 8))) {
            dates_[value.substr(9)] = value.substr(0, 8);
            continue;
        }
        const std::string line = name.empty() ? value : name + "=" + value;
        complaints.add("*** " + std::string(kFileName) + ": the line \"" + line +
                       "\" could not be read; it is kept as it is");
        unreadable_.push_back(line);
    }
    modified = false;
    return true;
}

bool ReminderMidnights::Save(StoreLog &log)
{
    if (readFailed_) {
        log.AddToLog("*** " + std::string(kFileName) +
                     " is not written: it could not be read at start-up");
        return false;
    }
    std::map<std::string_view, std::string_view> sorted(dates_.begin(), dates_.end());
    std::string bytes;
    for (const auto &[uni, date] : sorted)
        appendPair(bytes, "midnight", std::string(date) + "|" + std::string(uni));
    for (const std::string &line : unreadable_)
        appendPair(bytes, "", line);
    if (!writeAtomically(fileName_, bytes, log))
        return false;
    modified = false;
    return true;
}

void ReminderMidnights::observe(const TNimbusNode &node)
{
    if (node.dlTime != "00:00:00" || node.uni.empty() || !isDateKey(node.dlDate))
        return;
    auto [it, inserted] = dates_.try_emplace(node.uni, node.dlDate);
    if (!inserted && it->second == node.dlDate)
        return;
    it->second = node.dlDate;
    modified = true;
}

bool ReminderMidnights::isMidnight(const TNimbusNode &node) const
{
    if (dates_.empty() || !dates::isNoTime(node.dlTime))
        return false;
    const auto it = dates_.find(node.uni);
    if (it == dates_.end())
        return false;
    // Date keys compare as dates; a roll only moves a series later.
    return node.dlDate == it->second || (node.recur && node.dlDate > it->second);
}

void ReminderMidnights::forgetStale(const TNimbusStructure &store)
{
    const auto before = dates_.size();
    std::erase_if(dates_, [this, &store](const auto &entry) {
        const TNimbusNode *node = store.Find(entry.first);
        return !node || !isMidnight(*node);
    });
    if (dates_.size() != before)
        modified = true;
}

} // namespace nimbus::reminders
