#include "shell/search/SearchController.h"

#include <memory>

#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QShortcut>
#include <QStyle>
#include <QTabBar>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "search/SavedSearches.h"
#include "search/SearchFilters.h"
#include "search/StoreTopics.h"
#include "search/TextMatcher.h"
#include "shell/MainLayout.h"
#include "shell/MainTreeView.h"
#include "shell/PageArea.h"
#include "shell/TformMain.h"
#include "shell/TopicIcons.h"
#include "shell/TreeController.h"
#include "shell/lan/LanSharing.h"
#include "shell/pages/DetailsEditor.h"
#include "shell/pages/DetailsTextEdit.h"
#include "shell/pages/TopicPage.h"
#include "shell/search/SearchResultsPage.h"
#include "shell/search/SnippetHtml.h"
#include "shell/summary/SummaryPage.h"
#include "store/StoreLog.h"
#include "store/TNimbusStructure.h"

namespace nimbus::searchui {

namespace {
const QString kPage = QStringLiteral("panelSearch");

// Every text that holds a word: "title, page: Notes".
QString whereText(const std::vector<search::TextHit> &places)
{
    QStringList where;
    for (const search::TextHit &text : places) {
        const QString name = QString::fromStdString(text.pageName);
        switch (text.kind) {
        case search::HitKind::Title:
            where << SearchController::tr("title");
            break;
        case search::HitKind::Page:
            where << SearchController::tr("page: %1").arg(name);
            break;
        case search::HitKind::Checklist:
            where << SearchController::tr("checklist: %1").arg(name);
            break;
        }
    }
    return where.join(QStringLiteral(", "));
}
} // namespace

SearchController::SearchController(TformMain &window) : QObject(&window), window_(window)
{
    editSearch = new QLineEdit(window.mainLayout()->panelStruct);
    editSearch->setObjectName(QStringLiteral("editSearch"));
    editSearch->setPlaceholderText(tr("Search (Ctrl+F)"));
    editSearch->setAccessibleName(tr("Search"));
    window.mainLayout()->structContent()->insertWidget(0, editSearch);
    editSearch->installEventFilter(this);
    page_ = new SearchResultsPage;
    window.pageArea()->setPage(page_);
    connect(editSearch, &QLineEdit::textChanged, this, &SearchController::queryChanged);

    // Saved searches: the field's own button opens their menu, and so do Alt+Down and the
    // field's context menu (below the editing entries).
    menuSavedSearches = new QMenu(editSearch);
    menuSavedSearches->setObjectName(QStringLiteral("menuSavedSearches"));
    actionSavedSearches = editSearch->addAction(
        editSearch->style()->standardIcon(QStyle::SP_ToolBarVerticalExtensionButton),
        QLineEdit::TrailingPosition);
    actionSavedSearches->setObjectName(QStringLiteral("actionSavedSearches"));
    actionSavedSearches->setText(tr("Saved searches"));
    actionSavedSearches->setToolTip(tr("Saved searches (Alt+Down)"));
    // The line edit makes the action a button that takes no focus: it becomes a Tab stop, so
    // that a keyboard finds it as the mouse does (Alt+Down from the field opens it too).
    for (QToolButton *button : editSearch->findChildren<QToolButton *>())
        if (button->defaultAction() == actionSavedSearches)
            buttonSavedSearches = button;
    if (buttonSavedSearches) {
        buttonSavedSearches->setObjectName(QStringLiteral("buttonSavedSearches"));
        buttonSavedSearches->setFocusPolicy(Qt::TabFocus);
        buttonSavedSearches->setAccessibleName(tr("Saved searches"));
    }
    connect(actionSavedSearches, &QAction::triggered, this, [this] {
        menuSavedSearches->clear();
        fillSavedSearchMenu(*menuSavedSearches);
        menuSavedSearches->popup(editSearch->mapToGlobal(editSearch->rect().bottomRight()) -
                                 QPoint(menuSavedSearches->sizeHint().width(), 0));
    });
    editSearch->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(editSearch, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        QMenu *menu = editSearch->createStandardContextMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->addSeparator();
        fillSavedSearchMenu(*menu);
        menu->popup(editSearch->mapToGlobal(at));
    });
    askName_ = [this](const QString &query, QWidget *parent) -> std::optional<QString> {
        QString name = query;
        for (;;) {
            bool ok = false;
            name = QInputDialog::getText(parent, tr("Save this search"),
                                         tr("Name for the search \"%1\":").arg(query),
                                         QLineEdit::Normal, name, &ok)
                       .trimmed();
            if (!ok || name.isEmpty())
                return std::nullopt;
            if (!savedSearchNames().contains(name) ||
                QMessageBox::question(
                    parent, tr("Save this search"),
                    tr("A saved search is called \"%1\". Replace it?").arg(name)) ==
                    QMessageBox::Yes)
                return name;
        }
    };
    if (summarypage::SummaryPage *summary = window.summaryPage())
        summary->setSavedSearches([this] { return savedSearchNames(); },
                                  [this](const QString &name) { runSavedSearch(name); });
    connect(page_, &SearchResultsPage::rowOpened, this, &SearchController::openRow);
    // Marks belong to the page they were found on: another topic drops them.
    connect(&window, &TformMain::selectionChanged, this, [this] {
        matches_.clear();
        current_ = -1;
    });

