// The activity log at the foot of the main window.
#include "shell/ActivityLogPanel.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "fileio/FolderOps.h"
#include "shell/pages/ThemeText.h"
#include "store/Clock.h"
#include "store/DateFormat.h"
#include "tree/TAppPaths.h"
#include "viewer/DisplayControl.h"
#include "viewer/TformTextDisplay.h"

namespace nimbus {

// The texts were the main window's own: they keep its translation context.
ActivityLogPanel::ActivityLogPanel(QWidget *panelFoot, const TAppPaths &paths, const Clock &clock,
                                   std::function<viewer::DisplayControl *()> displayControl)
    : QObject(panelFoot), paths_(paths), clock_(clock), displayControl_(std::move(displayControl))
{
    auto *foot = new QVBoxLayout(panelFoot);
    foot->setContentsMargins(4, 0, 4, 4);
    foot->setSpacing(2);
    bar_ = new QHBoxLayout;
    labelActivityLog =
        new QLabel(QCoreApplication::translate("nimbus::TformMain", "Activity log"), panelFoot);
    labelActivityLog->setObjectName("labelActivityLog");
    QFont font = labelActivityLog->font();
    font.setBold(true);
    labelActivityLog->setFont(font);
    pages::theme::followPalette(labelActivityLog, pages::theme::TextRole::Caption);
    bar_->addWidget(labelActivityLog);
    bar_->addStretch();
    buttonMainLog =
        new QPushButton(QCoreApplication::translate("nimbus::TformMain", "Log"), panelFoot);
    buttonMainLog->setObjectName("buttonMainLog");
    buttonMainLog->setToolTip(
        QCoreApplication::translate("nimbus::TformMain", "Show the whole log"));
    bar_->addWidget(buttonMainLog);
    foot->addLayout(bar_);
    reLog = new QPlainTextEdit(panelFoot);
    reLog->setObjectName("reLog");
    reLog->setReadOnly(true);
    reLog->setMaximumBlockCount(5000);
    reLog->setAccessibleName(labelActivityLog->text());
    foot->addWidget(reLog);
    connect(buttonMainLog, &QPushButton::clicked, this, &ActivityLogPanel::buttonMainLogClick);
}

void ActivityLogPanel::addBesideTitle(QWidget *widget, int stretch)
{
    bar_->insertWidget(1 + added_++, widget, stretch);
}

void ActivityLogPanel::buttonMainLogClick()
{
    viewer::DisplayControl *displayControl = displayControl_();
    if (!displayControl || !fileio::fileExists(paths_.MainLogFile))
        return;
    viewer::TformTextDisplay *viewer = displayControl->OpenViewer(
        paths_.MainLogFile, "Log file - " + dates::logDateTime(clock_.now()), "text");
    viewer->setVersionsEnabled(true);
    viewer->present();
}

} // namespace nimbus
