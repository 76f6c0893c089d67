// The checklist's actions (`ActionList1`, category "CheckList") with their shortcuts, and the
// popup menu `popCheckList` that shows them in order.
#pragma once

#include <QObject>

class QAction;
class QMenu;
class QWidget;

namespace nimbus::checklist {

struct MenuState;

class ChecklistActions : public QObject {
    Q_OBJECT
public:
    // The actions are added to owner, so that their shortcuts work while the focus is inside
    // the checklist page and nowhere else (the details editor uses some of the same keys).
    explicit ChecklistActions(QWidget *owner);

    QAction *CLChangeTitle = nullptr;
    QAction *CLAdd = nullptr;
    QAction *CLInsert = nullptr;
    QAction *CLChange = nullptr;
    QAction *CLUp = nullptr;
    QAction *CLDown = nullptr;
    QAction *optCheckLink = nullptr;
    QAction *optCheckFolder = nullptr;
    QAction *optCheckSelectAll = nullptr;
    QAction *optCheckCopy = nullptr;
    QAction *optCheckPaste = nullptr;
    QAction *CLPrint = nullptr;
    QAction *CLSave = nullptr;
    QAction *CLRemove = nullptr;
    QAction *CLRemoveAllTicks = nullptr;
    QAction *CLRemoveAllDates = nullptr;
    QAction *CLRemoveAll = nullptr;
    QAction *CLSort = nullptr;

    QMenu *popCheckList = nullptr;

    // Enables the actions as the popup menu's rules say.
    void apply(const MenuState &state);

private:
    QAction *make(QWidget *owner, const char *name, const QString &caption);
};

} // namespace nimbus::checklist
