// What "Check for updates" tells the user when it has run: which products it checked and what
// came of each, or why nothing was checked. The details stay in the update log.
#pragma once

#include <string>
#include <vector>

namespace nimbus::update {

class RegList;
struct SoftwareRow;

// One line per product the pass was asked to check (active, automatic upgrades), or one line
// saying that there was none.
std::string CheckReport(const RegList &reg);

// The running program as a row of the software list, placed first when the register does not
// hold it already (an installation from a package or a build registers nothing).
void AddRunningProgram(std::vector<SoftwareRow> &rows, const std::string &title,
                       const std::string &exeBaseName, const std::string &version);

} // namespace nimbus::update
