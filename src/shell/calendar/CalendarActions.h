// The calendar file items of the tree's popup menu: export of the selected topic with its
// sub-topics, of its section and of everything, and import into the selected place.
#pragma once

#include <QObject>

class QAction;
class QMenu;

namespace nimbus {

class CalendarFiles;
class TreeController;

class CalendarActions : public QObject {
    Q_OBJECT
public:
    // Adds the items to the end of menu.
    CalendarActions(CalendarFiles &files, TreeController &tree, QMenu *menu,
                    QObject *parent = nullptr);

    QAction *MVExportCalendar = nullptr;
    QAction *MVExportSectionCalendar = nullptr;
    QAction *MVExportAllCalendar = nullptr;
    QAction *MVImportCalendar = nullptr;

    // Enables the items for the selected item.
    void configure();

private:
    CalendarFiles &files_;
    TreeController &tree_;
};

} // namespace nimbus
