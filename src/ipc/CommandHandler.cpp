// Passing a batch's decided actions on to the program.
#include "ipc/CommandHandler.h"

#include "ipc/CommandParser.h"

namespace nimbus::ipc {

void CommandHandler::operator()(const std::vector<std::string> &batch) const
{
    for (const CommandAction &action : decideCommands(batch)) {
        // A batch that arrives while the program closes is not looked at.
        if (flags_.applicationTerminating())
            return;
        switch (action.kind) {
        case CommandAction::Kind::Wakeup:
            target_.wakeup();
            break;
        case CommandAction::Kind::Close:
            target_.close();
            return;
        case CommandAction::Kind::Run:
            target_.run(action.process);
            break;
        case CommandAction::Kind::TopicChange:
            target_.topicChange(action.word, action.value);
            break;
        case CommandAction::Kind::None:
            break;
        }
    }
}

} // namespace nimbus::ipc