    auto *find = new QShortcut(QKeySequence::Find, &window);
    connect(find, &QShortcut::activated, this, [this] {
        editSearch->setFocus(Qt::ShortcutFocusReason);
        editSearch->selectAll();
    });
    auto *next = new QShortcut(QKeySequence(Qt::Key_F3), &window);
    connect(next, &QShortcut::activated, this, [this] { stepMatch(true); });
    auto *previous = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3), &window);
    connect(previous, &QShortcut::activated, this, [this] { stepMatch(false); });

    // The callbacks run on the worker: each hands its values to this thread. Answers come
    // with the snippets of their pages, cut there from the worker's cache of page texts.
    search::SearchService::Callbacks callbacks;
    callbacks.results = [this](std::uint64_t ticket, search::TopicAnswer answer) {
        QMetaObject::invokeMethod(
            this, [this, ticket, answer = std::move(answer)] { resultsArrived(ticket, answer); },
            Qt::QueuedConnection);
    };
    callbacks.progress = [this](std::int64_t done, std::int64_t total) {
        QMetaObject::invokeMethod(
            this, [this, done, total] {
                page_->setStatus(tr("Building the search index: %1 of %2 topics").arg(done).arg(total));
            },
            Qt::QueuedConnection);
    };
    callbacks.log = [this](const std::string &line) {
        QMetaObject::invokeMethod(
            this, [this, line] { window_.AddToLog(line); }, Qt::QueuedConnection);
    };
    callbacks.state = [this](search::SearchService::State state) {
        QMetaObject::invokeMethod(
            this, [this, state] {
                if (state == search::SearchService::State::Ready && !editSearch->text().isEmpty())
                    queryChanged(editSearch->text()); // answer what was typed during the build
            },
            Qt::QueuedConnection);
    };
    callbacks.topicsWanted = [this] {
        QMetaObject::invokeMethod(
            this, [this] { handOverTopics(); }, Qt::QueuedConnection);
    };
    service_ = std::make_unique<search::SearchService>(
        window.paths().DataFolder + search::SearchIndex::kFileName,
        ContentFolders::inDataFolder(window.paths().DataFolder), std::move(callbacks));
}

SearchController::~SearchController()
{
    service_.reset(); // the worker ends before the object its callbacks point at
}

void SearchController::start()
{
    // Only the digest: a start that finds nothing changed holds no second copy of the topics.
    if (const TNimbusStructure *store = window_.store())
        service_->Start(search::DigestTopics(*store));
    else
        service_->Start(search::TopicList{});
}

void SearchController::handOverTopics()
{
    // Taken now, not when the worker asked: the topics as they are when it gets them.
    if (const TNimbusStructure *store = window_.store())
        service_->Supply(std::make_shared<const search::TopicList>(search::CopyTopics(*store)));
    else
        service_->Supply(std::make_shared<const search::TopicList>());
}

void SearchController::followChanges(TreeController &tree, LanSharing &lan)
{
    connect(&tree, &TreeController::nodeChanged, this, [this](TNimbusNode *node) {
        if (node)
            topicSaved(node->uni);
    });
    connect(&tree, &TreeController::topicsRemoving, this,
            [this](const std::vector<TNimbusNode *> &nodes) {
                for (const TNimbusNode *node : nodes)
                    service_->TopicRemoved(node->uni);
            });
    connect(&lan, &LanSharing::merged, this, &SearchController::refresh);
}

void SearchController::refresh()
{
    if (const TNimbusStructure *store = window_.store())
        service_->Refresh(search::DigestTopics(*store));
    else
        service_->Refresh(search::TopicList{});
}

void SearchController::topicSaved(const std::string &uni)
{
    if (const TNimbusStructure *store = window_.store())
        if (const TNimbusNode *node = store->Find(uni))
            service_->TopicChanged({node->uni, node->text});
}

