// The folder chooser: pick a folder from a drive (a mounted file system, or the home folder)
// and its folder list, or create a new sub-folder and pick that. OK returns the folder name
// shown; Cancel returns nothing.
#pragma once

#include <QDialog>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QPushButton;
class QAction;

namespace nimbus {

class TSelectFolder : public QDialog {
    Q_OBJECT
public:
    // result is written when the dialog closes: the chosen folder, or empty for Cancel.
    TSelectFolder(QString &result, const QString &suggestedName, const QString &startFolder,
                  QWidget *parent = nullptr);

    // How the invalid-name message is shown; by default a warning box. Tests record it.
    void setWarning(std::function<void(const QString &caption, const QString &message)> warn)
    {
        warn_ = std::move(warn);
    }
    QString currentFolder() const { return current_; }

    QLabel *Label5 = nullptr;
    QComboBox *DriveComboBox1 = nullptr;
    QLabel *Label3 = nullptr;
    QListWidget *DirectoryListBox1 = nullptr;
    QLabel *Label4 = nullptr;
    QListWidget *FileListBox1 = nullptr;
    QLabel *Label1 = nullptr;
    QLineEdit *editNewProjPath = nullptr;
    QLabel *Label2 = nullptr;
    QLineEdit *editNewSubFolder = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *buttonOK = nullptr;
    QPushButton *buttonCancel = nullptr;
    QMenu *PopupMenu1 = nullptr;
    QAction *CreateNewFolder1 = nullptr;

    void FormActivate();
    void DriveComboBox1Change();
    void DirectoryListBox1Change();
    void DirectoryListBox1Click(QListWidgetItem *item);
    void CreateNewFolder1Click();
    void editNewSubFolderExit();
    void buttonOKClick();
    void buttonCancelClick();
    // Makes folder the folder list's current folder (the file list and the folder name follow).
    void setCurrentFolder(const QString &folder);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void fillDrives();
    int driveOf(const QString &folder) const;

    QString &result_;
    QString suggested_;
    QString current_;
    std::function<void(const QString &, const QString &)> warn_;
};

} // namespace nimbus
