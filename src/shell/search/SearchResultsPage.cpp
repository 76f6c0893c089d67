#include "shell/search/SearchResultsPage.h"

#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "shell/search/ResultDelegate.h"

namespace nimbus::searchui {

SearchResultsPage::SearchResultsPage(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("panelSearch"));
    setAccessibleName(tr("Search results"));
    auto *layout = new QVBoxLayout(this);
    labelSearch = new QLabel(this);
    labelSearch->setObjectName(QStringLiteral("labelSearch"));
    layout->addWidget(labelSearch);
    listResults = new QListWidget(this);
    listResults->setObjectName(QStringLiteral("listResults"));
    listResults->setAccessibleName(tr("Search results"));
    listResults->setItemDelegate(new ResultDelegate(listResults));
    listResults->setUniformItemSizes(false);
    listResults->setWordWrap(true);
    layout->addWidget(listResults, 1);
    labelSearch->setBuddy(listResults);
    // Enter and a double-click both open the hit, whatever the style's activation rule.
    connect(listResults, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem *item) { emit rowOpened(listResults->row(item)); });
    listResults->installEventFilter(this);
}

void SearchResultsPage::setRows(const std::vector<ResultRow> &rows)
{
    listResults->clear();
    for (const ResultRow &row : rows) {
        auto *item = new QListWidgetItem(row.typeIcon, row.path, listResults);
        item->setData(ResultDelegate::kStatusIconRole, row.statusIcon);
        // Filters alone match no text: then the row names no place.
        const QString where = row.where.isEmpty()
                                  ? QString()
                                  : QStringLiteral(" <i>(%1)</i>").arg(row.where.toHtmlEscaped());
        item->setData(
            ResultDelegate::kHtmlRole,
            QStringLiteral("<b>%1</b>%2<br>%3").arg(row.path.toHtmlEscaped(), where, row.snippet));
        item->setToolTip(row.path);
        item->setData(
            Qt::AccessibleTextRole,
            row.where.isEmpty()
                ? tr("%1, %2").arg(row.title, row.path)
                : tr("%1, %2, %3: %4").arg(row.title, row.path, row.where, row.snippetText));
    }
    if (!rows.empty())
        listResults->setCurrentRow(0);
}

void SearchResultsPage::setStatus(const QString &text)
{
    labelSearch->setText(text);
}

bool SearchResultsPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == listResults && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && listResults->currentRow() >= 0) {
            emit rowOpened(listResults->currentRow());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace nimbus::searchui
