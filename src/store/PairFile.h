// Whole name=value files through the line-file object: read every pair, or write every pair
// (as one buffer, so long values are never cut) with old versions kept.
#pragma once

#include <string>
#include <vector>

#include "store/StoreLog.h"

namespace nimbus {

// Reads every pair of a plain file; false when it cannot be opened (the lists are then empty).
bool readPairFile(const std::string &path, std::vector<std::string> &names,
                  std::vector<std::string> &values);

// "name=value" CR LF for every pair, appended to out.
void appendPairLines(std::string &out, const std::vector<std::string> &names,
                     const std::vector<std::string> &values);

// Rewrites path (mode "W") with the bytes, keeping `versions` old versions. A failure leaves
// the old file in place and carries the system's error text.
// Values from outside (a server's UIDs, paths and ETags) may hold what would end or break a
// line. Such a value is kept under name + "%" with CR, LF, NUL and "%" itself written as %XX;
// any other value stays as it is under the plain name, so that older readers see the files
// they always saw.
void appendEscapedPair(std::vector<std::string> &names, std::vector<std::string> &values,
                       const std::string &name, const std::string &value);
// The plain name and the value of a pair written that way.
std::pair<std::string, std::string> readEscapedPair(const std::string &name, const std::string &value);

StoreResult writeWholeFile(const std::string &path, const std::string &bytes, int versions);
StoreResult writePairFile(const std::string &path, const std::vector<std::string> &names,
                          const std::vector<std::string> &values, int versions);

}  // namespace nimbus
