// Filling the packed list of topics.
#include "search/TopicList.h"

#include <limits>
#include <stdexcept>

namespace nimbus::search {

TopicList::TopicList(const std::vector<TopicEntry> &topics)
{
    std::size_t bytes = 0;
    for (const TopicEntry &topic : topics)
        bytes += topic.uni.size() + topic.title.size();
    reserve(topics.size(), bytes);
    for (const TopicEntry &topic : topics)
        add(topic.uni, topic.title);
}

TopicList::TopicList(std::initializer_list<TopicEntry> topics)
    : TopicList(std::vector<TopicEntry>(topics))
{
}

void TopicList::reserve(std::size_t topics, std::size_t bytes)
{
    bytes_.reserve(bytes);
    starts_.reserve(2 * topics + 1);
}

void TopicList::add(std::string_view uni, std::string_view title)
{
    // Offsets are 32 bits: four GiB of ids and titles is far beyond any store that can be
    // held, and refusing it is better than wrapping round.
    if (bytes_.size() + uni.size() + title.size() > std::numeric_limits<Offset>::max())
        throw std::length_error("TopicList: more than 4 GiB of ids and titles");
    if (starts_.empty())
        starts_.push_back(0);
    bytes_.append(uni);
    starts_.push_back(static_cast<Offset>(bytes_.size()));
    bytes_.append(title);
    starts_.push_back(static_cast<Offset>(bytes_.size()));
}

} // namespace nimbus::search
