// Showing and saving a topic's pages.
#include "shell/pages/TopicPage.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

#include "shell/checklist/ChecklistPage.h"
#include "shell/core/TopicPages.h"
#include "shell/pages/ChecklistPromptsBridge.h"
#include "shell/pages/DetailsEditor.h"
#include "shell/pages/DetailsTextEdit.h"
#include "shell/pages/FormatIcons.h"
#include "shell/pages/HighlightControl.h"
#include "shell/pages/PagePrompts.h"
#include "shell/pages/ThemeText.h"
#include "store/ContentFiles.h"
#include "store/TNimbusNode.h"
#include "store/TPreferences.h"
#include "widgets/ElidedLabel.h"
#include "widgets/KeyboardAccess.h"
#include "widgets/ShownText.h"

namespace nimbus::pages {

namespace {

QString local(const std::string &text)
{
    return QString::fromLocal8Bit(text.c_str());
}

} // namespace

TopicPage::TopicPage(TopicPageContext context, PagePrompts &prompts, TScreenSetup &setup,
                     const QCursor &highlightCursor, QWidget *parent)
    : QWidget(parent), context_(std::move(context)), prompts_(prompts)
{
    setObjectName("panelToDoNew");
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 4);
    layout->setSpacing(4);

    auto *heading = new QHBoxLayout;
    imageLock = new QLabel(this);
    imageLock->setObjectName("imageLock");
    imageLock->setToolTip(tr("This topic is locked"));
    access::nameFromHint(imageLock);
    imageLock->hide();
    heading->addWidget(imageLock);
    labelTopicName = new widgets::ElidedLabel(this);
    labelTopicName->setObjectName("labelTopicName");
    QFont font = labelTopicName->font();
    font.setPointSizeF(font.pointSizeF() * 1.3);
    font.setBold(true);
    labelTopicName->setFont(font);
    theme::followPalette(labelTopicName, theme::TextRole::Title);
    labelTopicName->setTextFormat(Qt::PlainText);
    heading->addWidget(labelTopicName, 1);
    layout->addLayout(heading);

    tabsData = new QTabBar(this);
    tabsData->setObjectName("tabsData");
    tabsData->setExpanding(false);
    tabsData->setDrawBase(true);
    tabsData->setContextMenuPolicy(Qt::CustomContextMenu);
    layout->addWidget(tabsData);

    panelPages = new QStackedWidget(this);
    details = new DetailsEditor(prompts_, setup, highlightCursor, panelPages);
    panelPages->addWidget(details);
    panelToDoCheckList = new checklist::ChecklistPage(
        std::make_unique<ChecklistPromptsBridge>(prompts_), panelPages);
    panelToDoCheckList->setObjectName("panelToDoCheckList");
    panelPages->addWidget(panelToDoCheckList);
    panelNoPage = new QWidget(panelPages);
    panelNoPage->setObjectName("panelNoPage");
    panelPages->addWidget(panelNoPage);
    layout->addWidget(panelPages, 1);

    labelSaveProblem = new QLabel(this);
    labelSaveProblem->setObjectName("labelSaveProblem");
    labelSaveProblem->setWordWrap(true);
    labelSaveProblem->setTextFormat(Qt::PlainText);
    labelSaveProblem->setStyleSheet("background: rgb(255, 226, 222); color: rgb(140, 0, 0); "
                                    "padding: 4px;");
    labelSaveProblem->hide();
    layout->addWidget(labelSaveProblem);

    labelDateChanged = new QLabel(this);
    labelDateChanged->setObjectName("labelDateChanged");
    theme::followPalette(labelDateChanged, theme::TextRole::Quiet);
    layout->addWidget(labelDateChanged);

