// A topic's pages: the list read from its content file "Packs/<uni>.pkt".
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "store/THyperData.h"

namespace nimbus {

// The data folder's sub-folders that hold content; each ends with "/".
struct ContentFolders {
    std::string packs;
    std::string text;
    std::string checkList;
    static ContentFolders inDataFolder(const std::string &dataFolder);
};

class TContent {
public:
    std::string name;  // the topic's uni
    int kind = 0;      // the topic's section kind
    int lastPage = 0;  // highest page number in use
    std::string file;  // path of the content file; empty when the uni is not a safe file name
    std::vector<std::unique_ptr<THyperData>> pages;
    int visiblePage = -1;
    bool loaded = false;
    bool modified = false;
    int option = 0;  // copied from the preferences when the content is created
    // False when the topic's uni cannot be used as a file name: nothing is read or written.
    bool filesAllowed = true;

    // Appends a page of the kind with the next page number.
    THyperData &AddPage(int con, const std::string &title);
    // The page with that number, or null.
    THyperData *FindPage(int number) const;
    // The two pages of a new topic in the "Topics" section: "Details" and "Checklist".
    void AddDefaultPages();
};

}  // namespace nimbus
