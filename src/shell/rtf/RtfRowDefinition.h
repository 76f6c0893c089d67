// The properties of a table row as RTF gives them after \trowd: each cell's right edge
// (\cellxN), its borders and whether it is merged with its neighbours.
#pragma once

#include "shell/rtf/RtfKeyword.h"

#include <array>
#include <vector>

namespace nimbus::rtf {

struct RtfCellDefinition {
    enum Side { Top, Left, Bottom, Right };
    int right = 0;                          // twips from the row's left edge
    std::array<int, 4> borders{0, 0, 0, 0}; // widths in twips; 0: none
    bool mergeFirst = false, merged = false;                 // \clmgf, \clmrg
    bool verticalMergeFirst = false, verticalMerged = false; // \clvmgf, \clvmrg
};

class RtfRowDefinition {
public:
    static constexpr std::size_t MaxCells = 63; // what word processors allow in a row

    // \trowd: a new row definition starts.
    void reset() { *this = RtfRowDefinition(); }
    // A row or cell control word; false when the word is none of them.
    bool apply(RtfKeyword keyword, int parameter);

    const std::vector<RtfCellDefinition> &cells() const { return cells_; }
    int left() const { return left_; }

private:
    std::vector<RtfCellDefinition> cells_;
    RtfCellDefinition pending_; // the cell whose \cellx has not come yet
    int left_ = 0;
    int borderSide_ = -1; // the cell side the next border words describe; -1: none of ours
    int borderStyle_ = 0; // a style was given for that side
};

} // namespace nimbus::rtf
