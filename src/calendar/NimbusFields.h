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
    // Whether two nodes hold the same value, as comparing get() of both would say, without
    // making either text.
    bool (*same)(const TNimbusNode &, const TNimbusNode &);
};

const std::vector<NimbusField> &nimbusFields();

// Each X-NIMBUS- field carries, in this parameter, a fingerprint of what the standard
// properties said when it was written. Another program that edits the standard property (a
// phone completing a task) leaves our field behind unchanged: the field then no longer
// applies, and the standard value wins. A field without the parameter always applies.
inline constexpr const char *kStandardValueParameter = "X-NIMBUS-STD";
std::string standardValueFingerprint(const std::string &value);
// Marks a sub-task that is a checklist item of its parent topic.
inline constexpr const char *kChecklistProperty = "X-NIMBUS-CHECKLIST";

}  // namespace nimbus::calendar
