// The window's side of search: the field editSearch above the tree, the results page, and the
// index worker. Queries go to the worker as the user types; answers come back to this thread
// through a queued call, so typing never waits. Opening a hit selects its topic, shows the
// page that matched and marks the matches there; F3 / Shift+F3 step through them.
#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "search/SearchQuery.h"
#include "search/SearchResults.h"
#include "search/SearchService.h"
#include "store/TContent.h"

class QLineEdit;

namespace nimbus {
class TformMain;
}

namespace nimbus::searchui {

class SearchResultsPage;

class SearchController : public QObject {
    Q_OBJECT
public:
    static constexpr int kLimit = 200;
    explicit SearchController(TformMain &window);
    ~SearchController() override;

    QLineEdit *editSearch = nullptr;
    SearchResultsPage *page() const { return page_; }
    search::SearchService &service() { return *service_; }

    // The index hooks: build/check at start-up and after merges; one topic after a save.
    void start();
    void refresh();
    void topicSaved(const std::string &uni);

    // Opens the hit of a results row; steps to the next or previous match on its page.
    void openRow(int row);
    void stepMatch(bool forward);
    // The matches marked on the shown details page (characters of its plain text).
    const std::vector<std::pair<int, int>> &pageMatches() const { return matches_; }
    int currentMatch() const { return current_; }

private:
    std::vector<search::TopicEntry> snapshot() const;
    void queryChanged(const QString &text);
    void clear();
    void resultsArrived(std::uint64_t ticket, const search::TopicAnswer &answer);
    void markMatches();
    void showCurrentMatch();
    bool eventFilter(QObject *watched, QEvent *event) override;

    TformMain &window_;
    SearchResultsPage *page_ = nullptr;
    std::unique_ptr<search::SearchService> service_;
    search::SearchQuery query_;
    std::uint64_t ticket_ = 0;
    QString pageBefore_; // shown again when the query is cleared
    std::vector<search::SearchResult> results_;
    std::vector<std::pair<int, int>> matches_;
    int current_ = -1;
};

} // namespace nimbus::searchui
