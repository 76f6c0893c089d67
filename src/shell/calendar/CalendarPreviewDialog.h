// The import preview: what will be added, what updated and what was skipped with its
// reason, with OK to import and Cancel to leave the tree as it is.
#pragma once

#include <QDialog>

#include "shell/calendar/CalendarImportSummary.h"

class QListWidget;

namespace nimbus {

class CalendarPreviewDialog : public QDialog {
    Q_OBJECT
public:
    CalendarPreviewDialog(const CalendarImportSummary &summary, QWidget *parent = nullptr);
    QListWidget *list() const { return list_; }

private:
    QListWidget *list_;
};

} // namespace nimbus
