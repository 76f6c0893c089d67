// The store file's records: the keys of each node in their fixed order, each only under its
// condition, and the "uni" lines of an id list.
#pragma once

#include <string>

namespace nimbus {

class TNimbusNode;

namespace structure {

// Appends the node's record ("key=value" CR LF lines) to out.
void AppendRecord(std::string &out, const TNimbusNode &node);
// Appends "uni=<id>" CR LF.
void AppendIdLine(std::string &out, const std::string &id);

}  // namespace structure
}  // namespace nimbus
