// Builds the software list rows from the register.
#include "update/SoftwareList.h"

#include "store/DateFormat.h"
#include "update/RegList.h"

namespace nimbus::update {

namespace {

std::string statusText(const std::string &status)
{
    if (status == kStatusActive)
        return "Active";
    if (status == kStatusRemoved)
        return "Removed";
    if (status == kStatusSuperseded)
        return "Old";
    return {};
}

// An empty date stays empty instead of showing its separators alone.
std::string dateText(const std::string &key, int order)
{
    return key.empty() ? std::string() : dates::displayDate(key, order);
}

} // namespace

std::vector<SoftwareRow> Display(RegList &reg)
{
    std::vector<SoftwareRow> rows;
    for (const auto &entry : reg.entries) {
        if (entry->status.empty())
            continue;
        if (entry->status == kStatusSuperseded)
            entry->errorcodes.clear();
        SoftwareRow row;
        row.software = entry->product;
        row.version = entry->version;
        row.status = statusText(entry->status);
        row.installed = dateText(entry->dateinstalled, reg.dateOrder);
        row.lastChecked = dateText(entry->datelastchecked, reg.dateOrder);
        row.message = entry->errorcodes;
        row.entry = entry.get();
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace nimbus::update
