// The user's preferences, kept in "pref.txt": date order, sounds, details font, summary.
#pragma once

#include <string>
#include <vector>

#include "store/StoreLog.h"

namespace nimbus {

class TPreferences {
public:
    static constexpr int kVersions = 6;
    static constexpr int kDefaultFontSize = 11;

    std::string fileName;  // data folder + "pref.txt"
    int reserved = 0;      // not stored; handed to each topic's content as its option
    int date = 0;          // 0 day/month/year, 1 month/day/year, 2 year/month/day
    bool sfx = false;
    std::string lv;        // data version that last upgraded the data
    std::string font;
    int fsize = kDefaultFontSize;
    int col = 0;
    int scr = 0;
    bool sum = true;

    void SetDataFolder(const std::string &dataFolder) { fileName = dataFolder + "pref.txt"; }
    // False when the file cannot be opened; the defaults then stay.
    bool Load();
    // Rewrites the file keeping six old versions.
    StoreResult Save() const;

    void Parse(const std::vector<std::string> &names, const std::vector<std::string> &values);
    void Pairs(std::vector<std::string> &names, std::vector<std::string> &values) const;
};

}  // namespace nimbus
