// A task whose options fill every line of the options dialog (status, history, sender, last
// done), for the tests that look at what the dialog shows.
#pragma once

#include "store/DateFormat.h"
#include "store/DateTime.h"
#include "store/TopicCodes.h"
#include "store/TopicOptions.h"

namespace nimbus::test {

inline TopicOptions taskWithEverything(DateTime now)
{
    TopicOptions task;
    task.name = "Quarterly report";
    task.taskOrEvent = true;
    task.topicType = kTopicTask;
    task.status = kStatusInProgress;
    task.hasChildren = true;
    task.urgent = true;
    task.deadline = true;
    task.dueDate = dates::dateKey(now.addDays(3));
    task.created = dates::stamp(now.addDays(-30));
    task.started = dates::stamp(now.addDays(-20));
    task.from = "Alice";
    task.sent = dates::stamp(now.addDays(-10));
    task.lastDoneDate = dates::dateKey(now.addDays(-7));
    return task;
}

} // namespace nimbus::test
