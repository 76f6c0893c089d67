// The checklist page: entry box, list, ticks, clipboard, links, printing and saving.
#include "shell/checklist/ChecklistPage.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QStyle>
#include <QPrinter>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "shell/checklist/ChecklistActions.h"
#include "shell/checklist/ChecklistModel.h"
#include "shell/checklist/ChecklistReport.h"
#include "shell/checklist/ChecklistView.h"
#include "store/Clock.h"
#include "store/DateFormat.h"
#include "store/TContent.h"
#include "store/THyperData.h"
#include "store/TNimbusNode.h"

namespace nimbus::checklist {

namespace {

// The items as the file holds them (the link is found again from the text).
bool sameItems(const std::vector<ChecklistItem> &a, const std::vector<ChecklistItem> &b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].checked != b[i].checked || a[i].text != b[i].text || a[i].finished != b[i].finished)
            return false;
    return true;
}

// A caption without its closing colon (and the blank some languages put before it).
QString withoutColon(QString caption)
{
    if (caption.endsWith(QLatin1Char(':')))
        caption.chop(1);
    return caption.trimmed();
}

QString toQt(const std::string &text)
{
    return QString::fromLocal8Bit(text.c_str());
}

std::string fromQt(const QString &text)
{
    return text.toLocal8Bit().toStdString();
}

} // namespace

ChecklistPage::ChecklistPage(std::unique_ptr<ChecklistPrompts> prompts, QWidget *parent)
    : QWidget(parent), prompts_(std::move(prompts))
{
    setObjectName(QStringLiteral("panelToDoCheckList"));
    // The node travels in a signal; queued connections and spies need its type registered.
    qRegisterMetaType<nimbus::TNimbusNode *>();
    model_ = new ChecklistModel(this);

    editCheckList = new QLineEdit(this);
    editCheckList->setObjectName(QStringLiteral("editCheckList"));
    buttonChecklistAdd = new QPushButton(this);
    buttonChecklistAdd->setObjectName(QStringLiteral("buttonChecklistAdd"));
    listviewCheck = new ChecklistView(this);
    listviewCheck->setModel(model_);

    // Long item texts must not be wrapped on their way through the clipboard.
    memoChecks = new QPlainTextEdit(this);
    memoChecks->setObjectName(QStringLiteral("memoChecks"));
    memoChecks->setLineWrapMode(QPlainTextEdit::NoWrap);
    memoChecks->setFixedWidth(2000);
    memoChecks->hide();
    RichEdit2 = new QTextEdit(this);
    RichEdit2->setObjectName(QStringLiteral("RichEdit2"));
    RichEdit2->hide();

    labelCheckList = new QLabel(this);
    labelCheckList->setObjectName(QStringLiteral("labelCheckList"));
    labelCheckList->setBuddy(editCheckList);
    editCheckList->setPlaceholderText(tr("Type an item and press Enter to add it"));
    auto *entryRow = new QHBoxLayout;
    entryRow->addWidget(labelCheckList);
    entryRow->addWidget(editCheckList, 1);
    entryRow->addWidget(buttonChecklistAdd);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(entryRow);
    layout->addWidget(listviewCheck, 1);

    actions_ = new ChecklistActions(this);
    const auto on = [this](QAction *action, void (ChecklistPage::*handler)()) {
        connect(action, &QAction::triggered, this, handler);
    };
    on(actions_->CLChangeTitle, &ChecklistPage::CLChangeTitleExecute);
    on(actions_->CLAdd, &ChecklistPage::CLAddExecute);
    on(actions_->CLChange, &ChecklistPage::CLChangeExecute);
    on(actions_->CLUp, &ChecklistPage::CLUpExecute);
    on(actions_->CLDown, &ChecklistPage::CLDownExecute);
    on(actions_->optCheckLink, &ChecklistPage::optCheckLinkExecute);
    on(actions_->optCheckFolder, &ChecklistPage::optCheckFolderExecute);
    on(actions_->optCheckSelectAll, &ChecklistPage::optCheckSelectAllExecute);
    on(actions_->optCheckCopy, &ChecklistPage::optCheckCopyExecute);
    on(actions_->optCheckPaste, &ChecklistPage::optCheckPasteExecute);
    on(actions_->CLPrint, &ChecklistPage::CLPrintExecute);
    on(actions_->CLSave, &ChecklistPage::CLSaveExecute);
    on(actions_->CLRemove, &ChecklistPage::CLRemoveExecute);
    on(actions_->CLRemoveAllTicks, &ChecklistPage::CLRemoveAllTicksExecute);
    on(actions_->CLRemoveAllDates, &ChecklistPage::CLRemoveAllDatesExecute);
    on(actions_->CLRemoveAll, &ChecklistPage::CLRemoveAllExecute);

    connect(editCheckList, &QLineEdit::textEdited, this, &ChecklistPage::editCheckListChange);
    connect(editCheckList, &QLineEdit::returnPressed, this,
            &ChecklistPage::buttonChecklistAddClick);
    connect(buttonChecklistAdd, &QPushButton::clicked, this,
            &ChecklistPage::buttonChecklistAddClick);
    connect(listviewCheck, &ChecklistView::tickClicked, this, &ChecklistPage::listviewCheckTick);
    connect(listviewCheck, &ChecklistView::itemPressed, this, &ChecklistPage::CLChangeExecute);
    connect(listviewCheck, &ChecklistView::emptyAreaPressed, this, &ChecklistPage::CLAddExecute);
    connect(listviewCheck, &ChecklistView::itemDoubleClicked, this,
            &ChecklistPage::listviewCheckDblClick);
    connect(listviewCheck, &ChecklistView::filesDropped, this, &ChecklistPage::filesDropped);
    connect(listviewCheck, &QWidget::customContextMenuRequested, this,
            &ChecklistPage::listviewCheckContextPopup);
    // A click that moves the selection (keyboard included) puts the item into the entry box.
    connect(listviewCheck->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (!loading_ && current.isValid() && selectedRow() == current.row())
                    CLChangeExecute();
                refreshActions(selectedRow() >= 0);
            });
    connect(listviewCheck->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { refreshActions(selectedRow() >= 0); });

    // "Paste" follows the clipboard, also for its shortcut.
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
            [this] { refreshActions(selectedRow() >= 0); });

    applyEntry();
    refreshActions(false);
}

