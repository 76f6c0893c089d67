// See CalendarActions.h.
#include "shell/calendar/CalendarActions.h"

#include <QAction>
#include <QMenu>

#include "shell/TreeController.h"
#include "shell/calendar/CalendarFiles.h"
#include "store/TNimbusNode.h"

namespace nimbus {

using calendar::ExportScope;

CalendarActions::CalendarActions(CalendarFiles &files, TreeController &tree, QMenu *menu,
                                 QObject *parent)
    : QObject(parent), files_(files), tree_(tree)
{
    const auto make = [this](const char *name, const QString &caption, auto run) {
        auto *a = new QAction(caption, this);
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, run);
        return a;
    };
    MVExportCalendar = make("MVExportCalendar", tr("Export to calendar file..."), [this] {
        files_.exportChosen(tree_.selectedNode(), ExportScope::TopicWithSubtopics);
    });
    MVExportSectionCalendar =
        make("MVExportSectionCalendar", tr("Export section to calendar file..."),
             [this] { files_.exportChosen(tree_.selectedNode(), ExportScope::Section); });
    MVExportAllCalendar = make("MVExportAllCalendar", tr("Export all to calendar file..."),
                               [this] { files_.exportChosen(nullptr, ExportScope::Everything); });
    MVImportCalendar = make("MVImportCalendar", tr("Import calendar file..."),
                            [this] { files_.importChosen(tree_.selectedNode()); });
    menu->addSeparator();
    menu->addActions(
        {MVExportCalendar, MVExportSectionCalendar, MVExportAllCalendar, MVImportCalendar});
    connect(menu, &QMenu::aboutToShow, this, &CalendarActions::configure);
    connect(&tree, &TreeController::selectionChanged, this, &CalendarActions::configure);
    configure();
}

void CalendarActions::configure()
{
    const TNimbusNode *node = tree_.selectedNode();
    // A section is exported by the section item; the topic item needs a topic.
    MVExportCalendar->setEnabled(node && node->lev > 0);
    MVExportSectionCalendar->setEnabled(node != nullptr);
    MVImportCalendar->setEnabled(node != nullptr);
}

} // namespace nimbus
