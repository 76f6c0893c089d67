// The file version chooser of the viewer window.
#include "viewer/TFormSelectVersion.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "widgets/KeyboardAccess.h"

namespace nimbus::viewer {

TFormSelectVersion::TFormSelectVersion(const QStringList &files, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(tr("File versions"));
    auto *layout = new QVBoxLayout(this);
    listFiles = new QTreeWidget(this);
    listFiles->setObjectName("listFiles");
    listFiles->setRootIsDecorated(false);
    listFiles->setHeaderLabels({tr("Name"), tr("Date/time")});
    for (const QString &file : files) {
        const QFileInfo info(file);
        auto *item = new QTreeWidgetItem(listFiles);
        item->setText(0, info.fileName());
        item->setText(1, info.exists()
                             ? info.lastModified().toString(QStringLiteral("dd/MM/yyyy hh:mm:ss"))
                             : QString());
        item->setData(0, Qt::UserRole, file);
    }
    listFiles->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    layout->addWidget(listFiles);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttonOpen = new QPushButton(tr("Display"), this);
    buttonOpen->setObjectName("buttonOpen");
    buttonOpen->setVisible(false);
    buttonCancel = new QPushButton(tr("Cancel"), this);
    buttonCancel->setObjectName("buttonCancel");
    buttons->addWidget(buttonOpen);
    buttons->addWidget(buttonCancel);
    layout->addLayout(buttons);
    resize(420, 300);

    connect(listFiles, &QTreeWidget::itemClicked, this, &TFormSelectVersion::listFilesClick);
    // Enter on a row chooses it as a click does.
    access::activateOnEnter(
        listFiles, [this](const QModelIndex &) { listFilesClick(listFiles->currentItem()); });
    connect(listFiles, &QTreeWidget::itemDoubleClicked, this,
            &TFormSelectVersion::listFilesDblClick);
    connect(buttonOpen, &QPushButton::clicked, this, &TFormSelectVersion::buttonOpenClick);
    connect(buttonCancel, &QPushButton::clicked, this, &TFormSelectVersion::buttonCancelClick);
}

void TFormSelectVersion::listFilesClick(QTreeWidgetItem *item)
{
    if (!item)
        return;
    listFiles->setCurrentItem(item);
    selected_ = item->data(0, Qt::UserRole).toString();
    buttonOpen->setVisible(true);
}

void TFormSelectVersion::listFilesDblClick(QTreeWidgetItem *item)
{
    listFilesClick(item);
}

void TFormSelectVersion::buttonOpenClick()
{
    if (selected_.isEmpty())
        return;
    cancelled_ = false;
    accept();
}

void TFormSelectVersion::buttonCancelClick()
{
    cancelled_ = true;
    reject();
}

} // namespace nimbus::viewer
