// The checklist's actions and popup menu.
#include "shell/checklist/ChecklistActions.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

#include "store/ChecklistRules.h"

namespace nimbus::checklist {

namespace {

// Dividers in the menu are items captioned with a row of dashes.
void addDivider(QMenu *menu)
{
    QAction *divider = menu->addAction(QStringLiteral("-----------------------------"));
    divider->setEnabled(false);
}

} // namespace

QAction *ChecklistActions::make(QWidget *owner, const char *name, const QString &caption)
{
    auto *action = new QAction(caption, this);
    action->setObjectName(QString::fromLatin1(name));
    action->setProperty("category", QStringLiteral("CheckList"));
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    owner->addAction(action);
    return action;
}

ChecklistActions::ChecklistActions(QWidget *owner) : QObject(owner)
{
    setObjectName(QStringLiteral("ActionList1"));
    CLChangeTitle = make(owner, "CLChangeTitle", tr("Change page title"));
    CLChangeTitle->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    CLAdd = make(owner, "CLAdd", tr("Add new item"));
    CLAdd->setShortcut(QKeySequence(Qt::Key_Insert));
    CLInsert = make(owner, "CLInsert", tr("Insert new item"));
    CLInsert->setVisible(false);
    CLInsert->setEnabled(false);
    CLChange = make(owner, "CLChange", tr("Change item"));
    CLChange->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    // The menu shows the first key; the action also answers to the second.
    CLUp = make(owner, "CLUp", tr("Move up"));
    CLUp->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_U), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_U)});
    CLDown = make(owner, "CLDown", tr("Move down"));
    CLDown->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_D), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D)});
    optCheckLink = make(owner, "optCheckLink", tr("Open link"));
    optCheckLink->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    optCheckFolder = make(owner, "optCheckFolder", tr("Open containing folder"));
    optCheckFolder->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    optCheckSelectAll = make(owner, "optCheckSelectAll", tr("Select all"));
    optCheckSelectAll->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    optCheckCopy = make(owner, "optCheckCopy", tr("Copy"));
    optCheckCopy->setShortcut(QKeySequence::Copy);
    optCheckPaste = make(owner, "optCheckPaste", tr("Paste"));
    optCheckPaste->setShortcut(QKeySequence::Paste);
    CLPrint = make(owner, "CLPrint", tr("Print"));
    CLSave = make(owner, "CLSave", tr("Save as a Word document"));
    CLRemove = make(owner, "CLRemove", tr("Remove selected item(s)"));
    CLRemove->setShortcut(QKeySequence::Delete);
    CLRemoveAllTicks = make(owner, "CLRemoveAllTicks", tr("Remove all ticks"));
    CLRemoveAllDates = make(owner, "CLRemoveAllDates", tr("Remove all dates"));
    CLRemoveAll = make(owner, "CLRemoveAll", tr("Remove all items"));
    CLSort = make(owner, "CLSort", tr("Sort items"));
    CLSort->setVisible(false);
    CLSort->setEnabled(false);

    popCheckList = new QMenu(owner);
    popCheckList->setObjectName(QStringLiteral("popCheckList"));
    popCheckList->addAction(CLChangeTitle);
    addDivider(popCheckList);
    popCheckList->addAction(CLAdd);
    popCheckList->addAction(CLInsert);
    popCheckList->addAction(CLUp);
    popCheckList->addAction(CLDown);
    addDivider(popCheckList);
    popCheckList->addAction(optCheckLink);
    popCheckList->addAction(optCheckFolder);
    addDivider(popCheckList);
    popCheckList->addAction(optCheckSelectAll);
    popCheckList->addAction(optCheckCopy);
    popCheckList->addAction(optCheckPaste);
    addDivider(popCheckList);
    popCheckList->addAction(CLPrint);
    popCheckList->addAction(CLSave);
    addDivider(popCheckList);
    QMenu *remove = popCheckList->addMenu(tr("Remove"));
    remove->setObjectName(QStringLiteral("popCheckListRemove"));
    remove->addAction(CLRemove);
    remove->addAction(CLRemoveAllTicks);
    remove->addAction(CLRemoveAllDates);
    remove->addAction(CLRemoveAll);
}

void ChecklistActions::apply(const MenuState &state)
{
    CLChangeTitle->setEnabled(state.title);
    CLAdd->setEnabled(state.add);
    CLChange->setEnabled(state.change);
    CLUp->setEnabled(state.up);
    CLDown->setEnabled(state.down);
    optCheckLink->setEnabled(state.openLink);
    optCheckFolder->setEnabled(state.openFolder);
    optCheckSelectAll->setEnabled(state.selectAll);
    optCheckCopy->setEnabled(state.copy);
    optCheckPaste->setEnabled(state.paste);
    CLPrint->setEnabled(state.print);
    CLSave->setEnabled(state.print);
    CLRemove->setEnabled(state.remove);
    CLRemoveAllTicks->setEnabled(state.remove);
    CLRemoveAllDates->setEnabled(state.remove);
    CLRemoveAll->setEnabled(state.remove);
}

} // namespace nimbus::checklist
