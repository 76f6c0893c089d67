// "File Display Options": how a file is shown whenever it is looked at (kind of display,
// columns, initial sort, text size).
#pragma once

#include <QDialog>
#include <functional>

#include "viewer/FileDisplayOptions.h"
#include "viewer/OptionsDialogRules.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace nimbus::viewer {

class TformFileDisplayOptions : public QDialog {
    Q_OBJECT
public:
    // sortColumn, ascending: the viewer's current sort, which "Always open the file sorted by
    // this column" keeps.
    TformFileDisplayOptions(const FileDisplayOptions &options, int sortColumn, bool ascending,
                            QWidget *parent = nullptr);

    // The options as OK left them (the ones given, unchanged, before OK).
    const FileDisplayOptions &options() const { return options_; }
    // The dialog's values as the controls show them.
    OptionsDialogValues currentValues() const;

    // How a column row is edited and a heading file chosen; tests replace them.
    std::function<bool(ColumnDetails &details)> editColumn;
    std::function<QString(const QString &start)> chooseHeadingFile;

    QCheckBox *checkOptionEnd = nullptr;
    QCheckBox *checkOptionColumns = nullptr;
    QCheckBox *checkOptionsHeadings = nullptr;
    QCheckBox *checkOptionsSort = nullptr;
    QCheckBox *checkRotated = nullptr;
    QCheckBox *checkHeadingsFromFile = nullptr;
    QLineEdit *editHeadingsFile = nullptr;
    QPushButton *buttonSelectFile = nullptr;
    QCheckBox *checkShowTemplate = nullptr;
    QComboBox *comboFont = nullptr;
    QTreeWidget *ListView1 = nullptr;
    QPushButton *buttonResetColumns = nullptr;
    QPushButton *buttonClose = nullptr;
    QPushButton *buttonCancel = nullptr;

    void ListView1DblClick(QTreeWidgetItem *item);
    void buttonSelectFileClick();
    void comboFontChange();
    void buttonResetColumnsClick();
    void buttonCloseClick();

private:
    void createControls();
    void showRows();

    FileDisplayOptions options_;
    OptionsDialogValues values_;
    int sortColumn_;
    bool ascending_;
};

} // namespace nimbus::viewer
