// One installed add-on pack as recorded in "Addons.dat".
#pragma once

#include <string>

namespace nimbus {

struct TAddon {
    std::string name; // the pack's name; the key of the list
    std::string src;  // "install"
    std::string cre;  // date of installation, "yyyymmdd"
    std::string upd;  // the pack's version; empty when its folder name has none
    std::string date; // kept as read; the program does not set it
};

} // namespace nimbus
