// The topic fields that travel as X-NIMBUS- properties when the standard properties cannot
// say them exactly (status "waiting" or "on hold", the lock, favourites, a switched-off due
// date kept for later, ...). The writer adds one only where reading the standard properties
// back would give a different value, so files stay clean for other programs.
#pragma once

#include <string>
#include <vector>

#include "store/TNimbusNode.h"

namespace nimbus::calendar {

struct NimbusField {
    const char *name;  // property name, "X-NIMBUS-STATUS"
    std::string (*get)(const TNimbusNode &);
    void (*set)(TNimbusNode &, const std::string &);
};

const std::vector<NimbusField> &nimbusFields();
// Marks a sub-task that is a checklist item of its parent topic.
inline constexpr const char *kChecklistProperty = "X-NIMBUS-CHECKLIST";

}  // namespace nimbus::calendar
