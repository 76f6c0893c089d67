// Showing and saving a topic's pages, without a window.
#include "shell/core/TopicPages.h"

#include "fileio/FolderOps.h"
#include "store/Clock.h"
#include "store/ContentFiles.h"
#include "store/DateFormat.h"
#include "store/SummaryLists.h"
#include "store/TContent.h"
#include "store/TNimbusNode.h"
#include "store/TNimbusStructure.h"

namespace nimbus::pages {

int PageKindBit(int con)
{
    switch (con) {
    case 0:
        return 1;
    case 1:
        return 2;
    case 2:
        return 4;
    default:
        return 8;
    }
}

PageCounts CountPages(const TContent &content)
{
    PageCounts counts;
    for (const auto &page : content.pages) {
        if (page->data || !page->fsa.empty()) {
            ++counts.dac;
            counts.dam |= PageKindBit(page->con);
        }
    }
    return counts;
}

void LoadPageDescriptions(TContent &content, const ContentFolders &folders, StoreLog &log)
{
    for (const auto &page : content.pages) {
        if (!page->file.empty())
            content::LoadPageDescription(*page, folders, log);
        const std::string path = content::PagePath(*page, folders, log);
        if (path.empty() || !fileio::fileExists(path))
            page->data = false;
    }
}

std::string PageCaption(const THyperData &page)
{
    if (!page.dis.empty())
        return page.dis;
    switch (page.con) {
    case 0:
        return "Details";
    case 1:
        return "Checklist";
    case 2:
        return "List";
    default:
        return {};
    }
}

int VisiblePageIndex(const TContent &content)
{
    if (content.pages.empty())
        return -1;
    for (std::size_t i = 0; i < content.pages.size(); ++i)
        if (content.pages[i]->uni == content.visiblePage)
            return static_cast<int>(i);
    return 0;
}

std::string DateChangedText(const THyperData &page, int dateOrder)
{
    if (page.ame.empty())
        return {};
    return "Page last changed: " + dates::displayStamp(page.ame, dateOrder).substr(0, 16);
}

namespace {

// The shown tab becomes the visible page. A content that never chose one shows its first
// page, so showing that page is no change to write.
void takeVisiblePage(TContent &content, int shownIndex)
{
    const int shown = content.pages[static_cast<std::size_t>(shownIndex)]->uni;
    if (shown == content.visiblePage)
        return;
    if (content.visiblePage <= 0 && VisiblePageIndex(content) == shownIndex)
        return;
    content.visiblePage = shown;
    content.modified = true;
}

} // namespace

PageSaveResult SaveTopicPage(TNimbusNode &node, int shownIndex, const EditorState &editor,
                             const ContentFolders &folders, const Clock &clock, StoreLog &log,
                             SummaryLists &lists)
{
    PageSaveResult result;
    TContent *content = node.content.get();
    if (node.type != kSectionTopics || !content || !node.contentLoaded || shownIndex < 0 ||
        shownIndex >= static_cast<int>(content->pages.size()))
        return result;
    THyperData &page = *content->pages[static_cast<std::size_t>(shownIndex)];
    if (editor.shown)
        takeVisiblePage(*content, shownIndex);

    bool describe = false;
    const bool dataBefore = page.data;
    if (editor.ownSave) {
        result.dataSaved = editor.ownSave->written && !editor.ownSave->failed;
        result.failed = editor.ownSave->failed;
        describe = editor.ownSave->describe;
        if (result.dataSaved)
            lists.NoteChangedTopic(node);
    } else if (editor.modified) {
        if (editor.holdsData) {
            StoreResult written =
                editor.write ? editor.write(page) : StoreResult::failure("nothing to write");
            if (!written) {
                log.AddErrorToLog("*** A problem occurred while saving the page " + page.file +
                                      " of " + node.text + ": ",
                                  written.errorText);
                result.failed = true;
            } else {
                // The description carries the flags that say how to read the file (rtf) and
                // the stamp of the change: it is rewritten with every save of the page.
                page.data = true;
                page.ame = dates::stamp(clock.now());
                describe = true;
                result.dataSaved = true;
            }
        } else if (page.data || !page.file.empty()) {
            // An old version of the file is kept before it goes (logged when it cannot be).
            if (!page.file.empty())
                content::DeletePageFile(page, folders, log);
            page.data = false;
            page.file.clear();
            content->modified = true;
            result.dataSaved = true;
        } else {
            result.dataSaved = true; // nothing was there and nothing is
        }
        if (!result.failed)
            lists.NoteChangedTopic(node);
    }

    if (!editor.columnWidths.empty())
        page.TrackColumns(editor.columnWidths);
    if (editor.describe || ((describe || page.columnsChanged) && !page.file.empty())) {
        if (StoreResult saved = content::SavePageDescription(page, folders, clock, log); !saved)
            log.AddErrorToLog("*** A problem occurred while saving the page description of " +
                                  node.text + ": ",
                              saved.errorText);
    }

    // A page saved again after a failed save was named then: its data flag still changes the
    // counts.
    if (content->modified || page.data != dataBefore) {
        if (content->modified) {
            if (StoreResult saved = content::WriteContent(*content, log); !saved)
                log.AddErrorToLog("*** A problem occurred while saving the pages of " +
                                      node.text + ": ",
                                  saved.errorText);
        }
        const PageCounts counts = CountPages(*content);
        if (counts.dac != node.dac || counts.dam != node.dam) {
            node.dac = counts.dac;
            node.dam = counts.dam;
            result.storeChanged = true;
        }
    }
    return result;
}

} // namespace nimbus::pages
