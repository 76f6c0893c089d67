// Table row properties while RTF is read; see RtfRowDefinition.h.
#include "shell/rtf/RtfRowDefinition.h"

#include <QtGlobal>

namespace nimbus::rtf {

namespace {

constexpr int MaxTwips = 31680 * 4;
constexpr int DefaultBorder = 15; // a border with a style but no width: one pixel

} // namespace

bool RtfRowDefinition::apply(RtfKeyword keyword, int parameter)
{
    using K = RtfKeyword;
    switch (keyword) {
    case K::RowDefaults:
        reset();
        return true;
    case K::RowLeft:
        left_ = qBound(-MaxTwips, parameter, MaxTwips);
        return true;
    case K::CellRight:
        if (cells_.size() < MaxCells) {
            pending_.right = qBound(-MaxTwips, parameter, MaxTwips);
            cells_.push_back(pending_);
        }
        pending_ = RtfCellDefinition();
        borderSide_ = -1;
        return true;
    case K::CellMergeFirst:
        pending_.mergeFirst = true;
        return true;
    case K::CellMerged:
        pending_.merged = true;
        return true;
    case K::CellVerticalMergeFirst:
        pending_.verticalMergeFirst = true;
        return true;
    case K::CellVerticalMerged:
        pending_.verticalMerged = true;
        return true;
    case K::CellBorderTop:
    case K::CellBorderLeft:
    case K::CellBorderBottom:
    case K::CellBorderRight:
        borderSide_ = static_cast<int>(keyword) - static_cast<int>(K::CellBorderTop);
        return true;
    case K::OtherBorder:
        borderSide_ = -1;
        return true;
    case K::BorderNone:
        if (borderSide_ >= 0)
            pending_.borders[std::size_t(borderSide_)] = 0;
        return true;
    case K::BorderStyle:
        if (borderSide_ >= 0 && pending_.borders[std::size_t(borderSide_)] == 0)
            pending_.borders[std::size_t(borderSide_)] = DefaultBorder;
        return true;
    case K::BorderWidth:
        if (borderSide_ >= 0)
            pending_.borders[std::size_t(borderSide_)] = qBound(0, parameter, 255);
        return true;
    default:
        return false;
    }
}

} // namespace nimbus::rtf
