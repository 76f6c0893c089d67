// See CalendarPreviewDialog.h.
#include "shell/calendar/CalendarPreviewDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace nimbus {

CalendarPreviewDialog::CalendarPreviewDialog(const CalendarImportSummary &summary,
                                             QWidget *parent)
    : QDialog(parent), list_(new QListWidget(this))
{
    setObjectName("CalendarPreviewDialog");
    setWindowTitle(tr("Import calendar file"));
    auto *layout = new QVBoxLayout(this);
    auto *heading = new QLabel(tr("&What the import will do:"), this);
    heading->setBuddy(list_);
    layout->addWidget(heading);
    list_->setAccessibleName(tr("What the import will do"));
    // One line each: the view then never measures every line of a whole store's import.
    list_->setUniformItemSizes(true);
    const auto add = [this](const QString &prefix, const std::vector<std::string> &lines) {
        for (const std::string &line : lines)
            list_->addItem(prefix + QString::fromStdString(line));
    };
    add(tr("Add: "), summary.added);
    add(tr("Update: "), summary.updated);
    add(tr("Skip: "), summary.skipped);
    layout->addWidget(list_);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    // Nothing to add or update: only Cancel makes sense.
    buttons->button(QDialogButtonBox::Ok)
        ->setEnabled(!summary.added.empty() || !summary.updated.empty());
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

} // namespace nimbus