    popTabs = new QMenu(this);
    popTabs->setObjectName("popTabs");
    popTabs->addAction(tr("Change page title"), this, &TopicPage::CLChangeTitleExecute);
    connect(tabsData, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        if (node_ && !node_->lock && current_ >= 0)
            popTabs->exec(tabsData->mapToGlobal(at));
    });
    connect(tabsData, &QTabBar::currentChanged, this, &TopicPage::tabsDataChange);
    connect(details, &DetailsEditor::changeTitleRequested, this, &TopicPage::CLChangeTitleExecute);
    connect(panelToDoCheckList, &checklist::ChecklistPage::pageTitleChanged, this,
            [this](const QString &title) {
                if (current_ < 0)
                    return;
                tabsData->setTabText(current_, title);
                describe_ = true;
            });
    connect(panelToDoCheckList, &checklist::ChecklistPage::nodeProgressChanged, this,
            &TopicPage::nodeProgressChanged);
    setEnabled(false);
}

THyperData *TopicPage::currentPage() const
{
    if (!node_ || !node_->content || current_ < 0 ||
        current_ >= static_cast<int>(node_->content->pages.size()))
        return nullptr;
    return node_->content->pages[static_cast<std::size_t>(current_)].get();
}

void TopicPage::ShowTopicPage(TNimbusNode *node)
{
    if (node_)
        emit leavingPage();
    node_ = node;
    current_ = -1;
    describe_ = false;
    const QSignalBlocker blocker(tabsData);
    while (tabsData->count() > 0)
        tabsData->removeTab(0);
    setEnabled(node != nullptr);
    if (!node) {
        labelTopicName->setFullText(QString());
        setAccessibleName(QString());
        labelDateChanged->clear();
        imageLock->hide();
        details->loadPage({}, false);
        panelToDoCheckList->forget();
        return;
    }
    if (!node->contentLoaded || !node->content) {
        node->LoadContent(context_.folders, *context_.log,
                          context_.preferences ? context_.preferences->reserved : 0);
        LoadPageDescriptions(*node->content, context_.folders, *context_.log);
    }
    labelTopicName->setFullText(widgets::shownText(node->text));
    setAccessibleName(labelTopicName->fullText());
    for (const auto &page : node->content->pages)
        tabsData->addTab(local(PageCaption(*page)));
    // A tab bar that had no tabs when the page was laid out asked for no height: let the
    // layout take its new size, or the tabs stay out of sight.
    tabsData->updateGeometry();
    showLock();
    const int shown = VisiblePageIndex(*node->content);
    if (shown >= 0)
        tabsData->setCurrentIndex(shown);
    ShowPage(shown);
}

void TopicPage::ShowPage(int index)
{
    THyperData *page = nullptr;
    if (node_ && node_->content && index >= 0 &&
        index < static_cast<int>(node_->content->pages.size()))
        page = node_->content->pages[static_cast<std::size_t>(index)].get();
    if (current_ >= 0)
        emit leavingPage();
    current_ = page ? index : -1;
    describe_ = false;
    if (page && tabsData->currentIndex() != index) {
        const QSignalBlocker blocker(tabsData);
        tabsData->setCurrentIndex(index);
    }
    panelToDoCheckList->forget();
    if (!page) {
        details->loadPage({}, false);
        panelPages->setCurrentWidget(panelNoPage);
        labelDateChanged->clear();
        return;
    }
    if (page->con == kPageDetails) {
        showDetails(*page);
        details->highlighter->switchOff();
        details->setTitles(labelTopicName->fullText(), tabsData->tabText(index));
        panelPages->setCurrentWidget(details);
    } else if (page->con == kPageChecklist) {
        panelToDoCheckList->load(*node_, *page, context_.folders, *context_.clock,
                                 context_.preferences ? context_.preferences->date : 0,
                                 *context_.log);
        panelToDoCheckList->readOnly(node_->lock);
        panelPages->setCurrentWidget(panelToDoCheckList);
    } else {
        panelPages->setCurrentWidget(panelNoPage);
    }
    showDateChanged();
}

