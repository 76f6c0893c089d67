// The folder chooser dialog.
#include "shell/lan/TSelectFolder.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStorageInfo>
#include <utility>

#include "fileio/FolderChoice.h"

namespace nimbus {

namespace {

constexpr int kPathRole = Qt::UserRole;

std::string local(const QString &text)
{
    return text.toLocal8Bit().toStdString();
}

QString fromLocal(const std::string &text)
{
    return QString::fromLocal8Bit(text.c_str());
}

} // namespace

TSelectFolder::TSelectFolder(QString &result, const QString &suggestedName,
                             const QString &startFolder, QWidget *parent)
    : QDialog(parent), result_(result), suggested_(suggestedName)
{
    setObjectName("TSelectFolder");
    setWindowTitle(tr("Choose a folder or create a new folder"));
    warn_ = [this](const QString &caption, const QString &message) {
        QMessageBox box(QMessageBox::Warning, caption, message, QMessageBox::Ok, this);
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
        box.exec();
    };

    auto *grid = new QGridLayout(this);
    auto label = [this](const char *name, const QString &text) {
        auto *l = new QLabel(text, this);
        l->setObjectName(name);
        return l;
    };
    Label5 = label("Label5", tr("Drives:"));
    DriveComboBox1 = new QComboBox(this);
    DriveComboBox1->setObjectName("DriveComboBox1");
    Label3 = label("Label3", tr("Folder list:"));
    DirectoryListBox1 = new QListWidget(this);
    DirectoryListBox1->setObjectName("DirectoryListBox1");
    DirectoryListBox1->setContextMenuPolicy(Qt::CustomContextMenu);
    Label4 = label("Label4", tr("Files in this folder:"));
    FileListBox1 = new QListWidget(this);
    FileListBox1->setObjectName("FileListBox1");
    FileListBox1->setSelectionMode(QAbstractItemView::NoSelection);
    Label1 = label("Label1", tr("Folder name:"));
    editNewProjPath = new QLineEdit(this);
    editNewProjPath->setObjectName("editNewProjPath");
    Label2 = label("Label2", tr("New sub-folder name:"));
    editNewSubFolder = new QLineEdit(this);
    editNewSubFolder->setObjectName("editNewSubFolder");
    Button1 = new QPushButton(tr("Create subfolder"), this);
    Button1->setObjectName("Button1");
    buttonOK = new QPushButton(tr("OK"), this);
    buttonOK->setObjectName("buttonOK");
    buttonOK->setDefault(true);
    buttonCancel = new QPushButton(tr("Cancel"), this);
    buttonCancel->setObjectName("buttonCancel");
    for (const auto &[label, field] : {std::pair<QLabel *, QWidget *>{Label5, DriveComboBox1},
                                       {Label3, DirectoryListBox1},
                                       {Label4, FileListBox1},
                                       {Label1, editNewProjPath},
                                       {Label2, editNewSubFolder}})
        label->setBuddy(field);
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    CreateNewFolder1 = PopupMenu1->addAction(tr("&Create new sub-folder"));
    CreateNewFolder1->setObjectName("CreateNewFolder1");

    grid->addWidget(Label5, 0, 0);
    grid->addWidget(DriveComboBox1, 1, 0);
    grid->addWidget(Label3, 2, 0);
    grid->addWidget(DirectoryListBox1, 3, 0);
    grid->addWidget(Label4, 2, 1);
    grid->addWidget(FileListBox1, 3, 1);
    grid->addWidget(Label1, 4, 0, 1, 2);
    grid->addWidget(editNewProjPath, 5, 0, 1, 2);
    grid->addWidget(Label2, 6, 0, 1, 2);
    auto *create = new QHBoxLayout;
    create->addWidget(editNewSubFolder, 1);
    create->addWidget(Button1);
    grid->addLayout(create, 7, 0, 1, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(buttonOK);
    buttons->addWidget(buttonCancel);
    grid->addLayout(buttons, 8, 0, 1, 2);
    resize(560, 440);

    connect(DriveComboBox1, &QComboBox::activated, this, &TSelectFolder::DriveComboBox1Change);
    connect(DirectoryListBox1, &QListWidget::itemClicked, this,
            &TSelectFolder::DirectoryListBox1Click);
    connect(DirectoryListBox1, &QListWidget::itemActivated, this,
            &TSelectFolder::DirectoryListBox1Click);
    connect(DirectoryListBox1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) {
                PopupMenu1->popup(DirectoryListBox1->viewport()->mapToGlobal(pos));
            });
    connect(CreateNewFolder1, &QAction::triggered, this, &TSelectFolder::CreateNewFolder1Click);
    connect(Button1, &QPushButton::clicked, this, &TSelectFolder::editNewSubFolderExit);
    connect(buttonOK, &QPushButton::clicked, this, &TSelectFolder::buttonOKClick);
    connect(buttonCancel, &QPushButton::clicked, this, &TSelectFolder::buttonCancelClick);

    fillDrives();
    // A start folder that does not exist opens the chooser in the home folder.
    setCurrentFolder(
        fromLocal(fileio::folder_choice::StartFolder(local(startFolder), local(QDir::homePath()))));
    result_.clear();
}

void TSelectFolder::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TSelectFolder::FormActivate()
{
    editNewSubFolder->setText(suggested_);
}

// The drives of this system: the home folder first, then every mounted file system.
void TSelectFolder::fillDrives()
{
    DriveComboBox1->clear();
    DriveComboBox1->addItem(QDir::homePath(), QDir::homePath());
    QStringList roots;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes())
        if (volume.isValid() && volume.isReady())
            roots << volume.rootPath();
    roots.removeDuplicates();
    roots.sort();
    for (const QString &root : roots)
        if (root != QDir::homePath())
            DriveComboBox1->addItem(root, root);
}

