// The results list shown in place of the page area while a query is active ("panelSearch"):
// one row per topic found with the topic's type and status icons, its path, where it matched
// and a snippet with the matched words in bold. A screen reader hears each row as "title,
// path, where it matched: snippet".
#pragma once

#include <QIcon>
#include <QWidget>
#include <vector>

class QLabel;
class QListWidget;

namespace nimbus::searchui {

struct ResultRow {
    QString title;
    QString path;
    QString where;       // "title", "page: Notes", "title, checklist: Jobs"
    QString snippet;     // rich text
    QString snippetText; // the same, plain
    QIcon typeIcon;
    QIcon statusIcon; // null when the topic has no status
};

class SearchResultsPage : public QWidget {
    Q_OBJECT
public:
    explicit SearchResultsPage(QWidget *parent = nullptr);

    QLabel *labelSearch = nullptr; // "3 topics found", "Building the index ..."
    QListWidget *listResults = nullptr;

    void setRows(const std::vector<ResultRow> &rows);
    void setStatus(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

signals:
    // Enter or a double-click on a row.
    void rowOpened(int row);
};

} // namespace nimbus::searchui