ChecklistPage::~ChecklistPage() = default;

const std::vector<ChecklistItem> &ChecklistPage::items() const
{
    return model_->items();
}

bool ChecklistPage::load(TNimbusNode &node, THyperData &page, const ContentFolders &folders,
                         const Clock &clock, int dateOrder, StoreLog &log)
{
    loading_ = true;
    node_ = &node;
    page_ = &page;
    folders_ = folders;
    clock_ = &clock;
    log_ = &log;
    dateOrder_ = dateOrder;
    if (page.columns.empty()) {
        page.AddDefaultColumns();
        page.columnsChanged = true;
    }
    std::vector<ChecklistItem> items;
    const bool read = content::LoadChecklist(page, folders, items, log);
    stepStart_ = items;
    model_->reset(std::move(items), page, dateOrder);
    autoItemWidth_ = -1;
    for (int i = 0; i < static_cast<int>(page.columns.size()); ++i) {
        const TTableItemA &column = *page.columns[static_cast<std::size_t>(i)];
        listviewCheck->setColumnHidden(i, !column.vis);
        if (!column.vis)
            continue;
        int width = std::max(column.wid, 1);
        // The item column opens wide enough to read its items ("Read the ..." tells
        // nothing); the stored width stays what the user chose until they drag it.
        if (i == 0) {
            const int wanted = std::min(itemColumnWidthWanted(), 600);
            if (wanted > width)
                width = autoItemWidth_ = wanted;
        }
        listviewCheck->setColumnWidth(i, width);
    }
    modified_ = false;
    nodeChanged_ = false;
    titleChanged_ = false;
    entry_ = AddState();
    editCheckList->clear();
    applyEntry();
    loading_ = false;
    refreshActions(false);
    return read;
}

int ChecklistPage::itemColumnWidthWanted() const
{
    // The tick box, the item's text and a margin on each side.
    const QFontMetrics metrics(listviewCheck->font());
    int widest = 0;
    for (const ChecklistItem &item : model_->items())
        widest = std::max(widest, metrics.horizontalAdvance(toQt(item.text)));
    const int tickBox = listviewCheck->style()->pixelMetric(QStyle::PM_IndicatorWidth);
    return widest + tickBox + 24;
}

