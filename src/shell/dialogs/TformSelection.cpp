// The topic selection dialog.
#include "shell/dialogs/TformSelection.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "shell/dialogs/DialogText.h"
#include "shell/dialogs/SelectionCellDelegate.h"
#include "store/TNimbusNode.h"
#include "store/TopicSelectionRows.h"

namespace nimbus::dialogs {

TformSelection::TformSelection(const std::string &title, std::vector<TNimbusNode *> topics,
                               QWidget *parent, StatusIcon statusIcon)
    : QDialog(parent), title_(title), topics_(std::move(topics))
{
    setWindowTitle(tr("Topic Selection"));
    labTitle = new QLabel(this);
    labTitle->setObjectName(QStringLiteral("labTitle"));
    QFont font = labTitle->font();
    font.setBold(true);
    labTitle->setFont(font);

    StringGrid1 = new QTableWidget(this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setColumnCount(3);
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->verticalHeader()->hide();
    StringGrid1->verticalHeader()->setDefaultSectionSize(20);
    StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    StringGrid1->horizontalHeader()->setStretchLastSection(true);
    StringGrid1->setColumnWidth(0, 90);
    StringGrid1->setColumnWidth(1, 150);
    StringGrid1->setShowGrid(false);
    // Rows are chosen with the arrow keys; Tab goes on to the buttons.
    StringGrid1->setTabKeyNavigation(false);
    StringGrid1->setItemDelegate(new SelectionCellDelegate(std::move(statusIcon), StringGrid1));

    labTitle->setBuddy(StringGrid1);

    buttonSelect = new QPushButton(tr("Select topic"), this);
    buttonSelect->setObjectName(QStringLiteral("buttonSelect"));
    buttonSelect->setDefault(true);
    Cancel = new QPushButton(tr("Cancel"), this);
    Cancel->setObjectName(QStringLiteral("Cancel"));

    connect(StringGrid1, &QTableWidget::itemSelectionChanged, this,
            &TformSelection::StringGrid1Click);
    connect(StringGrid1, &QTableWidget::cellDoubleClicked, this,
            &TformSelection::StringGrid1DblClick);
    connect(buttonSelect, &QPushButton::clicked, this, &TformSelection::buttonSelectClick);
    connect(Cancel, &QPushButton::clicked, this, &TformSelection::CancelClick);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(buttonSelect);
    buttons->addWidget(Cancel);
    auto *page = new QVBoxLayout(this);
    page->addWidget(labTitle);
    page->addWidget(StringGrid1, 1);
    page->addLayout(buttons);
    resize(520, 400);
    FormShow();
}

void TformSelection::FormShow()
{
    labTitle->setText(toQt(title_));
    QStringList headings;
    for (const std::string &heading : selectionHeadings())
        headings << toQt(heading);
    StringGrid1->setHorizontalHeaderLabels(headings);

    StringGrid1->setRowCount(static_cast<int>(topics_.size()));
    for (int i = 0; i < static_cast<int>(topics_.size()); ++i) {
        TNimbusNode *node = topics_[static_cast<std::size_t>(i)];
        const SelectionRow row = node ? selectionRow(*node) : SelectionRow{};
        const std::string *texts[] = {&row.due, &row.status, &row.title};
        for (int column = 0; column < 3; ++column) {
            auto *item = new QTableWidgetItem(toQt(*texts[column]));
            // Every cell carries the node so the delegate can draw any of them.
            item->setData(SelectionCellDelegate::NodeRole,
                          QVariant::fromValue(static_cast<void *>(node)));
            StringGrid1->setItem(i, column, item);
        }
    }
    if (!topics_.empty())
        StringGrid1->selectRow(0);
    StringGrid1Click();
}

int TformSelection::selectedRow() const
{
    const QList<QTableWidgetItem *> selected = StringGrid1->selectedItems();
    return selected.isEmpty() ? 0 : selected.first()->row() + 1;
}

TNimbusNode *TformSelection::nodeOfRow(int row) const
{
    QTableWidgetItem *item = StringGrid1->item(row - 1, 0);
    return item ? static_cast<TNimbusNode *>(
                      item->data(SelectionCellDelegate::NodeRole).value<void *>())
                : nullptr;
}

void TformSelection::StringGrid1Click()
{
    buttonSelect->setEnabled(isTopicRow(selectedRow(), static_cast<int>(topics_.size())));
}

void TformSelection::StringGrid1DblClick()
{
    const int row = selectedRow();
    if (!isTopicRow(row, static_cast<int>(topics_.size())))
        return;
    chosenRow_ = row;
    accept();
}

void TformSelection::buttonSelectClick()
{
    const int row = selectedRow();
    if (!isTopicRow(row, static_cast<int>(topics_.size())))
        return;
    chosenRow_ = row;
    accept();
}

void TformSelection::CancelClick()
{
    chosenRow_ = -1;
    reject();
}

} // namespace nimbus::dialogs
