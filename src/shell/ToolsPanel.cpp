// The help button and Exit in the main window's tool row, and room for the parts' controls.
#include "shell/ToolsPanel.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QToolButton>

#include "fileio/FolderOps.h"
#include "shell/pages/PagePrompts.h"
#include "tree/TAppPaths.h"
#include "widgets/KeyboardAccess.h"

namespace nimbus {

// The texts were the main window's own: they keep its translation context.
ToolsPanel::ToolsPanel(QWidget *panelTools, QWidget *window, const TAppPaths &paths,
                       pages::PagePrompts &prompts)
    : QObject(panelTools), window_(window), paths_(paths), prompts_(prompts)
{
    row_ = new QHBoxLayout(panelTools);
    row_->setContentsMargins(0, 0, 0, 0);
    row_->addStretch();
    buttonHelp = new QToolButton(panelTools);
    buttonHelp->setObjectName("buttonHelp");
    buttonHelp->setText(QStringLiteral("?"));
    buttonHelp->setToolTip(
        QCoreApplication::translate("nimbus::TformMain", "Help and information"));
    buttonHelp->setAutoRaise(true);
    access::iconButton(buttonHelp);
    row_->addWidget(buttonHelp);
    buttonClosel =
        new QPushButton(QCoreApplication::translate("nimbus::TformMain", "Exit"), panelTools);
    buttonClosel->setObjectName("buttonClosel");
    buttonClosel->setToolTip(QCoreApplication::translate("nimbus::TformMain", "Close the program"));
    row_->addWidget(buttonClosel);

    connect(buttonClosel, &QPushButton::clicked, this, &ToolsPanel::buttonCloselClick);
    connect(buttonHelp, &QToolButton::clicked, this, &ToolsPanel::buttonHelpClick);
}

void ToolsPanel::addAtStart(QWidget *widget, int stretch)
{
    row_->insertWidget(0, widget, stretch);
}

void ToolsPanel::addBeforeExit(QWidget *widget)
{
    row_->insertWidget(row_->indexOf(buttonClosel), widget);
}

void ToolsPanel::buttonHelpClick()
{
    // Without a help file the button does nothing, and says nothing.
    if (fileio::fileExists(paths_.HelpFile))
        prompts_.openDocument(paths_.HelpFile);
}

void ToolsPanel::buttonCloselClick()
{
    window_->close();
}

} // namespace nimbus
