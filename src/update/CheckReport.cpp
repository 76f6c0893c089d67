// The result line of "Check for updates" and the running program's own row.
#include "update/CheckReport.h"

#include "update/RegList.h"
#include "update/RegProduct.h"
#include "update/SoftwareList.h"

namespace nimbus::update {

std::string CheckReport(const RegList &reg)
{
    std::string report;
    for (const auto &entry : reg.entries) {
        if (entry->status != kStatusActive || entry->autoupgrade != "Y")
            continue;
        if (!report.empty())
            report += "\n";
        report += entry->product + " " + entry->version + ": ";
        report += entry->errorcodes.empty() ? "checked, no newer version"
                                            : "not checked - " + entry->errorcodes;
    }
    if (report.empty())
        return "Nothing was checked: no installed product is set to be checked for updates.";
    return report;
}

void AddRunningProgram(std::vector<SoftwareRow> &rows, const std::string &title,
                       const std::string &exeBaseName, const std::string &version)
{
    for (const SoftwareRow &row : rows)
        if (row.software == title || row.software == exeBaseName)
            return;
    SoftwareRow self;
    self.software = title;
    self.version = version;
    self.status = "Running";
    rows.insert(rows.begin(), std::move(self));
}

} // namespace nimbus::update
