// Several commands that make one step of the history (a move and the groups' roll-up it
// caused), and a command run backwards (adding a topic is a removal undone).
#pragma once

#include <memory>
#include <vector>

#include "history/StoreCommand.h"

namespace nimbus::history {

class CommandGroup : public StoreCommand {
public:
    void add(std::unique_ptr<StoreCommand> command)
    {
        if (command)
            parts_.push_back(std::move(command));
    }
    bool empty() const { return parts_.empty(); }

    // In order; when one fails, those already done are reverted again.
    bool apply(HistoryContext &context) override;
    // In reverse order, with the same care.
    bool revert(HistoryContext &context) override;
    std::size_t memoryBytes() const override;

private:
    std::vector<std::unique_ptr<StoreCommand>> parts_;
};

class Reversed : public StoreCommand {
public:
    explicit Reversed(std::unique_ptr<StoreCommand> inner) : inner_(std::move(inner)) {}
    bool apply(HistoryContext &context) override { return inner_->revert(context); }
    bool revert(HistoryContext &context) override { return inner_->apply(context); }
    std::size_t memoryBytes() const override { return sizeof(*inner_) + inner_->memoryBytes(); }

private:
    std::unique_ptr<StoreCommand> inner_;
};

} // namespace nimbus::history