void SearchController::queryChanged(const QString &text)
{
    query_ = search::ParseQuery(text.trimmed().toStdString());
    if (query_.empty()) {
        clear();
        return;
    }
    if (window_.pageArea()->currentPageName() != kPage) {
        // The results take the page's place: what was just typed on it is saved, as leaving
        // the topic would save it, so that this query finds it.
        window_.SaveCurrentPage();
        pageBefore_ = window_.pageArea()->currentPageName();
        window_.pageArea()->showPage(kPage);
    }
    // Filters go with the query, so that the index ranks and cuts only what passes them.
    search::TopicFilter allowed;
    if (query_.filters.any() && window_.store())
        allowed = search::FilteredTopics(*window_.store(), query_.filters, window_.clock());
    ticket_ = service_->Query(query_, std::move(allowed), kLimit);
}

void SearchController::clear()
{
    ticket_ = 0;
    results_.clear();
    page_->setRows({});
    page_->setStatus({});
    if (window_.pageArea()->currentPageName() == kPage && !pageBefore_.isEmpty())
        window_.pageArea()->showPage(pageBefore_);
}

void SearchController::resultsArrived(std::uint64_t ticket, const search::TopicAnswer &answer)
{
    // An answer to a query since replaced, or to one the user cleared, is dropped.
    if (ticket != ticket_ || !window_.store())
        return;
    const TNimbusStructure &store = *window_.store();
    results_ = search::ResolveHits(answer, query_, store);
    std::vector<ResultRow> rows;
    rows.reserve(results_.size());
    for (const search::SearchResult &hit : results_) {
        const TNimbusNode *node = store.Find(hit.topic);
        ResultRow row;
        row.title = QString::fromStdString(hit.title);
        row.path = QString::fromStdString(hit.path);
        row.typeIcon = icons::topicType(node->ttype);
        if (node->status > 0)
            row.statusIcon = icons::status(node->status);
        row.where = whereText(hit.places);
        row.snippet = snippetHtml(hit.snippet);
        row.snippetText = QString::fromStdString(hit.snippet.text);
        rows.push_back(std::move(row));
    }
    page_->setRows(rows);
    if (answer.total > rows.size())
        page_->setStatus(tr("%1 hits, the first %2 shown").arg(answer.total).arg(rows.size()));
    else
        page_->setStatus(rows.size() == 1 ? tr("1 hit") : tr("%1 hits").arg(rows.size()));
}

void SearchController::openRow(int row)
{
    if (row < 0 || row >= static_cast<int>(results_.size()) || !window_.store())
        return;
    const search::SearchResult hit = results_[static_cast<std::size_t>(row)];
    TNimbusNode *node = window_.store()->Find(hit.topic);
    if (!node || !window_.treeController())
        return;
    window_.treeController()->revealTopic(node);
    pages::TopicPage *topicPage = window_.topicPage();
    window_.pageArea()->showPage(QStringLiteral("panelToDoNew"));
    pageBefore_ = QStringLiteral("panelToDoNew");
    if (hit.kind != search::HitKind::Title && node->content && topicPage->node() == node) {
        const auto &pages = node->content->pages;
        for (std::size_t i = 0; i < pages.size(); ++i)
            if (pages[i]->uni == hit.page)
                topicPage->ShowPage(static_cast<int>(i));
    }
    markMatches();
}

void SearchController::markMatches()
{
    // Matches are marked on a details page; a title or checklist hit opens its page only.
    matches_.clear();
    current_ = -1;
    pages::TopicPage *topicPage = window_.topicPage();
    THyperData *shown = topicPage ? topicPage->currentPage() : nullptr;
    if (!shown || shown->con != kPageDetails)
        return;
    QTextEdit *editor = topicPage->details->RichEdit1;
    const std::string text = editor->toPlainText().toStdString();
    matches_ = charRanges(text, search::FindMatches(text, query_));
    QList<QTextEdit::ExtraSelection> marks;
    for (const auto &[begin, end] : matches_) {
        QTextEdit::ExtraSelection mark;
        mark.cursor = QTextCursor(editor->document());
        mark.cursor.setPosition(begin);
        mark.cursor.setPosition(end, QTextCursor::KeepAnchor);
        mark.format.setBackground(QColor(255, 230, 80));
        marks.push_back(mark);
    }
    editor->setExtraSelections(marks);
    if (!matches_.empty()) {
        current_ = 0;
        showCurrentMatch();
        editor->setFocus(Qt::OtherFocusReason);
    }
}

void SearchController::stepMatch(bool forward)
{
    if (matches_.empty())
        return;
    const int count = static_cast<int>(matches_.size());
    current_ = (current_ + (forward ? 1 : count - 1)) % count;
    showCurrentMatch();
}