void TopicPage::showDetails(THyperData &page)
{
    const QString keep = tr("It is shown read-only and its file is left as it is.");
    if (const std::optional<QByteArray> kept = kept_.find(node_, page.uni)) {
        details->loadPage(*kept, true);
        details->setModified(true); // saved again with the next save
        return;
    }
    std::string bytes;
    std::string error;
    if (content::ReadDetails(page, context_.folders, bytes, error, *context_.log) ==
        content::DetailsFile::Unreadable) {
        details->loadPage({}, false);
        details->protectPage(tr("This page could not be read (%1). ").arg(local(error)) + keep);
        return;
    }
    const PageLoad load = details->loadPage(
        QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())),
        page.rtf || content::LooksLikeRtf(bytes));
    if (!load.complete) {
        context_.log->AddToLog("*** The page " + page.file + " of " + node_->text +
                               " could not be read completely: " +
                               load.problem.toLocal8Bit().toStdString());
        details->protectPage(tr("This page could not be read completely: %1 ").arg(load.problem) +
                             keep);
    } else if (!load.unkept.isEmpty()) {
        details->protectPage(tr("This page holds %1, which this editor cannot keep. ")
                                 .arg(load.unkept.join(tr(", "))) +
                             keep);
    }
}

void TopicPage::SaveCurrentPage()
{
    if (saving_ || !node_ || !context_.lists)
        return;
    THyperData *page = currentPage();
    if (!page)
        return;
    saving_ = true;
    EditorState editor;
    editor.describe = describe_;
    QByteArray written;
    QString writeError;
    if (page->con == kPageDetails) {
        // A protected page is never written from the editor: it holds less than the file.
        editor.modified = details->modified() && !details->pageProtected();
        editor.holdsData = details->holdsText();
        editor.write = [this, &written, &writeError](THyperData &target) {
            written = details->pageBytes();
            StoreResult result = content::SaveDetails(
                target, context_.folders, std::string(written.constData(), written.size()),
                kDetailsVersions, true, *context_.log);
            if (!result)
                writeError = local(result.errorText);
            return result;
        };
    } else if (page->con == kPageChecklist && panelToDoCheckList->page() == page) {
        const checklist::ChecklistSaveResult saved = panelToDoCheckList->save();
        editor.ownSave = OwnSave{saved.written, !saved.result.ok, saved.descriptionChanged};
    }
    const PageSaveResult result = SaveTopicPage(*node_, current_, editor, context_.folders,
                                                *context_.clock, *context_.log, *context_.lists);
    if (!result.failed) {
        describe_ = false;
        if (editor.modified && page->con == kPageDetails)
            details->setModified(false);
    }
    if (editor.modified && page->con == kPageDetails) {
        if (result.failed && !written.isEmpty())
            kept_.keep(node_, page->uni, written, writeError);
        else if (!result.failed)
            kept_.remove(node_, page->uni);
    }
    if (result.storeChanged && context_.storeModified)
        context_.storeModified();
    if (result.dataSaved)
        showDateChanged();
    retryKeptEdits();
    showSaveProblem();
    saving_ = false;
}

void TopicPage::retryKeptEdits()
{
    const std::vector<KeptPageEdits::Edit> edits = kept_.edits();
    const THyperData *shown = currentPage();
    for (const KeptPageEdits::Edit &edit : edits) {
        if (edit.node == node_ && shown && shown->uni == edit.page)
            continue; // the editor holds these edits
        TContent *content = edit.node->content.get();
        int index = -1;
        for (std::size_t i = 0; content && i < content->pages.size(); ++i)
            if (content->pages[i]->uni == edit.page)
                index = static_cast<int>(i);
        if (index < 0) {
            kept_.remove(edit.node, edit.page);
            continue;
        }
        EditorState editor;
        editor.shown = false;
        editor.modified = true;
        editor.holdsData = true;
        QString error;
        editor.write = [&](THyperData &target) {
            StoreResult result = content::SaveDetails(
                target, context_.folders, std::string(edit.bytes.constData(), edit.bytes.size()),
                kDetailsVersions, true, *context_.log);
            if (!result)
                error = local(result.errorText);
            return result;
        };
        const PageSaveResult result = SaveTopicPage(*edit.node, index, editor, context_.folders,
                                                    *context_.clock, *context_.log,
                                                    *context_.lists);
        if (result.failed)
            kept_.keep(edit.node, edit.page, edit.bytes, error);
        else
            kept_.remove(edit.node, edit.page);
        if (result.storeChanged && context_.storeModified)
            context_.storeModified();
    }
}

