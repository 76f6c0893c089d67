// How an undo history is cut to stay within its limits, for both histories: UndoHistory
// (without a window) and the window's TreeHistory over a QUndoStack. The oldest steps go first,
// and only steps that are done: an undone step is the way to its redo. The newest step always
// stays, however large, so that the last change can be undone.
#pragma once

#include <cstddef>

namespace nimbus::history {

class HistoryTrim {
public:
    HistoryTrim(std::size_t maxSteps, std::size_t maxBytes)
        : maxSteps_(maxSteps), maxBytes_(maxBytes)
    {
    }

    // Whether the oldest step goes, for a history of `steps` steps of which `done` are before
    // the undo point, holding `bytes`. Ask again after each step dropped.
    bool dropsOldest(std::size_t steps, std::size_t done, std::size_t bytes) const
    {
        return steps > 1 && done > 0 && (steps > maxSteps_ || bytes > maxBytes_);
    }

private:
    std::size_t maxSteps_;
    std::size_t maxBytes_;
};

} // namespace nimbus::history
