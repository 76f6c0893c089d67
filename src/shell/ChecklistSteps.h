// The checklist page's changes as steps of the window's undo history: each change of the
// items (with the topic's percentage and status that the ticks drive, and the groups' roll-up)
// is one step, and a step undone or redone while its page is shown goes straight into the
// list; the page's own save writes it.
#pragma once

#include <QObject>
#include <QPointer>
#include <memory>
#include <vector>

#include "history/StoreCommand.h"

namespace nimbus {

class TNimbusNode;
class TNimbusStructure;
class TreeController;
class TreeHistory;

namespace checklist {
class ChecklistPage;
}
namespace history {
class FieldEditRecorder;
}

class ChecklistSteps : public QObject, public history::ChecklistHost {
    Q_OBJECT
public:
    ChecklistSteps(checklist::ChecklistPage &page, TreeController &tree, TNimbusStructure &store,
                   QObject *parent = nullptr);
    ~ChecklistSteps() override;

    bool showItems(const std::string &topicId, int page,
                   const std::vector<ChecklistItem> &items) override;
    const std::vector<ChecklistItem> *shownItems(const std::string &topicId, int page) override;

private:
    void editing(TNimbusNode *node);
    void edited(TNimbusNode *node, int page, const std::vector<ChecklistItem> &before,
                const std::vector<ChecklistItem> &after);

    checklist::ChecklistPage &page_;
    TreeController &tree_;
    QPointer<TreeHistory> history_; // the window may take the tree down before its pages
    TNimbusStructure &store_;
    std::unique_ptr<history::FieldEditRecorder> values_;
};

} // namespace nimbus
