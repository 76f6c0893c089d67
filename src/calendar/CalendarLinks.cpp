// Calendar.dat; see CalendarLinks.h.
#include "calendar/CalendarLinks.h"

#include <vector>

#include "calendar/TopicUid.h"
#include "store/PairFile.h"

namespace nimbus::calendar {

namespace {
// A value goes on one line of a name=value file: nothing that would end or break the line.
bool lineSafe(const std::string &v)
{
    for (char c : v)
        if (c == '\r' || c == '\n' || c == '\0')
            return false;
    return !v.empty();
}
}  // namespace

void CalendarLinks::Load(const std::string &dataFolder)
{
    path_ = dataFolder + kFileName;
    installation_.clear();
    uidToTopic_.clear();
    std::vector<std::string> names, values;
    readPairFile(path_, names, values);
    std::string uid;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == "installation" && installation_.empty())
            installation_ = values[i];
        else if (names[i] == "uid")
            uid = values[i];
        else if (names[i] == "topic" && !uid.empty())
            uidToTopic_[uid] = values[i], uid.clear();
    }
    if (installation_.size() != 16)
        installation_ = newInstallationId();
}

StoreResult CalendarLinks::Save() const
{
    std::vector<std::string> names{"installation"}, values{installation_};
    for (const auto &[uid, topic] : uidToTopic_) {
        names.push_back("uid");
        values.push_back(uid);
        names.push_back("topic");
        values.push_back(topic);
    }
    return writePairFile(path_, names, values, 0);
}

std::string CalendarLinks::topicFor(const std::string &uid) const
{
    const auto it = uidToTopic_.find(uid);
    return it == uidToTopic_.end() ? std::string() : it->second;
}

void CalendarLinks::link(const std::string &uid, const std::string &uni)
{
    if (lineSafe(uid) && lineSafe(uni))
        uidToTopic_[uid] = uni;
}

}  // namespace nimbus::calendar
