// The running program's side of nimbus-cli: a change sent over "nimbusslavemode" is applied
// to the tree as if the user had made it (the same rules, the tree, grids and summary brought
// up to date), the window's own save writes the store, and the answer goes back on the
// channel the change names. Runs on the user-interface thread.
#pragma once

#include <string>

#include "tree/ChangeRequest.h"

namespace nimbus {

class TformMain;

class CliChangeApplier {
public:
    CliChangeApplier(TformMain &window, std::string channelFolder)
        : window_(window), channelFolder_(std::move(channelFolder))
    {
    }
    // A received command word and its value.
    void apply(const std::string &word, const std::string &value);

private:
    cli::ChangeAnswer applyChange(const cli::ChangeRequest &change);

    TformMain &window_;
    std::string channelFolder_;
};

} // namespace nimbus
