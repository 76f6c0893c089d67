// The main window's layout, kept in "screen.dat": position, size, panel sizes and the
// highlight colours of the details page.
#pragma once

#include <string>
#include <vector>

#include "store/StoreLog.h"

namespace nimbus {

class TScreenSetup {
public:
    static constexpr int kNotStored = -1;

    std::string fileName;  // data folder + "screen.dat"
    int top = kNotStored;
    int left = kNotStored;
    int width = kNotStored;
    int height = kNotStored;
    int tree = kNotStored;
    int structPanel = kNotStored;  // key "struct"
    int rpanel = kNotStored;
    int tpanel = kNotStored;
    int hib = kNotStored;  // highlight background colour
    int hit = kNotStored;  // highlight text colour
    int due = 90;
    int info = 90;
    std::string lfs;

    void SetDataFolder(const std::string &dataFolder) { fileName = dataFolder + "screen.dat"; }
    // False when the file cannot be opened; the defaults then stay.
    bool Load();
    StoreResult Save() const;

    void Parse(const std::vector<std::string> &names, const std::vector<std::string> &values);
    void Pairs(std::vector<std::string> &names, std::vector<std::string> &values) const;
};

}  // namespace nimbus
