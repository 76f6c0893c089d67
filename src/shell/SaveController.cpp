// Writing the store and the shown page.
#include "shell/SaveController.h"

#include "recurrence/RecurrenceFile.h"
#include "shell/TformMain.h"
#include "shell/TreeController.h"
#include "shell/pages/TopicPage.h"
#include "shell/search/SearchController.h"
#include "store/TNimbusStructure.h"

namespace nimbus {

void SaveController::SaveStore()
{
    recurrence::RecurrenceFile *series = window_.recurrenceFile();
    if (series && series->modified)
        series->Save(window_.storeLog()); // logs its own failure
    TNimbusStructure *store = window_.store();
    if (!store || !store->modified)
        return;
    if (StoreResult saved = store->SaveStructure(); !saved) {
        window_.mainLog().setErrorDetail(saved.errorText);
        window_.AddErrorToLog("*** A problem occurred while saving the structure: ");
    }
}

void SaveController::SaveAll()
{
    emit window_.saveCurrentPage();
    TNimbusStructure *store = window_.store();
    if (store && store->modified && window_.treeController()) {
        window_.treeController()->SyncStoreFromTree();
        SaveStore();
    }
}

void SaveController::timerSaveTimer()
{
    SaveAll();
    if (searchui::SearchController *search = window_.searchController())
        search->refresh();
}

void SaveController::SaveCurrentPage()
{
    pages::TopicPage *page = window_.topicPage();
    if (!page)
        return;
    TNimbusNode *node = page->node();
    page->SaveCurrentPage();
    // The index takes the topic again on its worker; an unchanged topic costs a file check.
    if (searchui::SearchController *search = window_.searchController(); search && node)
        search->topicSaved(node->uni);
}

} // namespace nimbus
