// Page columns and file names.
#include "store/THyperData.h"

namespace nimbus {

TTableItemA &THyperData::AddColumn(int number, const std::string &heading)
{
    auto column = std::make_unique<TTableItemA>();
    column->col = number;
    column->hdg = heading;
    columns.push_back(std::move(column));
    return *columns.back();
}

void THyperData::AddDefaultColumns()
{
    AddColumn(0, "Item");
    AddColumn(1, "Finished");
}

void THyperData::TrackColumns(const std::vector<int> &shownWidths)
{
    for (std::size_t i = 0; i < columns.size() && i < shownWidths.size(); ++i) {
        TTableItemA &column = *columns[i];
        const int width = shownWidths[i];
        if (width < 0)
            continue;  // no view column
        if (!column.vis) {
            if (width > 0) {
                column.vis = true;
                column.wid = width;
                columnsChanged = true;
            }
        } else if (width == 0) {
            column.vis = false;
            columnsChanged = true;
        } else if (width != column.wid) {
            column.wid = width;
            columnsChanged = true;
        }
    }
}

std::string THyperData::DescriptionFileName() const
{
    const std::size_t dot = file.rfind('.');
    if (dot == std::string::npos)
        return file + ".~";
    return file.substr(0, dot) + ".~" + file.substr(dot + 1);
}

}  // namespace nimbus
