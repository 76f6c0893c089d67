// The fields of a topic that an undoable change may alter, as a table, so that a change is
// kept as the few fields it altered (before and after) rather than as copies of whole nodes.
// A node's place in the tree (lev), its id and the view's state (expanded, selected, first
// visible, tree item, grid row) are not in the table: moves and the view keep those.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace nimbus {

class TNimbusNode;

namespace history {

using FieldValue = std::variant<int, bool, std::string>;

// Number of fields in the table; a field is known by its position.
int fieldCount();
// The key a field has in the store file (or its member's name for run-time values).
const char *fieldName(int field);
// Fields the program works out from others rather than the user setting them: the counts a
// group keeps of its subtree and the days left to the date due. Others change them all the
// time (a packet adds a child, the deadline timer passes midnight), so a step does not refuse
// over them; see FieldEdit.
enum class Derived { No, Count, DaysLeft };
Derived derivedKind(int field);
// The field in a log line: "the title", "the field pri".
std::string fieldWords(int field);
// A value in a log line.
std::string valueWords(const FieldValue &value);
FieldValue readField(const TNimbusNode &node, int field);
void writeField(TNimbusNode &node, int field, const FieldValue &value);

// Every field of a node, in table order.
using NodeImage = std::vector<FieldValue>;
NodeImage imageOf(const TNimbusNode &node);

struct FieldChange {
    std::uint8_t field = 0;
    FieldValue before;
    FieldValue after;
};

// The fields in which a node's image before differs from the node as it is now.
std::vector<FieldChange> changesSince(const NodeImage &before, const TNimbusNode &now);

} // namespace history
} // namespace nimbus