ChecklistSaveResult ChecklistPage::save()
{
    ChecklistSaveResult saved;
    if (!page_)
        return saved;
    std::vector<int> widths;
    for (int i = 0; i < model_->columnCount(); ++i)
        widths.push_back(listviewCheck->isColumnHidden(i) ? 0 : listviewCheck->columnWidth(i));
    // A width only widened for reading is not one the user chose: the file keeps theirs.
    if (!widths.empty() && autoItemWidth_ > 0 && widths[0] == autoItemWidth_ && !page_->columns.empty())
        widths[0] = page_->columns[0]->wid;
    page_->TrackColumns(widths);

    if (modified_) {
        saved.written = true;
        if (model_->count() > 0) {
            if (!page_->data) {
                page_->data = true;
                saved.descriptionChanged = true;
            }
            saved.result = content::SaveChecklist(*page_, folders_, model_->items(), *log_);
        } else if (page_->data) {
            // An emptied list keeps no file: an old version is made, the file goes.
            content::DeletePageFile(*page_, folders_, *log_);
            page_->data = false;
            page_->file.clear();
            if (page_->owner)
                page_->owner->modified = true;
            saved.descriptionChanged = true;
        }
        if (saved.result) {
            page_->ame = dates::stamp(clock_->now());
            saved.descriptionChanged = true;
            modified_ = false;
        } else {
            log_->AddErrorToLog("*** The checklist could not be saved: " + page_->file,
                                saved.result.errorText);
        }
    }
    saved.descriptionChanged = saved.descriptionChanged || titleChanged_ || page_->columnsChanged;
    titleChanged_ = false;
    saved.contentModified = page_->owner && page_->owner->modified;
    saved.nodeChanged = nodeChanged_;
    nodeChanged_ = false;
    return saved;
}

void ChecklistPage::readOnly(bool locked)
{
    readOnly_ = locked;
    listviewCheck->setEnabled(!locked);
    editCheckList->setEnabled(!locked);
    applyEntry();
    refreshActions(false);
}

void ChecklistPage::forget()
{
    node_ = nullptr;
    page_ = nullptr;
    clock_ = nullptr;
    log_ = &NullStoreLog::instance();
    model_->clearAll();
    stepStart_.clear();
    modified_ = false;
    nodeChanged_ = false;
    titleChanged_ = false;
    entry_ = AddState();
    editCheckList->clear();
    applyEntry();
    refreshActions(false);
}

// ---- entry box ----

void ChecklistPage::applyEntry()
{
    // The rules' captions, in the user's language.
    const QString caption =
        QCoreApplication::translate("nimbus::checklist", entry_.caption.c_str());
    const QString label = QCoreApplication::translate("nimbus::checklist", entry_.label.c_str());
    buttonChecklistAdd->setText(caption);
    labelCheckList->setText(label);
    // Bold while Enter changes an existing item: the one mode that overwrites something.
    QFont font = labelCheckList->font();
    font.setBold(entry_.mode == EntryMode::Change);
    labelCheckList->setFont(font);
    editCheckList->setAccessibleName(withoutColon(label));
    buttonChecklistAdd->setEnabled(entry_.buttonEnabled && !readOnly_);
}

void ChecklistPage::CLAddExecute()
{
    listviewCheck->clearSelection();
    entry_ = AddState();
    applyEntry();
    editCheckList->clear();
    editCheckList->setFocus();
}

void ChecklistPage::CLChangeExecute()
{
    const int row = selectedRow();
    if (row < 0) {
        CLAddExecute();
        return;
    }
    entry_ = ChangeState(true);
    applyEntry();
    editCheckList->setText(toQt(model_->item(row).text));
}

void ChecklistPage::editCheckListChange(const QString &text)
{
    entry_ = AfterTyping(entry_, fromQt(text));
    applyEntry();
    if (entry_.mode == EntryMode::Change && !readOnly_) {
        const int row = selectedRow();
        if (row >= 0) {
            model_->setText(row, fromQt(text));
            markModified();
        }
    }
}

void ChecklistPage::buttonChecklistAddClick()
{
    if (readOnly_ || !page_)
        return;
    const QString text = editCheckList->text();
    if (entry_.mode == EntryMode::Add) {
        if (text.isEmpty()) {
            listviewCheck->setFocus();
            return;
        }
        std::vector<ChecklistItem> added;
        added.push_back(MakeItem(fromQt(text)));
        model_->append(std::move(added));
        editCheckList->clear();
        entry_ = AddState();
        applyEntry();
        editCheckList->setFocus();
    } else {
        const int row = selectedRow();
        if (row >= 0)
            model_->setText(row, fromQt(text));
        editCheckList->clear();
        entry_ = AddState();
        applyEntry();
        listviewCheck->setFocus();
    }
    markModified();
    UpdateProgressFromChecklist();
}

