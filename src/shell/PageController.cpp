// Which page the window shows, and the details pages' steps of the undo history.
#include "shell/PageController.h"

#include "shell/ChecklistSteps.h"
#include "shell/DetailsPageSteps.h"
#include "shell/PageArea.h"
#include "shell/TformMain.h"
#include "shell/TreeController.h"
#include "shell/TreeHistory.h"
#include "shell/core/MainLog.h"
#include "shell/pages/DetailsEditor.h"
#include "shell/pages/PreferencesPage.h"
#include "shell/pages/TopicPage.h"
#include "shell/software/UpdateController.h"
#include "store/TNimbusStructure.h"
#include "tree/TreeRules.h"

namespace nimbus {

namespace {

// The page a section kind shows on the right-hand side.
QString pageForSection(int kind)
{
    switch (kind) {
    case kSectionTopics:
        return QStringLiteral("panelToDoNew");
    case kSectionNetwork:
        return QStringLiteral("panelNetwork");
    case kSectionPreferences:
        return QStringLiteral("panelPreferences");
    case kSectionProduct:
        return QStringLiteral("panelAbout");
    case kSectionContacts:
        return QStringLiteral("panelContacts");
    default:
        return {};
    }
}

} // namespace

void PageController::selectionMoved(TNimbusNode *node)
{
    // The page that was shown is written before another topic's page takes its place.
    window_.SaveCurrentPage();
    pages::TopicPage *topicPage = window_.topicPage();
    if (topicPage && node != topicPage->node())
        topicPage->ShowTopicPage(node && node->type == kSectionTopics ? node : nullptr);
    if (node)
        window_.pageArea()->showPage(pageForSection(node->type));
    window_.pageArea()->nameAfterShownPage();
    emit window_.selectionChanged(node);
}

void PageController::connectTopicPage()
{
    TformMain *window = &window_;
    pages::TopicPage *topicPage = window_.topicPage();
    TreeController *tree = window_.treeController();
    QObject::connect(tree, &TreeController::topicsRemoving, topicPage, &pages::TopicPage::forget);
    if (tree) {
        new ChecklistSteps(*topicPage->panelToDoCheckList, *tree, *window_.store(), topicPage);
        connectPageSteps();
    }
    QObject::connect(tree, &TreeController::nodeChanged, topicPage,
                     &pages::TopicPage::topicChanged);
    // The page area carries the shown page's name, which a rename has just changed.
    QObject::connect(tree, &TreeController::nodeChanged, window_.pageArea(),
                     &PageArea::nameAfterShownPage);
    QObject::connect(topicPage, &pages::TopicPage::nodeProgressChanged, window,
                     [window](TNimbusNode *node) {
                         if (window->store())
                             window->store()->modified = true;
                         if (window->treeController())
                             window->treeController()->nodeEdited(node);
                     });
}

void PageController::connectPreferencesPage()
{
    TformMain *window = &window_;
    pages::TopicPage *topicPage = window_.topicPage();
    pages::PreferencesPage *preferences = window_.preferencesPage();
    // The details page normal font of the preferences, at the caret of an empty page too.
    if (!window_.preferences().font.empty())
        topicPage->details->setNormalFont(pages::fontFromPreferences(window_.preferences()));
    preferences->fontAtCaret = [topicPage] { return topicPage->details->fontAtCaret(); };
    QObject::connect(preferences, &pages::PreferencesPage::dateOrderChanged, window,
                     [window](int order) {
                         window->mainLog().setDateOrder(order);
                         if (window->updateController())
                             window->updateController()->reg().dateOrder = order;
                     });
    QObject::connect(
        preferences, &pages::PreferencesPage::normalFontChanged, topicPage,
        [topicPage](const pages::FontChoice &font) { topicPage->details->setNormalFont(font); });
}

void PageController::connectPageSteps()
{
    TformMain *window = &window_;
    pages::TopicPage *topicPage = window_.topicPage();
    TreeController *tree = window_.treeController();
    auto *pageSteps = new DetailsPageSteps(*topicPage, *tree, *window_.store(),
                                           ContentFolders::inDataFolder(window_.paths().DataFolder),
                                           window_.storeLog(), topicPage);
    TreeHistory *history = tree->history();
    // Before going back or forward, and before the tree changes shape (after the page was
    // written for it), the run of edits becomes a step of its own.
    QObject::connect(history, &TreeHistory::aboutToReplay, pageSteps, [window, pageSteps] {
        window->SaveCurrentPage();
        pageSteps->closeRun();
    });
    QObject::connect(history, &TreeHistory::aboutToChangeStructure, pageSteps,
                     &DetailsPageSteps::closeRun);
    // A step that rewrites the shown topic's pages: the page lets go of them unsaved and
    // shows them again from the files.
    QObject::connect(history, &TreeHistory::pagesReplacing, topicPage,
                     [topicPage](const std::string &id) {
                         if (topicPage->node() && topicPage->node()->uni == id) {
                             topicPage->details->setModified(false);
                             topicPage->ShowTopicPage(nullptr);
                         }
                     });
    QObject::connect(history, &TreeHistory::pagesReplaced, topicPage,
                     [window, topicPage](const std::string &id) {
                         TreeController *tree = window->treeController();
                         TNimbusNode *selected = tree ? tree->selectedNode() : nullptr;
                         if (!topicPage->node() && selected && selected->uni == id)
                             topicPage->ShowTopicPage(selected);
                     });
}

} // namespace nimbus
