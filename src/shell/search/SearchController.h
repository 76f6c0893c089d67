// The window's side of search: the field editSearch above the tree, the results page, and the
// index worker. Queries go to the worker as the user types; answers come back to this thread
// through a queued call, so typing never waits. Opening a hit selects its topic, shows the
// page that matched and marks the matches there; F3 / Shift+F3 step through them. The field's
// menu (its button, and its context menu) saves the query under a name, runs a saved search
// and removes one; the summary's drop-down runs them too (search::SavedSearches keeps them).
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "search/SearchQuery.h"
#include "search/SearchResults.h"
#include "search/SearchService.h"
#include "store/TContent.h"

class QAction;
class QLineEdit;
class QToolButton;
class QMenu;
class QWidget;

namespace nimbus {
class LanSharing;
class TformMain;
class TreeController;
} // namespace nimbus

namespace nimbus::searchui {

class SearchResultsPage;

class SearchController : public QObject {
    Q_OBJECT
public:
    static constexpr int kLimit = 200;
    explicit SearchController(TformMain &window);
    ~SearchController() override;

    QLineEdit *editSearch = nullptr;
    // The field's button and the menu it opens (rebuilt each time it opens).
    QAction *actionSavedSearches = nullptr;
    // The field's own button for that action, a Tab stop of its own.
    QToolButton *buttonSavedSearches = nullptr;
    QMenu *menuSavedSearches = nullptr;

    // Asks the name to save query under: nothing when the user cancels. By default a dialog
    // (which also asks before a saved search of that name is replaced); tests answer at once.
    using NameAsker = std::function<std::optional<QString>(const QString &query, QWidget *parent)>;
    void setNameAsker(NameAsker asker) { askName_ = std::move(asker); }

    // The saved searches' names in the order they were saved.
    QStringList savedSearchNames();
    // Saves the field's query under a name the asker gives; false when nothing was saved.
    bool saveCurrentSearch();
    // Puts the saved query in the field (which searches) and gives it the keys.
    bool runSavedSearch(const QString &name);
    bool removeSavedSearch(const QString &name);
    // Fills menu with the saved searches' entries ("Save this search...", one per search, and
    // "Remove saved search" with one per search).
    void fillSavedSearchMenu(QMenu &menu);
    SearchResultsPage *page() const { return page_; }
    search::SearchService &service() { return *service_; }

    // The index hooks: build/check at start-up and after merges; one topic after a save. The
    // start and the checks hand over the topics' digest; the topics themselves are copied only
    // when the worker asks for them (handOverTopics).
    void start();
    void refresh();
    void topicSaved(const std::string &uni);
    // The index takes each topic the tree changes, forgets the ones it removes, and is
    // checked again after a colleague's packet was merged.
    void followChanges(nimbus::TreeController &tree, nimbus::LanSharing &lan);

    // Opens the hit of a results row; steps to the next or previous match on its page.
    void openRow(int row);
    void stepMatch(bool forward);
    // The matches marked on the shown details page (characters of its plain text).
    const std::vector<std::pair<int, int>> &pageMatches() const { return matches_; }
    int currentMatch() const { return current_; }

private:
    void handOverTopics();
    void queryChanged(const QString &text);
    void clear();
    void resultsArrived(std::uint64_t ticket, const search::TopicAnswer &answer);
    void markMatches();
    void showCurrentMatch();
    bool eventFilter(QObject *watched, QEvent *event) override;
    std::string dataFolder() const;
    // Reports the saved-search file's damaged lines to the log, each once per session.
    void reportProblems(const std::vector<std::string> &problems, const std::string &path);

    TformMain &window_;
    SearchResultsPage *page_ = nullptr;
    std::unique_ptr<search::SearchService> service_;
    search::SearchQuery query_;
    std::uint64_t ticket_ = 0;
    QString pageBefore_; // shown again when the query is cleared
    std::vector<search::SearchResult> results_;
    std::vector<std::pair<int, int>> matches_;
    int current_ = -1;
    NameAsker askName_;
    std::set<std::string> reported_;
};

} // namespace nimbus::searchui
