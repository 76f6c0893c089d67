// Runs of typing in a details page as steps.
#include "shell/DetailsPageSteps.h"

#include "history/CommandGroup.h"
#include "history/FieldEdit.h"
#include "history/PageFilesEdit.h"
#include "history/StepNames.h"
#include "shell/TreeController.h"
#include "shell/TreeHistory.h"
#include "shell/pages/DetailsEditor.h"
#include "shell/pages/TopicPage.h"
#include "store/TNimbusStructure.h"

namespace nimbus {

DetailsPageSteps::DetailsPageSteps(pages::TopicPage &page, TreeController &tree,
                                   TNimbusStructure &store, ContentFolders folders, StoreLog &log,
                                   QObject *parent)
    : QObject(parent), page_(page), history_(tree.history()), store_(store),
      folders_(std::move(folders)), log_(log)
{
    connect(page_.details, &pages::DetailsEditor::modifiedChanged, this, [this](bool modified) {
        if (modified)
            editing();
    });
    connect(&page_, &pages::TopicPage::leavingPage, this, &DetailsPageSteps::closeRun);
}

DetailsPageSteps::~DetailsPageSteps() = default;

void DetailsPageSteps::editing()
{
    const TNimbusNode *node = page_.node();
    if (!node || !history_ || history_->replaying())
        return;
    if (files_ && files_->topicId() == node->uni)
        return;
    dropRun(); // a run whose topic went without its page being left
    files_ = std::make_unique<history::PageFilesRecorder>(node->uni, folders_, log_);
    // The page counts follow the pages.
    values_ = std::make_unique<history::FieldEditRecorder>(
        store_, std::vector<std::string>{node->uni}, history::FieldEditRecorder::Kind::RollUp);
}

void DetailsPageSteps::closeRun()
{
    if (!files_)
        return;
    // Left because a step is being replayed (its pages are rewritten, or its topic goes):
    // what was typed is saved, but no step can join the history in the middle of a replay.
    if (!history_ || history_->replaying()) {
        dropRun();
        return;
    }
    const std::string id = files_->topicId();
    std::unique_ptr<history::PageFilesEdit> written = files_->finish();
    std::unique_ptr<history::FieldEdit> counts = values_->finish();
    dropRun();
    const TNimbusNode *node = store_.Find(id);
    if (!written || !node)
        return;
    auto step = std::make_unique<history::CommandGroup>();
    step->add(std::move(written));
    step->add(std::move(counts));
    history_->pushDone(std::move(step), history::detailsPageStepName(node->text),
                       TreeHistory::Kind::Pages, {id, id});
}

void DetailsPageSteps::dropRun()
{
    files_.reset();
    values_.reset();
}

} // namespace nimbus
