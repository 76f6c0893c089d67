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
#include "store/ContentFiles.h"
#include "store/TNimbusNode.h"
#include "store/TPreferences.h"
#include "widgets/KeyboardAccess.h"

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
    labelTopicName = new QLabel(this);
    labelTopicName->setObjectName("labelTopicName");
    QFont font = labelTopicName->font();
    font.setPointSizeF(font.pointSizeF() * 1.3);
    font.setBold(true);
    labelTopicName->setFont(font);
    labelTopicName->setStyleSheet("color: rgb(0, 0, 128);");
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

    labelDateChanged = new QLabel(this);
    labelDateChanged->setObjectName("labelDateChanged");
    labelDateChanged->setStyleSheet("color: rgb(90, 90, 90);");
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
    node_ = node;
    current_ = -1;
    describe_ = false;
    const QSignalBlocker blocker(tabsData);
    while (tabsData->count() > 0)
        tabsData->removeTab(0);
    setEnabled(node != nullptr);
    if (!node) {
        labelTopicName->clear();
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
    labelTopicName->setText(local(node->text));
    setAccessibleName(labelTopicName->text());
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
        std::string bytes;
        content::LoadDetails(*page, context_.folders, bytes, *context_.log);
        QString problem;
        if (!details->loadPage(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())),
                               page->rtf, &problem))
            context_.log->AddToLog(
                "*** The page " + page->file + " of " + node_->text +
                " could not be read completely: " + problem.toLocal8Bit().toStdString());
        details->highlighter->switchOff();
        details->setTitles(labelTopicName->text(), tabsData->tabText(index));
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
    if (page->con == kPageDetails) {
        editor.modified = details->modified();
        editor.holdsData = details->holdsText();
        editor.write = [this](THyperData &target) {
            const QByteArray bytes = details->pageBytes();
            return content::SaveDetails(target, context_.folders,
                                        std::string(bytes.constData(), bytes.size()),
                                        kDetailsVersions, true, *context_.log);
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
    if (result.storeChanged && context_.storeModified)
        context_.storeModified();
    if (result.dataSaved)
        showDateChanged();
    saving_ = false;
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
    details->setTitles(labelTopicName->text(), tabsData->tabText(current_));
    node_->content->modified = true;
    describe_ = true;
}

void TopicPage::topicChanged(TNimbusNode *node)
{
    if (!node || node != node_)
        return;
    labelTopicName->setText(local(node->text));
    // A screen reader names the page after the topic: a renamed topic renames the page.
    setAccessibleName(labelTopicName->text());
    if (current_ >= 0)
        details->setTitles(labelTopicName->text(), tabsData->tabText(current_));
    if (node->lock != details->locked())
        showLock();
}

void TopicPage::forget(const std::vector<TNimbusNode *> &nodes)
{
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
