// Calendar.dat; see CalendarLinks.h.
#include "calendar/CalendarLinks.h"

#include <vector>

#include "calendar/TopicUid.h"
#include "store/PairFile.h"

namespace nimbus::calendar {

namespace {
// A topic id is ours and goes on one line as it is; a UID is the server's and is escaped
// where it would break the line.
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
        const auto [name, value] = readEscapedPair(names[i], values[i]);
        if (name == "installation" && installation_.empty())
            installation_ = value;
        else if (name == "uid")
            uid = value;
        else if (name == "topic" && !uid.empty())
            uidToTopic_[uid] = value, uid.clear();
    }
    if (installation_.size() != 16)
        installation_ = newInstallationId();
}

StoreResult CalendarLinks::Save() const
{
    std::vector<std::string> names{"installation"}, values{installation_};
    for (const auto &[uid, topic] : uidToTopic_) {
        appendEscapedPair(names, values, "uid", uid);
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
    if (!uid.empty() && lineSafe(uni))
        uidToTopic_[uid] = uni;
}

}  // namespace nimbus::calendar
