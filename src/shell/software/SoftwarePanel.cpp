// Building the software panel and its three handlers.
#include "shell/software/SoftwarePanel.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "fileio/FolderOps.h"
#include "shell/software/UpdateController.h"
#include "update/ChangeNotes.h"
#include "viewer/DisplayControl.h"
#include "viewer/TformTextDisplay.h"
#include "widgets/KeyboardAccess.h"

namespace nimbus {

namespace {

// Where each row keeps its version exactly as the register holds it.
constexpr int kVersionRole = Qt::UserRole;

QString toQString(const std::string &text)
{
    return QString::fromLocal8Bit(text.c_str());
}

} // namespace

SoftwarePanel::SoftwarePanel(UpdateController &updates, ViewerRegistry viewers, QWidget *parent)
    : QWidget(parent), updates_(&updates), viewers_(std::move(viewers))
{
    setObjectName("panelSoftware");
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    labelUpdates = new QLabel(tr("Updates:"), this);
    labelUpdates->setObjectName("labelUpdates");
    layout->addWidget(labelUpdates);

    listSoftware = new QTreeWidget(this);
    listSoftware->setObjectName("listSoftware");
    listSoftware->setRootIsDecorated(false);
    listSoftware->setUniformRowHeights(true);
    listSoftware->setAllColumnsShowFocus(true);
    listSoftware->setSelectionBehavior(QAbstractItemView::SelectRows);
    listSoftware->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QStringList captions;
    for (const char *caption : update::kSoftwareColumns)
        captions << QString::fromLatin1(caption);
    listSoftware->setColumnCount(static_cast<int>(captions.size()));
    listSoftware->setHeaderLabels(captions);
    const int widths[] = {170, 70, 70, 90, 90};
    for (int column = 0; column < 5; ++column)
        listSoftware->setColumnWidth(column, widths[column]);
    listSoftware->header()->setStretchLastSection(true);
    layout->addWidget(listSoftware, 1);
    labelUpdates->setBuddy(listSoftware);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttonUpdateLog = new QPushButton(tr("Display update log"), this);
    buttonUpdateLog->setObjectName("buttonUpdateLog");
    buttons->addWidget(buttonUpdateLog);
    buttonCheckVersion = new QPushButton(tr("Check for updates"), this);
    buttonCheckVersion->setObjectName("buttonCheckVersion");
    buttons->addWidget(buttonCheckVersion);
    layout->addLayout(buttons);
    // What the last check did: said where the user looks after pressing the button.
    labelCheckResult = new QLabel(this);
    labelCheckResult->setObjectName("labelCheckResult");
    labelCheckResult->setWordWrap(true);
    labelCheckResult->setTextInteractionFlags(Qt::TextSelectableByMouse);
    labelCheckResult->hide();
    layout->addWidget(labelCheckResult);

    connect(buttonCheckVersion, &QPushButton::clicked, this,
            &SoftwarePanel::buttonCheckVersionClick);
    connect(buttonUpdateLog, &QPushButton::clicked, this, &SoftwarePanel::buttonUpdateLogClick);
    connect(listSoftware, &QTreeWidget::itemDoubleClicked, this,
            &SoftwarePanel::listSoftwareDblClick);
    access::activateOnEnter(listSoftware, [this](const QModelIndex &) { listSoftwareDblClick(); });
    updates.setPanel(this);
}

void SoftwarePanel::showRows(const std::vector<update::SoftwareRow> &rows)
{
    listSoftware->clear();
    QList<QTreeWidgetItem *> items;
    items.reserve(static_cast<qsizetype>(rows.size()));
    for (const update::SoftwareRow &row : rows) {
        QStringList texts;
        for (const std::string &text : row.columns())
            texts << toQString(text);
        auto *item = new QTreeWidgetItem(texts);
        item->setData(1, kVersionRole, QByteArray::fromStdString(row.version));
        items << item;
    }
    listSoftware->addTopLevelItems(items);
}

void SoftwarePanel::buttonCheckVersionClick()
{
    if (!updates_ || updates_->passRunning())
        return;
    // The emptied list is painted before the pass, which may take a while.
    listSoftware->clear();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    updates_->CheckVersionNow();
    if (!updates_)
        return;
    labelCheckResult->setText(toQString(updates_->lastReport()));
    labelCheckResult->setVisible(!labelCheckResult->text().isEmpty());
}

void SoftwarePanel::buttonUpdateLogClick()
{
    viewer::DisplayControl *viewers = viewers_ ? viewers_() : nullptr;
    if (!updates_ || !viewers || !fileio::fileExists(updates_->reg().logPath))
        return;
    const update::RegList &reg = updates_->reg();
    viewer::TformTextDisplay *window = viewers->OpenViewer(
        reg.logPath, update::updateLogTitle(updates_->clock().now(), reg.dateOrder), "text");
    window->setVersionsEnabled(true);
    window->present();
}

void SoftwarePanel::listSoftwareDblClick()
{
    const QTreeWidgetItem *item = listSoftware->currentItem();
    viewer::DisplayControl *viewers = viewers_ ? viewers_() : nullptr;
    if (!updates_ || !item || !viewers)
        return;
    const std::string version = item->data(1, kVersionRole).toByteArray().toStdString();
    const std::string file = update::changeNotesFile(updates_->reg().folder, version);
    if (file.empty())
        return;
    viewer::TformTextDisplay *window =
        viewers->OpenViewer(file, update::changeNotesTitle(version), "text");
    window->setVersionsEnabled(false);
    window->present();
}

} // namespace nimbus