// ---- list changes ----

void ChecklistPage::listviewCheckTick(int row)
{
    if (loading_ || readOnly_ || !clock_ || row < 0 || row >= model_->count())
        return;
    model_->setTick(row, !model_->item(row).checked, *clock_);
    markModified();
    UpdateProgressFromChecklist();
}

void ChecklistPage::CLRemoveExecute()
{
    const std::vector<int> rows = selectedRows();
    if (readOnly_ || rows.empty())
        return;
    model_->removeItems(rows);
    // The item being changed may be gone; start afresh.
    entry_ = AddState();
    editCheckList->clear();
    applyEntry();
    markModified();
    UpdateProgressFromChecklist();
}

void ChecklistPage::CLUpExecute()
{
    const int row = selectedRow();
    if (readOnly_ || row < 0)
        return;
    const int moved = model_->move(row, -1);
    if (moved < 0)
        return;
    selectRow(moved);
    markModified();
    UpdateProgressFromChecklist();
}

void ChecklistPage::CLDownExecute()
{
    const int row = selectedRow();
    if (readOnly_ || row < 0)
        return;
    const int moved = model_->move(row, +1);
    if (moved < 0)
        return;
    selectRow(moved);
    markModified();
    UpdateProgressFromChecklist();
}

void ChecklistPage::CLRemoveAllTicksExecute()
{
    if (readOnly_ || model_->count() == 0)
        return;
    model_->untickAll();
    markModified();
    UpdateProgressFromChecklist();
}

void ChecklistPage::CLRemoveAllDatesExecute()
{
    if (readOnly_ || model_->count() == 0)
        return;
    model_->clearDates();
    markModified();
    UpdateProgressFromChecklist();
}

void ChecklistPage::CLRemoveAllExecute()
{
    if (readOnly_ || model_->count() == 0)
        return;
    model_->removeAll();
    entry_ = AddState();
    editCheckList->clear();
    applyEntry();
    markModified();
    UpdateProgressFromChecklist();
}

void ChecklistPage::filesDropped(const QStringList &paths)
{
    if (readOnly_ || !page_ || paths.isEmpty())
        return;
    std::vector<ChecklistItem> added;
    for (const QString &path : paths)
        added.push_back(MakeItem(fromQt(path)));
    model_->append(std::move(added));
    markModified();
    UpdateProgressFromChecklist();
}

void ChecklistPage::UpdateProgressFromChecklist()
{
    if (!node_ || !clock_)
        return;
    const bool step = page_ && !sameItems(model_->items(), stepStart_);
    if (step)
        emit itemsEditing(node_);
    const ProgressOutcome outcome =
        checklist::UpdateProgressFromChecklist(*node_, model_->items(), *clock_);
    if (outcome.storeModified) {
        nodeChanged_ = true;
        emit nodeProgressChanged(node_, outcome.statusChanged);
    }
    if (step) {
        std::vector<ChecklistItem> before = std::move(stepStart_);
        stepStart_ = model_->items();
        emit itemsEdited(node_, page_->uni, before, stepStart_);
    }
}

void ChecklistPage::setItems(std::vector<ChecklistItem> items)
{
    if (!page_)
        return;
    stepStart_ = items;
    model_->reset(std::move(items), *page_, dateOrder_);
    entry_ = AddState();
    editCheckList->clear();
    applyEntry();
    markModified();
}

void ChecklistPage::markModified()
{
    modified_ = true;
    refreshActions(selectedRow() >= 0);
    emit pageModified();
}

// ---- clipboard ----

void ChecklistPage::optCheckSelectAllExecute()
{
    listviewCheck->selectAll();
}

void ChecklistPage::optCheckCopyExecute()
{
    const std::vector<int> rows = selectedRows();
    if (rows.empty())
        return;
    memoChecks->setPlainText(toQt(JoinItemTexts(model_->items(), rows)));
    memoChecks->selectAll();
    memoChecks->copy();
}

