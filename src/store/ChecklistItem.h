// One line of a checklist page as the checklist file holds it.
#pragma once

#include <string>

#include "store/FindLink.h"

namespace nimbus {

struct ChecklistItem {
    bool checked = false;
    std::string text;
    std::string finished;  // stamp; empty when not finished
    LinkRecord link;       // the first link in text, found when the item is read
};

}  // namespace nimbus
