// A new order of one topic's direct children (the three sorts), and the order before. Each
// child keeps its own subtree. Children that arrived since (a merged packet) keep their place
// at the end; children that are gone are left out. Children that someone else put in another
// order since are left in theirs.
#pragma once

#include <string>
#include <vector>

#include "history/StoreCommand.h"

namespace nimbus::history {

class ReorderChildren : public StoreCommand {
public:
    ReorderChildren(std::string parentId, std::vector<std::string> before,
                    std::vector<std::string> after)
        : parentId_(std::move(parentId)), before_(std::move(before)), after_(std::move(after))
    {
    }

    bool apply(HistoryContext &context) override { return order(context, after_, before_); }
    bool revert(HistoryContext &context) override { return order(context, before_, after_); }
    std::size_t memoryBytes() const override;

private:
    // Refuses when the children no longer stand in the order `left` the step left them in.
    bool order(HistoryContext &context, const std::vector<std::string> &ids,
               const std::vector<std::string> &left);
    std::string parentId_;
    std::vector<std::string> before_;
    std::vector<std::string> after_;
};

} // namespace nimbus::history
