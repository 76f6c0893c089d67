// The options dialog, the type chooser and the removal question of the window's topics.
#include "shell/TopicEditController.h"

#include <QCoreApplication>
#include <QStringList>

#include "fileio/UiText.h"

#include "history/StepNames.h"
#include "recurrence/RecurrenceFile.h"
#include "recurrence/SkipOccurrence.h"
#include "recurrence/TopicRecurrence.h"
#include "recurrence/TopicRuleOptions.h"
#include "shell/ShellPrompts.h"
#include "shell/TformMain.h"
#include "shell/TreeController.h"
#include "shell/reminders/WindowReminders.h"
#include "store/TNimbusStructure.h"
#include "store/TopicOptions.h"
#include "store/TopicOptionsMerge.h"
#include "tree/TreeRules.h"

// The texts were the window's own: they keep its translation context.
namespace nimbus {

namespace {

TopicOptions optionsOf(const TNimbusNode &node, int dateOrder)
{
    const auto *item = static_cast<const tree::TreeItem *>(node.treeItem);
    TopicOptions v = topicOptionsFromNode(node, dateOrder, item->hasChildren());
    v.richRule = recurrence::richRuleText(node);
    return v;
}

} // namespace

void TopicEditController::editTopic(TNimbusNode *node)
{
    TreeController *tree = window_.treeController();
    reminderui::WindowReminders *reminders = window_.reminders();
    ShellPrompts &prompts = *window_.environment().prompts;
    const int dateOrder = window_.preferences().date;
    // Sections have no properties, wherever the double-click lands (tree or grid row).
    if (!tree || !node || !node->treeItem || node->lev == 0)
        return;
    TopicOptions opened = optionsOf(*node, dateOrder);
    opened.reminderLead = reminders ? reminders->leadOf(node->uni) : 0;
    TopicOptions edited = opened;
    const std::string uni = node->uni;
    if (!prompts.editTopicOptions(&window_, edited, window_.clock()))
        return;
    // While the dialog was open, a sync, a colleague's packet or nimbus-cli may have removed
    // or changed the topic: it is looked up again, and only what was changed here is written.
    node = stillThere(uni);
    if (node == nullptr)
        return;
    TopicOptions now = optionsOf(*node, dateOrder);
    now.reminderLead = opened.reminderLead;
    // A value the user changed that was also changed elsewhere meanwhile: the user chooses.
    bool theirs = false;
    if (const std::vector<std::string> both = clashingGroups(opened, edited, now); !both.empty()) {
        QStringList named;
        for (const std::string &group : both)
            named << QString::fromLocal8Bit(
                text::translate(kTopicGroupContext, group.c_str()).c_str());
        theirs = !prompts.confirm(
            &window_, window_.paths().ProductTitle,
            QCoreApplication::translate(
                "nimbus::TformMain",
                "While its options were open, \"%1\" was also changed elsewhere (by calendar "
                "sync, a colleague or nimbus-cli) in: %2.\n\nKeep your changes there? No keeps "
                "the other change; your other changes are kept either way.")
                .arg(QString::fromLocal8Bit(node->text.c_str()), named.join(QStringLiteral(", ")))
                .toLocal8Bit()
                .toStdString());
        node = stillThere(uni);
        if (node == nullptr)
            return;
    }
    const TopicOptions values = mergeTopicOptions(opened, edited, now, theirs);
    tree->beginEdit(node, history::optionsStepName(node->text));
    if (reminders)
        reminders->setLead(node->uni, values.reminderLead);
    // The series goes with the dates: the recurrence file and the node change together, as
    // one step of the history.
    recurrence::RecurrenceFile *series = window_.recurrenceFile();
    recurrence::SeriesChange change;
    const TopicOptionsApplied done = series ? recurrence::applyTopicOptionsWithSeries(
                                                  values, *node, window_.clock(), *series, &change)
                                            : applyTopicOptions(values, *node, window_.clock());
    if (change.changed)
        tree->joinEdit(std::make_unique<recurrence::SeriesEdit>(*series, node->uni, change.before,
                                                                change.after));
    if (done.applied)
        tree->nodeEdited(node);
}

TNimbusNode *TopicEditController::stillThere(const std::string &uni)
{
    TNimbusStructure *store = window_.store();
    TNimbusNode *node = store ? store->Find(uni) : nullptr;
    if (node == nullptr || node->treeItem == nullptr) {
        window_.environment().prompts->tellUser(
            &window_, window_.paths().ProductTitle,
            QCoreApplication::translate(
                "nimbus::TformMain",
                "The topic was removed while its options were open; nothing was changed.")
                .toStdString());
        return nullptr;
    }
    return node;
}

void TopicEditController::changeTopicType(TNimbusNode *node)
{
    TreeController *tree = window_.treeController();
    if (!tree || !node || node->lev == 0)
        return;
    const std::optional<int> chosen =
        window_.environment().prompts->chooseTopicType(&window_, node->ttype);
    if (!chosen || *chosen == node->ttype)
        return;
    tree->beginEdit(node);
    // An event needs its start and status, as its toolbar button gives it.
    if (*chosen == kTopicEvent)
        tree::ApplyTopicType(*node, kTopicEvent, window_.clock().now());
    node->ttype = *chosen;
    node->UpdateSortKey();
    tree->nodeEdited(node);
}

bool TopicEditController::confirmRemoval(const TNimbusNode &node, int subTopics)
{
    const QString title = QString::fromLocal8Bit(node.text.c_str());
    // The removal is one step of the undo history, pages and all: nothing is lost for good,
    // and the question says how to get it back.
    const QString question =
        subTopics > 1
            ? QCoreApplication::translate("nimbus::TformMain",
                                          "Remove the topic \"%1\" and its %2 sub-topics?\n\n"
                                          "\"Undo\" (Ctrl+Z) brings it back.")
                  .arg(title, QString::number(subTopics))
        : subTopics == 1
            ? QCoreApplication::translate("nimbus::TformMain",
                                          "Remove the topic \"%1\" and its 1 sub-topic?\n\n"
                                          "\"Undo\" (Ctrl+Z) brings it back.")
                  .arg(title)
            : QCoreApplication::translate("nimbus::TformMain",
                                          "Remove the topic \"%1\"?\n\n\"Undo\" (Ctrl+Z) brings "
                                          "it back.")
                  .arg(title);
    return window_.environment().prompts->confirm(&window_, window_.paths().ProductTitle,
                                                  question.toLocal8Bit().toStdString());
}

} // namespace nimbus
