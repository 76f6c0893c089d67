// Topics matched to the server's entries by content; see ContentMatch.h.
#include "caldav/ContentMatch.h"

namespace nimbus::caldav {

namespace {

std::string contentKey(const TNimbusNode &node)
{
    TNimbusNode bare{""};
    bare.AssignNode(node);
    bare.richRule = node.richRule;
    bare.cre.clear();
    return topicFingerprint(bare, {});
}

} // namespace

ContentMatch::ContentMatch(const LocalSnapshot &snapshot, const std::set<std::string> &serverUids)
    : snapshot_(snapshot)
{
    for (std::size_t i = 0; i < snapshot.topics.size(); ++i)
        if (serverUids.count(snapshot.topics[i].topic.uid) == 0)
            byContent_.emplace(contentKey(snapshot.topics[i].topic.node), i);
}

const LocalTopic *ContentMatch::take(const calendar::CalendarTopic &remote,
                                     const std::set<std::string> &bound)
{
    auto [first, last] = byContent_.equal_range(contentKey(remote.node));
    for (auto it = first; it != last; ++it) {
        const LocalTopic &local = snapshot_.topics[it->second];
        if (bound.count(local.uni) != 0)
            continue;
        if (!remote.node.cre.empty() && remote.node.cre != local.topic.node.cre)
            continue;
        byContent_.erase(it);
        return &local;
    }
    return nullptr;
}

} // namespace nimbus::caldav
