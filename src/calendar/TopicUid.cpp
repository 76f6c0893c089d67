// Topic UIDs; see TopicUid.h.
#include "calendar/TopicUid.h"

#include <cstdio>
#include <random>

namespace nimbus::calendar {

namespace {
constexpr std::string_view kDomain = "@nimbus-desk";
}

std::string topicUid(std::string_view installation, std::string_view uni)
{
    std::string uid(installation);
    uid += '-';
    uid += uni;
    uid += kDomain;
    return uid;
}

std::optional<std::string> ownTopicId(std::string_view uid, std::string_view installation)
{
    if (installation.empty() || uid.size() <= installation.size() + 1 + kDomain.size())
        return std::nullopt;
    if (uid.substr(0, installation.size()) != installation || uid[installation.size()] != '-')
        return std::nullopt;
    if (uid.substr(uid.size() - kDomain.size()) != kDomain)
        return std::nullopt;
    const std::size_t from = installation.size() + 1;
    return std::string(uid.substr(from, uid.size() - kDomain.size() - from));
}

std::string checklistItemUid(std::string_view topicUid, std::size_t index)
{
    std::string uid(topicUid);
    const std::size_t at = uid.rfind('@');
    uid.insert(at == std::string::npos ? uid.size() : at, "-item" + std::to_string(index + 1));
    return uid;
}

std::string newInstallationId()
{
    std::random_device device;
    std::uniform_int_distribution<unsigned> digit(0, 15);
    std::string id;
    for (int i = 0; i < 16; ++i)
        id += "0123456789abcdef"[digit(device)];
    return id;
}

}  // namespace nimbus::calendar
