// Collecting topics for an export; see TopicExport.h.
#include "calendar/TopicExport.h"

#include "calendar/TopicUid.h"
#include "store/ContentFiles.h"
#include "store/TNimbusStructure.h"

namespace nimbus::calendar {

namespace {

void copyFields(const TNimbusNode &from, TNimbusNode &to)
{
    to.AssignNode(from);
    to.richRule = from.richRule; // a whole repeat rule goes out as its RRULE, EXDATE and RDATE
    to.uni = from.uni;
    to.lev = from.lev;
    to.type = from.type;
}

void addPages(TNimbusNode &node, CalendarTopic &topic, const ExportSource &source)
{
    if (source.folders == nullptr)
        return;
    StoreLog &log = source.log ? *source.log : NullStoreLog::instance();
    TContent &content = node.contentLoaded && node.content ? *node.content : node.LoadContent(*source.folders, log);
    for (const auto &page : content.pages) {
        if (page->con == kPageDetails) {
            std::string bytes;
            if (!content::LoadDetails(*page, *source.folders, bytes, log) || bytes.empty())
                continue;
            std::string plain, html;
            if (content::LooksLikeRtf(bytes)) {
                if (source.converter == nullptr)
                    continue;
                source.converter->convert(bytes, plain, html);
            } else {
                plain = bytes;
            }
            if (!topic.detailsText.empty())
                topic.detailsText += "\n\n";
            topic.detailsText += plain;
            topic.detailsHtml += html;
        } else if (page->con == kPageChecklist) {
            std::vector<ChecklistItem> items;
            content::LoadChecklist(*page, *source.folders, items, log);
            topic.checklist.insert(topic.checklist.end(), items.begin(), items.end());
        }
    }
}

}  // namespace

std::vector<CalendarTopic> collectTopics(TNimbusStructure &store, int index, ExportScope scope,
                                         const std::string &installation, const ExportSource &source)
{
    std::vector<CalendarTopic> topics;
    exportTopics(store, index, scope, installation, source,
                 [&topics](CalendarTopic &topic) { topics.push_back(std::move(topic)); });
    return topics;
}

std::size_t exportTopics(TNimbusStructure &store, int index, ExportScope scope,
                         const std::string &installation, const ExportSource &source,
                         const std::function<void(CalendarTopic &)> &take)
{
    std::size_t handed = 0;
    const int count = store.Count();
    int first = 0, end = count;
    if (scope != ExportScope::Everything) {
        if (index < 0 || index >= count)
            return 0;
        first = index;
        if (scope == ExportScope::Section)
            while (first > 0 && store.Node(first)->lev > 0)
                --first;
        const int level = store.Node(first)->lev;
        end = first + 1;
        while (end < count && store.Node(end)->lev > level)
            ++end;
    }
    // The UID of the nearest exported node at each depth, for the RELATED-TO links.
    std::vector<std::string> uidAtLevel;
    const int topLevel = store.Node(first) ? store.Node(first)->lev : 0;
    for (int i = first; i < end; ++i) {
        TNimbusNode *node = store.Node(i);
        if (node == nullptr || node->lev == 0)
            continue;  // sections are places, not topics
        CalendarTopic topic;
        copyFields(*node, topic.node);
        topic.uid = topicUid(installation, node->uni);
        const int depth = node->lev;
        uidAtLevel.resize(static_cast<std::size_t>(depth) + 1);
        uidAtLevel[static_cast<std::size_t>(depth)] = topic.uid;
        if (depth > 1 && !(scope == ExportScope::TopicWithSubtopics && depth == topLevel))
            topic.parentUid = uidAtLevel[static_cast<std::size_t>(depth) - 1];
        const bool heldPages = node->contentLoaded;
        addPages(*node, topic, source);
        take(topic);
        ++handed;
        if (!heldPages && node->contentLoaded) {
            node->content.reset();
            node->contentLoaded = false;
        }
    }
    return handed;
}

}  // namespace nimbus::calendar
