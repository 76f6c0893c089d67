// The tree's popup menu `popMainView` and the actions behind it (`MV...`), including "Save"
// (Ctrl+S) and "Change topic type ...". Each action is connected to the TreeController,
// which owns the behaviour; the menu is prepared for the item it opens on by the core rule
// ConfigureTreeMenu.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

#include "store/TNimbusNode.h" // complete for signals that carry a node
#include "tree/TreeRules.h"

class QAction;
class QMenu;

namespace nimbus {

class TNimbusNode;
class TreeController;

class TreeActions : public QObject {
    Q_OBJECT
public:
    explicit TreeActions(TreeController &controller, QObject *parent = nullptr);

    QMenu *popMainView = nullptr;
    QMenu *menuSendto = nullptr;
    QMenu *menuRemove = nullptr;
    QAction *MVNewSection = nullptr;
    QAction *MVAddItem = nullptr;
    QAction *MVAddSubItem = nullptr;
    QAction *MVEdit = nullptr;
    QAction *MVFavourites = nullptr;
    QAction *MVSkipOccurrence = nullptr;
    QAction *MVIncreaseLevel = nullptr;
    QAction *MVReduceLevel = nullptr;
    QAction *MVMoveUp = nullptr;   // Ctrl+Shift+Up
    QAction *MVMoveDown = nullptr; // Ctrl+Shift+Down
    QAction *MVSortSub = nullptr;
    QAction *MVSortPriority = nullptr;
    QAction *MVSortDaysDue = nullptr;
    QAction *MVExpandAll = nullptr;
    QAction *MVExpandUrgent = nullptr;
    QAction *MVExpandProgress = nullptr;
    QAction *MVExpandDueSoon = nullptr;
    QAction *MVExpandDue6Weeks = nullptr;
    QAction *MVContractAll = nullptr;
    QAction *MVRemoveItem = nullptr;
    QAction *MVSave = nullptr;
    QAction *MVChangeTopicType = nullptr;
    // The window's undo history: "Undo <step>" (Ctrl+Z), "Redo <step>" (Ctrl+Shift+Z, Ctrl+Y)
    // and the list of steps.
    QAction *MVUndo = nullptr;
    QAction *MVRedo = nullptr;
    QAction *MVSkipStep = nullptr;
    QAction *MVUndoHistory = nullptr;

    // Whether the LAN connection is up ("Send copy to" needs it); none: never.
    void setLanConnected(std::function<bool()> connected) { lanConnected_ = std::move(connected); }
    // Asked before the Delete key removes a topic: the menu's two steps ("Remove", then
    // "Remove this topic permanently") are the confirmation there, a key press has none.
    // None: removed without asking.
    void setRemoveConfirmation(std::function<bool(const TNimbusNode &, int subTopics)> confirm)
    {
        confirmRemove_ = std::move(confirm);
    }
    // Prepares the menu for the selected item (ConfigureTreeMenu) and returns the state used.
    tree::TreeMenuState ConfigureTreeMenu();
    // Opens the menu for the selected item at a point of the screen (a grid row's popup).
    void popupForSelection(const QPoint &globalPos);

signals:
    void editRequested(TNimbusNode *node);       // "Edit details": the properties dialog
    void changeTypeRequested(TNimbusNode *node); // "Change topic type ..."
    void saveRequested();                        // "Save"

private:
    QAction *action(const char *name, const QString &caption, const std::function<void()> &run);
    void popupAt(const QPoint &viewportPos);

    void removeSelected();
    // After a question about the tree: the window active again and the tree with the keys.
    void giveKeysBackToTree();

    QPointer<TreeController> controller_;
    std::function<bool()> lanConnected_;
    std::function<bool(const TNimbusNode &, int)> confirmRemove_;
    bool menuChoice_ = false; // the menu was open when an action fired
};

} // namespace nimbus
