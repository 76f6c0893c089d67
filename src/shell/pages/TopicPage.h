// The topic page panelToDoNew: the topic's name labelTopicName with the lock picture
// imageLock, the tab strip tabsData with one tab per page of the topic's content, the page
// itself (the details editor or the checklist) and labelDateChanged. It shows the selected
// topic's pages and saves the page that was shown before another one replaces it.
#pragma once

#include <QWidget>
#include <functional>
#include <vector>

#include "shell/pages/KeptPageEdits.h"
#include "store/TContent.h"

class QAction;
class QLabel;
class QMenu;
class QStackedWidget;
class QTabBar;

namespace nimbus {
class Clock;
class StoreLog;
class SummaryLists;
class TNimbusNode;
class TPreferences;
class TScreenSetup;
} // namespace nimbus

namespace nimbus::checklist {
class ChecklistPage;
}

namespace nimbus::widgets {
class ElidedLabel;
}

namespace nimbus::pages {

class DetailsEditor;
class PagePrompts;

// What the topic page works with, owned by the main window.
struct TopicPageContext {
    ContentFolders folders;
    const Clock *clock = nullptr;
    StoreLog *log = nullptr;
    SummaryLists *lists = nullptr;
    const TPreferences *preferences = nullptr;
    // A topic's dac or dam changed: the store must be written.
    std::function<void()> storeModified;
};

class TopicPage : public QWidget {
    Q_OBJECT
public:
    TopicPage(TopicPageContext context, PagePrompts &prompts, TScreenSetup &setup,
              const QCursor &highlightCursor, QWidget *parent = nullptr);

    widgets::ElidedLabel *labelTopicName = nullptr;
    QLabel *imageLock = nullptr;
    QTabBar *tabsData = nullptr;
    QStackedWidget *panelPages = nullptr;
    DetailsEditor *details = nullptr; // panelToDoText
    checklist::ChecklistPage *panelToDoCheckList = nullptr;
    QWidget *panelNoPage = nullptr; // a page of a kind this program does not edit
    QLabel *labelDateChanged = nullptr;
    // Says which page's changes could not be saved (they are kept and saved again).
    QLabel *labelSaveProblem = nullptr;
    QMenu *popTabs = nullptr;

    // Loads the node's content (once per node) and shows its visible page.
    void ShowTopicPage(TNimbusNode *node);
    // Shows the page at a tab index.
    void ShowPage(int index);
    // Writes the shown page when it changed; see pages::SaveTopicPage. Skipped while running.
    void SaveCurrentPage();
    // "Change page title" (Ctrl+T, popNotes, popTabs).
    void CLChangeTitleExecute();
    // The shown topic's name or lock changed.
    void topicChanged(TNimbusNode *node);
    // These topics are about to be destroyed: a shown one is forgotten unsaved.
    void forget(const std::vector<TNimbusNode *> &nodes);

    TNimbusNode *node() const { return node_; }
    // Edits of details pages whose save failed, waiting for the next save.
    const KeptPageEdits &keptEdits() const { return kept_; }
    THyperData *currentPage() const;
    int currentIndex() const { return current_; }

signals:
    // The shown page is about to be replaced by another page or topic (or by none); the
    // callers have saved it by then.
    void leavingPage();
    // Ticks changed the topic's percentage (and, with statusChanged, a task's status).
    void nodeProgressChanged(nimbus::TNimbusNode *node, bool statusChanged);

private:
    void tabsDataChange(int index);
    // Reads a details page into the editor: its kept edits, else its file; a page that cannot
    // be read or kept whole is shown read-only with a notice.
    void showDetails(THyperData &page);
    // Writes the kept edits of pages other than the shown one again.
    void retryKeptEdits();
    void showSaveProblem();
    void showLock();
    void showDateChanged();

    TopicPageContext context_;
    PagePrompts &prompts_;
    TNimbusNode *node_ = nullptr;
    int current_ = -1;
    bool saving_ = false;
    bool describe_ = false; // the shown page's title changed
    KeptPageEdits kept_;
};

} // namespace nimbus::pages
