// The activity log at the foot of the main window.
#include "shell/ActivityLogPanel.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/pages/ThemeText.h"

namespace nimbus {

// The texts were the main window's own: they keep its translation context.
ActivityLogPanel::ActivityLogPanel(QWidget *panelFoot) : QObject(panelFoot)
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
}

void ActivityLogPanel::addBesideTitle(QWidget *widget, int stretch)
{
    bar_->insertWidget(1 + added_++, widget, stretch);
}

} // namespace nimbus
