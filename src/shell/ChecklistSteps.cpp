// Checklist changes in the undo history.
#include "shell/ChecklistSteps.h"

#include "history/ChecklistEdit.h"
#include "history/CommandGroup.h"
#include "history/FieldEdit.h"
#include "shell/TreeController.h"
#include "shell/TreeHistory.h"
#include "shell/checklist/ChecklistPage.h"
#include "store/THyperData.h"
#include "store/TNimbusStructure.h"
#include "tree/TopicTree.h"

namespace nimbus {

ChecklistSteps::ChecklistSteps(checklist::ChecklistPage &page, TreeController &tree,
                               TNimbusStructure &store, QObject *parent)
    : QObject(parent), page_(page), tree_(tree), history_(tree.history()), store_(store)
{
    connect(&page_, &checklist::ChecklistPage::itemsEditing, this, &ChecklistSteps::editing);
    connect(&page_, &checklist::ChecklistPage::itemsEdited, this, &ChecklistSteps::edited);
    history_->setChecklistHost(this);
}

ChecklistSteps::~ChecklistSteps()
{
    if (history_)
        history_->setChecklistHost(nullptr);
}

bool ChecklistSteps::showItems(const std::string &topicId, int page,
                               const std::vector<ChecklistItem> &items)
{
    if (!page_.node() || page_.node()->uni != topicId || !page_.page() || page_.page()->uni != page)
        return false;
    page_.setItems(items);
    return true;
}

const std::vector<ChecklistItem> *ChecklistSteps::shownItems(const std::string &topicId, int page)
{
    if (!page_.node() || page_.node()->uni != topicId || !page_.page() || page_.page()->uni != page)
        return nullptr;
    return &page_.items();
}

void ChecklistSteps::editing(TNimbusNode *node)
{
    std::vector<std::string> ids;
    for (auto *item = static_cast<const tree::TreeItem *>(node->treeItem); item; item = item->parent)
        if (item->node)
            ids.push_back(item->node->uni);
    if (ids.empty())
        ids.push_back(node->uni);
    // The ticks drive the topic's percentage and status, and the groups above roll up.
    values_ = std::make_unique<history::FieldEditRecorder>(
        store_, ids, history::FieldEditRecorder::Kind::RollUp);
}

void ChecklistSteps::edited(TNimbusNode *node, int page, const std::vector<ChecklistItem> &before,
                            const std::vector<ChecklistItem> &after)
{
    auto step = std::make_unique<history::CommandGroup>();
    step->add(std::make_unique<history::ChecklistEdit>(node->uni, page, before, after));
    if (values_)
        step->add(values_->finish());
    values_.reset();
    if (history_)
        history_->pushDone(std::move(step), history::checklistStepName(node->text, before, after),
                              TreeHistory::Kind::Values, {node->uni, node->uni});
}

} // namespace nimbus
