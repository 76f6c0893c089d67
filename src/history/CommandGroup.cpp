// Commands applied and reverted together.
#include "history/CommandGroup.h"

namespace nimbus::history {

bool CommandGroup::apply(HistoryContext &context)
{
    for (std::size_t done = 0; done < parts_.size(); ++done) {
        if (parts_[done]->apply(context))
            continue;
        while (done-- > 0)
            parts_[done]->revert(context);
        return false;
    }
    return true;
}

bool CommandGroup::revert(HistoryContext &context)
{
    for (std::size_t left = parts_.size(); left-- > 0;) {
        if (parts_[left]->revert(context))
            continue;
        for (++left; left < parts_.size(); ++left)
            parts_[left]->apply(context);
        return false;
    }
    return true;
}

std::size_t CommandGroup::memoryBytes() const
{
    std::size_t bytes = parts_.capacity() * sizeof(void *);
    for (const auto &part : parts_)
        bytes += sizeof(*part) + part->memoryBytes();
    return bytes;
}

} // namespace nimbus::history
