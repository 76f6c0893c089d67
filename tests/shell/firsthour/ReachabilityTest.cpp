// Every action of the main window can be reached: walks each QAction and button of the window,
// its popup menus and its pages with a task, a section and a checklist selected, and fails for
// any that is enabled yet reachable neither from a menu the window opens, a button, nor a key.
#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QToolButton>
#include <QPushButton>
#include <QtTest>
#include <set>

#include "shell/TreeActions.h"
#include "shell/reminders/ReminderTray.h"
#include "shell/reminders/WindowReminders.h"
#include "shell/tree/WindowFixture.h"

using namespace nimbus;
using namespace nimbus::test;

namespace {

// The popup menus the window opens: the tree's (right-click or Menu key on the tree and the
// grids), the checklist's, the details page's and the tab strip's, the summary button's and
// the priority button's menus, and the sub-menus of each.
std::set<const QMenu *> openedMenus(QWidget *window)
{
    std::set<const QMenu *> menus;
    std::vector<const QMenu *> todo;
    for (QMenu *menu : window->findChildren<QMenu *>())
        if (QStringList{"popMainView", "popCheckList", "popNotes", "popTabs"}.contains(
                menu->objectName()))
            todo.push_back(menu);
    for (QAbstractButton *button : window->findChildren<QAbstractButton *>()) {
        if (auto *tool = qobject_cast<QToolButton *>(button); tool && tool->menu())
            todo.push_back(tool->menu());
        if (auto *push = qobject_cast<QPushButton *>(button); push && push->menu())
            todo.push_back(push->menu());
    }
    while (!todo.empty()) {
        const QMenu *menu = todo.back();
        todo.pop_back();
        if (!menus.insert(menu).second)
            continue;
        for (QAction *a : menu->actions())
            if (a->menu())
                todo.push_back(a->menu());
    }
    return menus;
}

bool reachable(QAction *action, const std::set<const QMenu *> &menus)
{
    if (!action->shortcut().isEmpty())
        for (QObject *owner : action->associatedObjects())
            if (qobject_cast<QWidget *>(owner) && !qobject_cast<QMenu *>(owner))
                return true; // a key that works where the action is added
    for (QObject *owner : action->associatedObjects()) {
        if (auto *menu = qobject_cast<QMenu *>(owner); menu && menus.count(menu) && action->isVisible())
            return true;
        if (auto *tool = qobject_cast<QToolButton *>(owner); tool && tool->defaultAction() == action)
            return true;
    }
    return false;
}

} // namespace

class ReachabilityTest : public QObject {
    Q_OBJECT

    struct Scene {
        TempFolder dir;
        FixedClock clock{DateTime::fromCivil(2026, 3, 10, 9, 30, 0)};
        std::shared_ptr<FakePrompts> prompts = std::make_shared<FakePrompts>();
        std::unique_ptr<TformMain> window;
        Scene()
        {
            StoreWriter w(dataFolder(dir));
            w.add(0, "Topics").expanded();
            w.add(1, "Quarterly report").status(kStatusInProgress, 60).due(clock, 5).expanded();
            w.add(2, "Draft");
            w.add(2, "Figures");
            w.add(1, "Garden ideas").type(kTopicIdea);
            w.add(0, "Local network information", kSectionNetwork);
            w.add(0, "Preferences", kSectionPreferences);
            w.add(0, "Product information", kSectionProduct);
            w.write();
            window = std::make_unique<TformMain>(clock, windowEnvironment(dir, prompts));
        }
        void select(const std::string &text)
        {
            for (const tree::TreeItem *item : window->treeController()->tree().preOrder())
                if (item->node->text == text)
                    window->treeController()->selectNode(item->node);
        }
    };

private slots:
    void everyEnabledActionAndButtonIsReachable()
    {
        Scene scene;
        TformMain &window = *scene.window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QStringList problems;
        for (const char *selected : {"Quarterly report", "Figures", "Draft", "Garden ideas",
                                     "Topics", "Preferences", "Product information"}) {
            scene.select(selected);
            window.treeActions()->ConfigureTreeMenu(); // as a right-click prepares it
            const std::set<const QMenu *> menus = openedMenus(&window);
            for (QAction *action : window.findChildren<QAction *>()) {
                if (!action->isEnabled() || action->isSeparator() || action->menu() ||
                    action->text().isEmpty())
                    continue;
                if (!reachable(action, menus))
                    problems << QStringLiteral("%1: action %2 \"%3\"")
                                    .arg(selected, action->objectName(), action->text());
            }
            // Buttons on the shown page: the mouse reaches them, and so must the keyboard.
            for (QAbstractButton *button : window.findChildren<QAbstractButton *>()) {
                if (!button->isEnabled() || !button->isVisibleTo(&window))
                    continue;
                if (!(button->focusPolicy() & Qt::TabFocus) && button->shortcut().isEmpty())
                    problems << QStringLiteral("%1: button %2 \"%3\" takes no key")
                                    .arg(selected, button->objectName(), button->text());
            }
        }
        problems.removeDuplicates();
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    }

    // The capabilities beside the tree's own: the search field by its key, undo and calendar
    // files from the tree's menu, and the tray's menu with a way back to the window and out.
    void searchUndoCalendarFilesAndTheTrayAreReachable()
    {
        Scene scene;
        TformMain &window = *scene.window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        scene.select("Garden ideas");
        window.treeController()->treeMain()->setFocus();
        QTest::keyClick(&window, Qt::Key_F, Qt::ControlModifier);
        QWidget *search = window.findChild<QWidget *>(QStringLiteral("editSearch"));
        QVERIFY(search);
        QTRY_VERIFY(search->hasFocus());

        TreeActions &actions = *window.treeActions();
        const QList<QAction *> menu = actions.popMainView->actions();
        for (const char *name :
             {"MVUndo", "MVRedo", "MVUndoHistory", "MVExportCalendar", "MVExportSectionCalendar",
              "MVExportAllCalendar", "MVImportCalendar"}) {
            auto *action = window.findChild<QAction *>(QLatin1String(name));
            QVERIFY2(action, name);
            QVERIFY2(menu.contains(action), name);
        }
        reminderui::ReminderTray *tray = window.reminders()->tray();
        QVERIFY(tray->menu()->actions().contains(tray->actionShow));
        QVERIFY(tray->menu()->actions().contains(tray->actionExit));
    }

    void changeTopicTypeIsOnTheTreeMenuForTopicsOnly()
    {
        Scene scene;
        TformMain &window = *scene.window;
        TreeActions &actions = *window.treeActions();
        QVERIFY(actions.popMainView->actions().contains(actions.MVChangeTopicType));
        scene.select("Garden ideas");
        actions.ConfigureTreeMenu();
        QVERIFY(actions.MVChangeTopicType->isVisible() && actions.MVChangeTopicType->isEnabled());
        scene.prompts->chosenType = kTopicFinancial;
        actions.MVChangeTopicType->trigger();
        QCOMPARE(window.treeController()->selectedNode()->ttype, int(kTopicFinancial));
        scene.select("Topics");
        actions.ConfigureTreeMenu();
        QVERIFY(!actions.MVChangeTopicType->isVisible());
    }
};

QTEST_MAIN(ReachabilityTest)
#include "ReachabilityTest.moc"
