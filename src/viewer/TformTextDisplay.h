// The viewer window: shows one of the program's text files as plain text, as a list or as a
// table, follows it as it grows, shows its old versions, prints it and saves a copy.
#pragma once

#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "viewer/FileDisplayOptions.h"
#include "viewer/SortState.h"
#include "viewer/ViewerRules.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTableView;
class QTimer;

namespace nimbus::viewer {

class TextLinesView;
class ViewerPrompts;
class ViewerTableModel;

class TformTextDisplay : public QWidget {
    Q_OBJECT
public:
    // fileName: the file to show; dataFolder: where its options file lives; infoType: how a
    // file without an options file is shown ("text", "list" or "table").
    TformTextDisplay(std::string fileName, std::string dataFolder, const std::string &infoType,
                     std::shared_ptr<ViewerPrompts> prompts, QWidget *parent = nullptr);
    ~TformTextDisplay() override;

    // Set by the opener before the window is shown.
    void setVersionsEnabled(bool enabled) { versionsEnabled_ = enabled; }
    void setClearEnabled(bool enabled);
    void setFileListMode(bool enabled);

    // Shows the window, or, when it is already visible, displays the file afresh and brings
    // the window to the front.
    void present();

    const std::string &openedFile() const { return opened_; }
    const std::string &shownFile() const { return shown_; }
    FileDisplayOptions &options() { return options_; }
    ViewerTableModel *model() const { return model_; }
    DisplayKind displayKind() const { return kind_; }
    const SortState &sortState() const { return sortState_; }
    // The opened file first, then its old versions (full paths).
    const std::vector<std::string> &versionFiles() const { return versions_; }
    // The lines as displayed (a table's rows joined by the table line format), for printing.
    QStringList displayedLines() const;
    // How many times the file has been displayed; tests watch it to see a refresh.
    int displayCount() const { return displayCount_; }

    QLabel *labelTitle = nullptr;
    TextLinesView *Memo1 = nullptr;
    QTableView *ListView1 = nullptr;
    QPushButton *buttonPrint = nullptr;
    QPushButton *buttonSave = nullptr;
    QPushButton *buttonDefineColumns = nullptr;
    QPushButton *buttonClose = nullptr;
    QPushButton *buttonVersions = nullptr;
    QPushButton *buttonClear = nullptr;
    QCheckBox *CheckRefresh = nullptr;
    QTimer *Timer1 = nullptr;
    QWidget *panelFileList = nullptr;
    QLabel *Label2 = nullptr;
    QListWidget *ListView2 = nullptr;
    QPushButton *buttonAll = nullptr;
    QPushButton *buttonInvert = nullptr;
    QPushButton *buttonOpen = nullptr;

    void FormShow();
    void Timer1Timer();
    void ListView1ColumnClick(int column);
    void buttonVersionsClick();
    void buttonDefineColumnsClick();
    void buttonSaveClick();
    void buttonPrintClick();
    void buttonClearClick();
    void buttonCloseClick();
    void buttonAllClick();
    void buttonInvertClick();
    void buttonOpenClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void createComponents();
    void displayShownFile();
    void displayText(std::vector<std::string> &&lines);
    void displayTable(std::vector<std::string> &&lines);
    void displayFileList();
    void showTableView(const std::vector<ColumnLayout> &columns);
    void listVersions();
    void listFileListFiles();
    void applyInitialSort();
    void applyFont();

    std::string opened_;
    std::string shown_;
    FileDisplayOptions options_;
    std::vector<std::string> versions_;
    bool versionsEnabled_ = false;
    bool fileListMode_ = false;
    std::vector<std::string> fileListFiles_;
    DisplayKind kind_ = DisplayKind::Text;
    SortState sortState_;
    FileStamp remembered_;
    int displayCount_ = 0;
    std::shared_ptr<ViewerPrompts> prompts_;
    ViewerTableModel *model_ = nullptr;
};

} // namespace nimbus::viewer
