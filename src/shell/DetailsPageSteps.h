// The details page's typing as steps of the window's undo history. While the page has the
// focus its editor keeps its own undo; the run of edits from showing the page to leaving it
// (another topic or page selected, a change of the tree's shape, the user going back or
// forward in the history) becomes one step, which sets the topic's page files (and the
// page counts the save changed) back or forward as a whole.
#pragma once

#include <QObject>
#include <QPointer>
#include <memory>

#include "store/StoreLog.h"
#include "store/TContent.h"

namespace nimbus {

class TNimbusStructure;
class TreeController;
class TreeHistory;

namespace pages {
class TopicPage;
}
namespace history {
class FieldEditRecorder;
class PageFilesRecorder;
} // namespace history

class DetailsPageSteps : public QObject {
    Q_OBJECT
public:
    DetailsPageSteps(pages::TopicPage &page, TreeController &tree, TNimbusStructure &store,
                     ContentFolders folders, StoreLog &log, QObject *parent = nullptr);
    ~DetailsPageSteps() override;

    // Ends the run of edits: one step when the page's files changed since it began. The
    // caller has saved the page.
    void closeRun();

private:
    // The first change since the page was shown: the topic's files as they are now.
    void editing();
    void dropRun();

    pages::TopicPage &page_;
    QPointer<TreeHistory> history_; // the window may take the tree down before its pages
    TNimbusStructure &store_;
    ContentFolders folders_;
    StoreLog &log_;
    std::unique_ptr<history::PageFilesRecorder> files_;
    std::unique_ptr<history::FieldEditRecorder> values_;
};

} // namespace nimbus