void SearchController::showCurrentMatch()
{
    QTextEdit *editor = window_.topicPage()->details->RichEdit1;
    QTextCursor cursor(editor->document());
    cursor.setPosition(matches_[static_cast<std::size_t>(current_)].first);
    cursor.setPosition(matches_[static_cast<std::size_t>(current_)].second, QTextCursor::KeepAnchor);
    editor->setTextCursor(cursor);
    editor->ensureCursorVisible();
}

std::string SearchController::dataFolder() const
{
    return window_.paths().DataFolder;
}

void SearchController::reportProblems(const std::vector<std::string> &problems,
                                      const std::string &path)
{
    for (const std::string &problem : problems)
        if (reported_.insert(problem).second)
            window_.AddErrorToLog("Saved searches: " + path + ", " + problem + " (left out)");
}

QStringList SearchController::savedSearchNames()
{
    search::SavedSearches saved(dataFolder());
    if (!saved.load()) {
        reportProblems({saved.errorText()}, saved.path());
        return {};
    }
    reportProblems(saved.problems(), saved.path());
    QStringList names;
    for (const search::SavedSearch &search : saved.searches())
        names << QString::fromStdString(search.name);
    return names;
}

bool SearchController::saveCurrentSearch()
{
    const QString query = editSearch->text().trimmed();
    if (query.isEmpty() || !askName_)
        return false;
    const std::optional<QString> name = askName_(query, &window_);
    if (!name || name->trimmed().isEmpty())
        return false;
    search::SavedSearches saved(dataFolder());
    if (!saved.save(name->toStdString(), query.toStdString())) {
        window_.AddErrorToLog("The search could not be saved: " + saved.errorText());
        return false;
    }
    reportProblems(saved.problems(), saved.path());
    return true;
}

bool SearchController::runSavedSearch(const QString &name)
{
    search::SavedSearches saved(dataFolder());
    const search::SavedSearch *found = saved.load() ? saved.find(name.toStdString()) : nullptr;
    if (!found) {
        window_.AddErrorToLog("There is no saved search called \"" + name.toStdString() + "\"");
        return false;
    }
    editSearch->setText(QString::fromStdString(found->query));
    editSearch->setFocus(Qt::OtherFocusReason);
    return true;
}

bool SearchController::removeSavedSearch(const QString &name)
{
    search::SavedSearches saved(dataFolder());
    if (saved.remove(name.toStdString()))
        return true;
    window_.AddErrorToLog("The saved search could not be removed: " + saved.errorText());
    return false;
}

void SearchController::fillSavedSearchMenu(QMenu &menu)
{
    // Names and queries are the user's text: "&" is a character, not a mnemonic.
    const auto caption = [](QString text) {
        return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
    };
    QAction *save =
        menu.addAction(tr("Save this search..."), this, [this] { saveCurrentSearch(); });
    save->setObjectName(QStringLiteral("actionSaveSearch"));
    save->setEnabled(!editSearch->text().trimmed().isEmpty());
    search::SavedSearches saved(dataFolder());
    if (!saved.load())
        reportProblems({saved.errorText()}, saved.path());
    reportProblems(saved.problems(), saved.path());
    menu.addSection(tr("Saved searches"));
    if (saved.searches().empty())
        menu.addAction(tr("No saved searches"))->setEnabled(false);
    for (const search::SavedSearch &search : saved.searches()) {
        const QString name = QString::fromStdString(search.name);
        QAction *run = menu.addAction(caption(name), this, [this, name] { runSavedSearch(name); });
        run->setData(name);
        run->setToolTip(QString::fromStdString(search.query));
    }
    if (saved.searches().empty())
        return;
    QMenu *remove = menu.addMenu(tr("Remove saved search"));
    remove->setObjectName(QStringLiteral("menuRemoveSavedSearch"));
    for (const search::SavedSearch &search : saved.searches()) {
        const QString name = QString::fromStdString(search.name);
        remove->addAction(caption(name), this, [this, name] { removeSavedSearch(name); })
            ->setData(name);
    }
}

bool SearchController::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == editSearch && event->type() == QEvent::KeyPress) {
        const auto *keys = static_cast<QKeyEvent *>(event);
        const int key = keys->key();
        if (key == Qt::Key_Down && (keys->modifiers() & Qt::AltModifier)) {
            actionSavedSearches->trigger();
            return true;
        }
        if (key == Qt::Key_Escape) {
            editSearch->clear();
            if (window_.treeController())
                window_.treeController()->treeMain()->setFocus(Qt::OtherFocusReason);
            return true;
        }
        if (key == Qt::Key_Down && page_->listResults->count() > 0) {
            page_->listResults->setFocus(Qt::OtherFocusReason);
            return true;
        }
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !results_.empty()) {
            openRow(std::max(0, page_->listResults->currentRow()));
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace nimbus::searchui
