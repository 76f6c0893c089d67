#include "search/PageTextCache.h"

namespace nimbus::search {

namespace {
std::size_t sizeOf(const std::optional<std::string> &text)
{
    return text ? text->size() : 0;
}
} // namespace

PageTextCache::PageTextCache(ContentFolders folders, StoreLog &log)
    : folders_(std::move(folders)), log_(log)
{
}

std::string PageTextCache::keyOf(const std::string &topic, int page)
{
    return std::to_string(page) + '/' + topic;
}

const std::string *PageTextCache::Text(const std::string &topic, int page)
{
    const std::string key = keyOf(topic, page);
    if (const auto found = entries_.find(key); found != entries_.end()) {
        order_.splice(order_.begin(), order_, found->second);
        return found->second->text ? &*found->second->text : nullptr;
    }
    ++reads_;
    order_.push_front(Entry{topic, page, ReadPageText(topic, page, folders_, log_)});
    entries_.emplace(key, order_.begin());
    bytes_ += sizeOf(order_.front().text);
    trim();
    return order_.front().text ? &*order_.front().text : nullptr;
}

void PageTextCache::trim()
{
    // The entry just used stays, however large.
    while (order_.size() > 1 && (order_.size() > kMaxPages || bytes_ > kMaxBytes)) {
        bytes_ -= sizeOf(order_.back().text);
        entries_.erase(keyOf(order_.back().topic, order_.back().page));
        order_.pop_back();
    }
}

void PageTextCache::Forget(const std::string &topic)
{
    for (auto it = order_.begin(); it != order_.end();) {
        if (it->topic != topic) {
            ++it;
            continue;
        }
        bytes_ -= sizeOf(it->text);
        entries_.erase(keyOf(it->topic, it->page));
        it = order_.erase(it);
    }
}

void PageTextCache::Clear()
{
    order_.clear();
    entries_.clear();
    bytes_ = 0;
}

} // namespace nimbus::search
