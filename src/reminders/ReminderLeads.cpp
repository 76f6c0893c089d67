// Reading and writing the topics' lead times.
#include "reminders/ReminderLeads.h"

#include <algorithm>
#include <charconv>
#include <map>

#include "fileio/UiText.h"
#include "reminders/PairLines.h"
#include "store/LimitedComplaints.h"
#include "store/StoreLog.h"
#include "store/TNimbusStructure.h"

namespace nimbus::reminders {

const std::vector<int> &leadChoices()
{
    static const std::vector<int> choices{0, 5, 15, 30, 60, 1440};
    return choices;
}

std::string leadChoiceText(int minutes)
{
    // Shown in the topic options dialog only; the file holds the minutes.
    switch (minutes) {
    case 0:
        return text::translate("nimbus::reminders", "None");
    case 60:
        return text::translate("nimbus::reminders", "1 hour before");
    case 1440:
        return text::translate("nimbus::reminders", "1 day before");
    default:
        return text::translate("nimbus::reminders", "%n minute(s) before", nullptr, minutes);
    }
}

namespace {

bool isChoice(int minutes)
{
    const auto &choices = leadChoices();
    return std::find(choices.begin(), choices.end(), minutes) != choices.end();
}

} // namespace

bool ReminderLeads::Load(StoreLog &log)
{
    PairLines lines;
    readFailed_ = !readPairLines(fileName_, lines, log);
    if (readFailed_)
        return false;
    leads_.clear();
    unreadable_.clear();
    LimitedComplaints complaints(log, "*** " + std::string(kFileName) + ": ");
    for (const auto &[name, value] : lines.pairs) {
        const std::size_t bar = value.find('|');
        int minutes = -1;
        if (name == "lead" && bar != std::string::npos && bar + 1 < value.size()) {
            const auto parsed = std::from_chars(value.data(), value.data() + bar, minutes);
            if (parsed.ec == std::errc() && parsed.ptr == value.data() + bar && isChoice(minutes)) {
                if (minutes > 0)
                    leads_[value.substr(bar + 1)] = minutes;
                continue;
            }
        }
        const std::string line = name.empty() ? value : name + "=" + value;
        complaints.add("*** " + std::string(kFileName) + ": the line \"" + line +
                       "\" is not a reminder choice; it is kept as it is");
        unreadable_.push_back(line);
    }
    modified = false;
    return true;
}

bool ReminderLeads::Save(StoreLog &log) const
{
    if (readFailed_) {
        log.AddToLog("*** " + std::string(kFileName) + " is not written: it could not be read at start-up");
        return false;
    }
    // In id order, so that the same choices always give the same bytes.
    std::map<std::string_view, int> sorted(leads_.begin(), leads_.end());
    std::string bytes;
    for (const auto &[uni, minutes] : sorted)
        appendPair(bytes, "lead", std::to_string(minutes) + "|" + std::string(uni));
    for (const std::string &line : unreadable_)
        appendPair(bytes, "", line);
    return writeAtomically(fileName_, bytes, log);
}

int ReminderLeads::leadOf(const std::string &uni) const
{
    const auto it = leads_.find(uni);
    return it == leads_.end() ? 0 : it->second;
}

bool ReminderLeads::setLead(const std::string &uni, int minutes)
{
    if (!isChoice(minutes) || uni.empty())
        return false;
    if (leadOf(uni) == minutes)
        return true;
    if (minutes == 0)
        leads_.erase(uni);
    else
        leads_[uni] = minutes;
    modified = true;
    return true;
}

bool ReminderLeads::forgetMissing(const TNimbusStructure &store)
{
    const auto before = leads_.size();
    std::erase_if(leads_, [&store](const auto &lead) { return !store.Find(lead.first); });
    if (leads_.size() != before)
        modified = true;
    return leads_.size() != before;
}

} // namespace nimbus::reminders
