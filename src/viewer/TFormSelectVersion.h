// "File versions": the chooser of which version of a file the viewer shows.
#pragma once

#include <QDialog>
#include <QStringList>

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace nimbus::viewer {

class TFormSelectVersion : public QDialog {
    Q_OBJECT
public:
    // files: full paths, the current file first, then its old versions.
    explicit TFormSelectVersion(const QStringList &files, QWidget *parent = nullptr);

    QString selectedFile() const { return selected_; }
    bool cancelled() const { return cancelled_; }

    QTreeWidget *listFiles = nullptr;
    QPushButton *buttonOpen = nullptr;
    QPushButton *buttonCancel = nullptr;

private:
    void listFilesClick(QTreeWidgetItem *item);
    void listFilesDblClick(QTreeWidgetItem *item);
    void buttonOpenClick();
    void buttonCancelClick();

    QString selected_;
    bool cancelled_ = true;
};

} // namespace nimbus::viewer
