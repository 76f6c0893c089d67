// "File Display - Column Details": the heading, display and sort type of one table column.
#pragma once

#include <QDialog>
#include <array>

#include "viewer/ColumnSort.h"
#include "viewer/OptionsDialogRules.h"

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace nimbus::viewer {

class TFileDisplayColumnForm : public QDialog {
    Q_OBJECT
public:
    explicit TFileDisplayColumnForm(const ColumnDetails &details, QWidget *parent = nullptr);

    // The row as the controls show it (what OK writes back).
    ColumnDetails details() const;

    QLineEdit *editHeadingText = nullptr;
    QRadioButton *radioVisible = nullptr;
    QRadioButton *radioHidden = nullptr;
    std::array<QRadioButton *, kColumnTypeCount> radioTypes{};
    QPushButton *buttonOK = nullptr;
    QPushButton *buttonCancel = nullptr;
};

} // namespace nimbus::viewer