// The drive whose root holds the folder most closely.
int TSelectFolder::driveOf(const QString &folder) const
{
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < DriveComboBox1->count(); ++i) {
        const QString root = DriveComboBox1->itemData(i).toString();
        const bool holds = folder == root || root == "/" || folder.startsWith(root + "/");
        if (holds && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    return best;
}

void TSelectFolder::DriveComboBox1Change()
{
    const QString root = DriveComboBox1->currentData().toString();
    if (!root.isEmpty() && root != current_ &&
        !current_.startsWith(root == "/" ? root : root + "/"))
        setCurrentFolder(root);
}

void TSelectFolder::setCurrentFolder(const QString &folder)
{
    current_ = QDir::cleanPath(folder);
    const int drive = driveOf(current_);
    if (drive >= 0)
        DriveComboBox1->setCurrentIndex(drive);
    DirectoryListBox1Change();
}

// The folder list shows the way down from the drive's root to the current folder, then the
// current folder's sub-folders; the file list and the folder name follow.
void TSelectFolder::DirectoryListBox1Change()
{
    DirectoryListBox1->clear();
    const QString root = DriveComboBox1->currentData().toString();
    QStringList chain;
    for (QString path = current_;; path = QFileInfo(path).path()) {
        chain.prepend(path);
        if (path == root || path == "/" || path.isEmpty())
            break;
    }
    int depth = 0;
    QListWidgetItem *currentItem = nullptr;
    for (const QString &path : chain) {
        const QString name = depth == 0 ? path : QFileInfo(path).fileName();
        auto *item = new QListWidgetItem(QString(depth * 2, ' ') + name, DirectoryListBox1);
        item->setData(kPathRole, path);
        currentItem = item;
        ++depth;
    }
    const QDir dir(current_);
    for (const QString &sub : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        auto *item = new QListWidgetItem(QString(depth * 2, ' ') + sub, DirectoryListBox1);
        item->setData(kPathRole, dir.filePath(sub));
    }
    DirectoryListBox1->setCurrentItem(currentItem);
    FileListBox1->clear();
    FileListBox1->addItems(dir.entryList(QDir::Files, QDir::Name));
    editNewProjPath->setText(current_);
}

void TSelectFolder::DirectoryListBox1Click(QListWidgetItem *item)
{
    if (item)
        setCurrentFolder(item->data(kPathRole).toString());
}

void TSelectFolder::CreateNewFolder1Click()
{
    editNewSubFolder->setText(suggested_);
    editNewSubFolder->setFocus();
}

void TSelectFolder::editNewSubFolderExit()
{
    std::string path;
    using fileio::folder_choice::SubFolderOutcome;
    const SubFolderOutcome outcome = fileio::folder_choice::CreateSubFolder(
        local(current_), local(editNewSubFolder->text()), path);
    if (outcome == SubFolderOutcome::Nothing)
        return;
    editNewProjPath->setText(fromLocal(path));
    if (outcome == SubFolderOutcome::Created) {
        setCurrentFolder(fromLocal(path));
        editNewSubFolder->clear();
        return;
    }
    warn_(QString::fromLatin1(fileio::folder_choice::kWarningCaption),
          QString::fromLatin1(fileio::folder_choice::kInvalidFolderMessage));
    editNewSubFolder->setFocus();
}

void TSelectFolder::buttonOKClick()
{
    result_ = editNewProjPath->text();
    accept();
}

void TSelectFolder::buttonCancelClick()
{
    result_.clear();
    reject();
}

} // namespace nimbus