void TopicPage::showSaveProblem()
{
    if (kept_.empty()) {
        labelSaveProblem->hide();
        return;
    }
    const KeptPageEdits::Edit &edit = kept_.edits().front();
    QString page = QString::number(edit.page);
    if (edit.node->content)
        for (const auto &candidate : edit.node->content->pages)
            if (candidate->uni == edit.page)
                page = local(PageCaption(*candidate));
    QString text = tr("The changes to the page \"%1\" of \"%2\" could not be saved (%3). They "
                      "are kept and saved again with the next save.")
                       .arg(page, local(edit.node->text), edit.error);
    if (kept_.edits().size() > 1)
        text += tr(" %1 pages are waiting to be saved.").arg(kept_.edits().size());
    labelSaveProblem->setText(text);
    labelSaveProblem->show();
}

void TopicPage::tabsDataChange(int index)
{
    SaveCurrentPage();
    ShowPage(index);
}

void TopicPage::CLChangeTitleExecute()
{
    THyperData *page = currentPage();
    if (!page || !node_ || node_->lock)
        return;
    if (page->con == kPageChecklist && panelToDoCheckList->page() == page) {
        panelToDoCheckList->CLChangeTitleExecute();
        return;
    }
    const std::optional<std::string> title = prompts_.pageTitle(this, PageCaption(*page));
    if (!title)
        return;
    page->dis = *title;
    tabsData->setTabText(current_, local(PageCaption(*page)));
    details->setTitles(labelTopicName->fullText(), tabsData->tabText(current_));
    node_->content->modified = true;
    describe_ = true;
}

void TopicPage::topicChanged(TNimbusNode *node)
{
    if (!node || node != node_)
        return;
    labelTopicName->setFullText(widgets::shownText(node->text));
    // A screen reader names the page after the topic: a renamed topic renames the page.
    setAccessibleName(labelTopicName->fullText());
    if (current_ >= 0)
        details->setTitles(labelTopicName->fullText(), tabsData->tabText(current_));
    if (node->lock != details->locked())
        showLock();
}

void TopicPage::forget(const std::vector<TNimbusNode *> &nodes)
{
    for (TNimbusNode *gone : nodes)
        kept_.forget(gone);
    showSaveProblem();
    for (TNimbusNode *gone : nodes) {
        if (gone == node_) {
            // The topic goes with its pages: nothing of it is written any more.
            details->setModified(false);
            panelToDoCheckList->forget();
            node_ = nullptr;
            ShowTopicPage(nullptr);
            return;
        }
    }
}

void TopicPage::showLock()
{
    const bool locked = node_ && node_->lock;
    // Drawn when shown, for the screen the window is on now.
    if (locked)
        imageLock->setPixmap(icons::lock(20, imageLock->devicePixelRatioF()));
    imageLock->setVisible(locked);
    details->setLocked(locked);
    if (panelToDoCheckList->page())
        panelToDoCheckList->readOnly(locked);
}

void TopicPage::showDateChanged()
{
    const THyperData *page = currentPage();
    const int order = context_.preferences ? context_.preferences->date : 0;
    labelDateChanged->setText(page ? local(DateChangedText(*page, order)) : QString());
}

} // namespace nimbus::pages