void ChecklistPage::optCheckPasteExecute()
{
    if (readOnly_ || !page_)
        return;
    memoChecks->clear();
    memoChecks->paste();
    std::vector<ChecklistItem> added;
    for (const std::string &line : SplitPastedText(fromQt(memoChecks->toPlainText())))
        added.push_back(MakeItem(line));
    if (added.empty())
        return;
    model_->append(std::move(added));
    listviewCheck->clearSelection();
    editCheckList->clear();
    entry_ = AddState();
    applyEntry();
    markModified();
    UpdateProgressFromChecklist();
}

bool ChecklistPage::clipboardHasText() const
{
    const QMimeData *mime = QApplication::clipboard()->mimeData();
    return mime && mime->hasText() && !mime->text().isEmpty();
}

// ---- links ----

void ChecklistPage::optCheckLinkExecute()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    const std::string target = LinkTarget(model_->item(row));
    if (target.empty() || !prompts_->openDocument(target))
        prompts_->tellUser(this, tr("Cannot open \"%1\".").arg(toQt(target)));
}

void ChecklistPage::optCheckFolderExecute()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    const std::string folder = ContainingFolder(LinkTarget(model_->item(row)));
    if (folder.empty() || !prompts_->openDocument(folder))
        prompts_->tellUser(
            this, tr("There is no folder to open for \"%1\".").arg(toQt(model_->item(row).text)));
}

void ChecklistPage::listviewCheckDblClick(int row)
{
    if (row < 0 || row >= model_->count())
        return;
    selectRow(row);
    CLChangeExecute();
    if (NamesFile(model_->item(row)))
        prompts_->openDocument(LinkTarget(model_->item(row)));
}

// ---- title, printing, saving ----

QString ChecklistPage::pageTitle() const
{
    if (!page_ || page_->dis.empty())
        return QStringLiteral("Checklist");
    return toQt(page_->dis);
}

void ChecklistPage::CLChangeTitleExecute()
{
    if (readOnly_ || !page_)
        return;
    const std::optional<std::string> title = prompts_->askPageTitle(this, fromQt(pageTitle()));
    if (!title || *title == page_->dis)
        return;
    page_->dis = *title;
    if (page_->owner)
        page_->owner->modified = true;
    titleChanged_ = true;
    emit pageTitleChanged(toQt(page_->dis));
}

void ChecklistPage::buildReport()
{
    BuildChecklistDocument(*RichEdit2->document(), pageTitle(), model_->items(), dateOrder_);
}

void ChecklistPage::CLPrintExecute()
{
    QPrinter printer(QPrinter::HighResolution);
    if (!prompts_->setUpPrinter(this, printer))
        return;
    buildReport();
    PrintChecklist(*RichEdit2->document(), printer, pageTitle());
}

void ChecklistPage::CLSaveExecute()
{
    const QString path = prompts_->chooseRtfFile(this, pageTitle() + QStringLiteral(".rtf"));
    if (path.isEmpty())
        return;
    buildReport();
    const QString error = SaveChecklistRtf(*RichEdit2->document(), path);
    if (!error.isEmpty())
        prompts_->tellUser(this, error);
}

// ---- selection and menu ----

int ChecklistPage::selectedRow() const
{
    const QModelIndex current = listviewCheck->currentIndex();
    QItemSelectionModel *selection = listviewCheck->selectionModel();
    if (current.isValid() && selection->isRowSelected(current.row()))
        return current.row();
    const QModelIndexList rows = selection->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

std::vector<int> ChecklistPage::selectedRows() const
{
    std::vector<int> rows;
    for (const QModelIndex &index : listviewCheck->selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void ChecklistPage::selectRow(int row)
{
    const QModelIndex index = model_->index(row, 0);
    listviewCheck->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                                QItemSelectionModel::Rows);
}

void ChecklistPage::refreshActions(bool itemUnderPointer)
{
    MenuContext context;
    context.itemCount = model_->count();
    context.selectedCount = static_cast<int>(selectedRows().size());
    context.itemUnderPointer = itemUnderPointer;
    context.clipboardHasText = clipboardHasText();
    context.readOnly = readOnly_ || !page_;
    actions_->apply(PopupState(context));
}

void ChecklistPage::listviewCheckContextPopup(const QPoint &pos)
{
    refreshActions(listviewCheck->indexAt(pos).isValid());
    actions_->popCheckList->popup(listviewCheck->viewport()->mapToGlobal(pos));
}

} // namespace nimbus::checklist
