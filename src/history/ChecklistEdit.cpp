// A checklist page's items set back or forward.
#include "history/ChecklistEdit.h"

#include "fileio/UiText.h"

#include <algorithm>

#include "fileio/FolderOps.h"
#include "history/StepNames.h"
#include "store/ContentFiles.h"
#include "store/PairFile.h"
#include "store/TNimbusStructure.h"

namespace nimbus::history {

namespace {

bool sameItems(const std::vector<ChecklistItem> &a, const std::vector<ChecklistItem> &b)
{
    return std::equal(
        a.begin(), a.end(), b.begin(), b.end(), [](const ChecklistItem &x, const ChecklistItem &y) {
            return x.checked == y.checked && x.text == y.text && x.finished == y.finished;
        });
}

} // namespace

bool ChecklistEdit::set(HistoryContext &context, const std::vector<ChecklistItem> &items,
                        const std::vector<ChecklistItem> &left)
{
    TNimbusNode *node = context.store.Find(topicId_);
    if (!node) {
        context.log.AddToLog("*** Undo history: " + topicWords(topicId_, nullptr) +
                             " is no longer there");
        return false;
    }
    const auto refuse = [&] {
        context.log.AddToLog("*** Undo history: the checklist (page " + std::to_string(page_) +
                             ") of " + topicWords(topicId_, node) +
                             " was changed by someone else since");
        return false;
    };
    if (context.checklists)
        if (const std::vector<ChecklistItem> *shown =
                context.checklists->shownItems(topicId_, page_)) {
            if (!sameItems(*shown, left))
                return refuse();
            if (context.checklists->showItems(topicId_, page_, items))
                return true;
        }
    // Not on screen: the page's file takes the items (its own old versions were kept when
    // the page was saved).
    TContent &content = node->contentLoaded && node->content
                            ? *node->content
                            : node->LoadContent(context.folders, context.log);
    THyperData *page = content.FindPage(page_);
    if (!page || !content::NamePageFile(*page)) {
        context.log.AddToLog("*** Undo history: checklist page " + std::to_string(page_) + " of " +
                             topicWords(topicId_, node) + " is not there");
        return false;
    }
    std::vector<ChecklistItem> now;
    if (fileio::fileExists(content::PagePath(*page, context.folders, context.log)))
        content::LoadChecklist(*page, context.folders, now, context.log);
    if (!sameItems(now, left))
        return refuse();
    const std::string path = content::PagePath(*page, context.folders, context.log);
    std::vector<std::string> names;
    std::vector<std::string> values;
    content::ChecklistPairs(items, names, values);
    if (path.empty() || !writePairFile(path, names, values, 0)) {
        context.log.AddToLog("*** Undo history: the checklist could not be written: " + path);
        return false;
    }
    if (content.modified)
        content::WriteContent(content, context.log);
    return true;
}

std::size_t ChecklistEdit::memoryBytes() const
{
    std::size_t bytes = topicId_.capacity();
    for (const auto *list : {&before_, &after_}) {
        bytes += list->capacity() * sizeof(ChecklistItem);
        for (const ChecklistItem &item : *list)
            bytes += item.text.capacity() + item.finished.capacity();
    }
    return bytes;
}

StepName checklistStepName(const std::string &title, const std::vector<ChecklistItem> &before,
                           const std::vector<ChecklistItem> &after)
{
    const std::string in = quotedTitle(title);
    if (after.size() > before.size())
        return after.size() == before.size() + 1
                   ? StepName(NIMBUS_TEXT_NOOP("StepNames", "Add %1 in %2"),
                              {quotedTitle(after.back().text), in})
                   : StepName::counted(NIMBUS_TEXT_N_NOOP("StepNames", "Add %n item(s) in %1"),
                                       static_cast<int>(after.size() - before.size()), {in});
    if (after.size() < before.size())
        return after.empty()
                   ? StepName(NIMBUS_TEXT_NOOP("StepNames", "Remove all items in %1"), {in})
                   : StepName::counted(NIMBUS_TEXT_N_NOOP("StepNames", "Remove %n item(s) in %1"),
                                       static_cast<int>(before.size() - after.size()), {in});
    int ticked = 0, unticked = 0, retyped = 0, moved = 0, dated = 0;
    const ChecklistItem *changed = nullptr;
    for (std::size_t i = 0; i < after.size(); ++i) {
        const ChecklistItem &a = before[i];
        const ChecklistItem &b = after[i];
        if (a.text != b.text) {
            // Two places swapped texts: a move.
            ++(i + 1 < after.size() && after[i + 1].text == a.text ? moved : retyped);
            changed = &b;
        } else if (a.checked != b.checked) {
            ++(b.checked ? ticked : unticked);
            changed = &b;
        } else if (a.finished != b.finished) {
            ++dated;
        }
    }
    if (moved > 0)
        return {NIMBUS_TEXT_NOOP("StepNames", "Reorder the checklist in %1"), {in}};
    if (retyped == 1 && changed)
        return {NIMBUS_TEXT_NOOP("StepNames", "Change %1 in %2"), {quotedTitle(changed->text), in}};
    if (ticked + unticked == 1 && changed)
        return ticked ? StepName(NIMBUS_TEXT_NOOP("StepNames", "Tick %1 in %2"),
                                 {quotedTitle(changed->text), in})
                      : StepName(NIMBUS_TEXT_NOOP("StepNames", "Untick %1 in %2"),
                                 {quotedTitle(changed->text), in});
    if (unticked > 1)
        return {NIMBUS_TEXT_NOOP("StepNames", "Remove all ticks in %1"), {in}};
    if (dated > 0)
        return {NIMBUS_TEXT_NOOP("StepNames", "Remove all dates in %1"), {in}};
    return {NIMBUS_TEXT_NOOP("StepNames", "Change the checklist in %1"), {in}};
}

} // namespace nimbus::history
