// One column of a checklist page: heading, field, description, width, visibility and type.
#pragma once

#include <string>

namespace nimbus {

class TTableItemA {
public:
    int col = 0;
    std::string hdg;
    std::string fld;
    std::string cld;
    int wid = 100;
    bool vis = true;
    int tpe = 0;
    // The view's column that shows it while the page is open; not owned.
    void *listColumn = nullptr;
};

}  // namespace nimbus
