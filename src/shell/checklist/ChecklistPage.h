// `panelToDoCheckList`: the checklist page of a topic. An entry box with its Add/Change
// button above the list of items; ticks drive the topic's percentage and status.
//
// How the topic page uses it:
//
//   auto *checklist = new checklist::ChecklistPage(checklist::makeChecklistDialogPrompts());
//   connect(checklist, &ChecklistPage::nodeProgressChanged, ...);  // refresh tree, store
//   connect(checklist, &ChecklistPage::pageTitleChanged, ...);     // the tab's caption
//   checklist->load(node, page, folders, clock, dateOrder, log);   // ShowPage
//   checklist->readOnly(node.lock);
//   ChecklistSaveResult saved = checklist->save();                 // SaveCurrentPage
//
// load() reads the items of the page's file; the page's description (title, columns) has
// been read by the caller. save() writes the items when they changed and says what else the
// caller has to write; the content and description files and the recent-change list stay the
// caller's.
#pragma once

#include <QWidget>

class QLabel;
#include <memory>
#include <vector>

#include "shell/checklist/ChecklistPrompts.h"
#include "store/ChecklistRules.h"
#include "store/ContentFiles.h"
#include "store/StoreLog.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTextEdit;

namespace nimbus {
class Clock;
class TNimbusNode;
class THyperData;
} // namespace nimbus

namespace nimbus::checklist {

class ChecklistActions;
class ChecklistModel;
class ChecklistView;

// What save() did, for SaveCurrentPage.
struct ChecklistSaveResult {
    bool written = false;            // the page had changed and its items were handled
    bool descriptionChanged = false; // data flag, title, "last changed" stamp or columns
                                     // changed: write the page description (.~lst)
    bool contentModified = false;    // the page's file name was given or cleared (the
                                     // content is marked modified): write the .pkt
    bool nodeChanged = false;        // the topic's percentage or status changed since load
    StoreResult result;              // the checklist file's write; failure keeps the page
                                     // modified so that the next save tries again
};

class ChecklistPage : public QWidget {
    Q_OBJECT
public:
    explicit ChecklistPage(std::unique_ptr<ChecklistPrompts> prompts, QWidget *parent = nullptr);
    ~ChecklistPage() override;

    // Shows the page's items (read from CheckList/<file>) under its columns; a page without
    // columns gets "Item" and "Finished". The node, page and clock must outlive the page's
    // use (until the next load() or forget()). Changes not yet written by save() are dropped,
    // so the caller saves the shown page first. False when there was no file to read.
    bool load(TNimbusNode &node, THyperData &page, const ContentFolders &folders,
              const Clock &clock, int dateOrder = 0, StoreLog &log = NullStoreLog::instance());
    // Writes the items when the page changed: a list with items sets the page's data flag and
    // gets a file name when it has none; an emptied list clears the flag and the file name and
    // removes the file (an old version is kept). Also takes the column widths into the page.
    ChecklistSaveResult save();
    // A locked topic: the list and the entry box are disabled and nothing can change.
    void readOnly(bool locked);
    // Lets go of the node and the page (the topic was removed) and empties the list.
    void forget();

    // Puts items in the list as a step of the undo history left them: the page is modified,
    // the topic's values come back with the step itself.
    void setItems(std::vector<ChecklistItem> items);

    bool isModified() const { return modified_; }
    TNimbusNode *node() const { return node_; }
    THyperData *page() const { return page_; }
    const std::vector<ChecklistItem> &items() const;
    // The actions, for the main window's menus.
    ChecklistActions *actions() const { return actions_; }

    // The components, named as the program's documents name them.
    QLineEdit *editCheckList = nullptr;
    QLabel *labelCheckList = nullptr; // says whether Enter adds or changes
    QPushButton *buttonChecklistAdd = nullptr;
    ChecklistView *listviewCheck = nullptr;
    QPlainTextEdit *memoChecks = nullptr; // hidden; carries text to and from the clipboard
    QTextEdit *RichEdit2 = nullptr;       // hidden; the checklist as printed and saved

    EntryMode entryMode() const { return entry_.mode; }

    // Handlers, public so that the details editor and the tab strip can ask for a title too.
    void CLChangeTitleExecute();
    void CLAddExecute();
    void CLChangeExecute();
    void CLUpExecute();
    void CLDownExecute();
    void CLRemoveExecute();
    void CLRemoveAllTicksExecute();
    void CLRemoveAllDatesExecute();
    void CLRemoveAllExecute();
    void CLPrintExecute();
    void CLSaveExecute();
    void optCheckLinkExecute();
    void optCheckFolderExecute();
    void optCheckSelectAllExecute();
    void optCheckCopyExecute();
    void optCheckPasteExecute();
    void buttonChecklistAddClick();
    void editCheckListChange(const QString &text);

signals:
    // The topic's fields changed and the store needs saving. statusChanged: a task's status
    // or percentage changed, so its tree image, its parent group and the tool buttons need
    // refreshing.
    void nodeProgressChanged(nimbus::TNimbusNode *node, bool statusChanged);
    // The user is about to change the items' effect on the topic (its values follow the
    // ticks); then the items changed from before to after: one step for the undo history.
    void itemsEditing(nimbus::TNimbusNode *node);
    void itemsEdited(nimbus::TNimbusNode *node, int page,
                     const std::vector<nimbus::ChecklistItem> &before,
                     const std::vector<nimbus::ChecklistItem> &after);
    // The page's title (`dis`) changed; the tab shows it.
    void pageTitleChanged(const QString &title);
    // The page now differs from its file.
    void pageModified();

private:
    // The item column's width that shows the longest item whole.
    int itemColumnWidthWanted() const;
    int autoItemWidth_ = -1; // the item column was widened to this for reading
    void listviewCheckTick(int row);
    void listviewCheckDblClick(int row);
    void listviewCheckContextPopup(const QPoint &pos);
    void filesDropped(const QStringList &paths);
    void UpdateProgressFromChecklist();
    void markModified();
    void applyEntry();
    void refreshActions(bool itemUnderPointer);
    int selectedRow() const;
    std::vector<int> selectedRows() const;
    void selectRow(int row);
    void buildReport();
    QString pageTitle() const;
    bool clipboardHasText() const;

    std::unique_ptr<ChecklistPrompts> prompts_;
    ChecklistModel *model_ = nullptr;
    ChecklistActions *actions_ = nullptr;

    TNimbusNode *node_ = nullptr;
    THyperData *page_ = nullptr;
    ContentFolders folders_;
    const Clock *clock_ = nullptr;
    StoreLog *log_ = &NullStoreLog::instance();
    int dateOrder_ = 0;

    EntryState entry_;
    std::vector<ChecklistItem> stepStart_; // the items as the last step (or load) left them
    bool loading_ = false; // tick changes while the list is filled are ignored
    bool readOnly_ = false;
    bool modified_ = false;
    bool nodeChanged_ = false;
    bool titleChanged_ = false;
};

} // namespace nimbus::checklist
