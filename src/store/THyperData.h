// One page of a topic: a details page (rich text) or a checklist page, with the columns of a
// checklist and the name of its data file.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "store/TTableItemA.h"

namespace nimbus {

class TContent;

enum PageKind : int {
    kPageDetails = 0,
    kPageChecklist = 1,
};

class THyperData {
public:
    int con = kPageDetails;
    int uni = 0;      // page number, unique within the topic
    std::string cre;  // creation stamp
    std::string ame;  // last amendment stamp
    std::string dis;  // tab title
    bool data = true;
    std::vector<std::unique_ptr<TTableItemA>> columns;
    bool rtf = false;
    TContent *owner = nullptr;
    bool loaded = false;
    bool columnsChanged = false;
    std::string file;  // data file name without folder; empty until first saved
    std::string fsa;

    // Adds a column at the end and returns it.
    TTableItemA &AddColumn(int number, const std::string &heading);
    // The two columns of a new checklist: "Item" and "Finished".
    void AddDefaultColumns();

    // Brings the columns up to date with the widths the view shows (one per column, -1 for a
    // column without a view column): a hidden column shown again takes its new width; a
    // visible column that changed width or was shrunk to 0 (hidden) marks columnsChanged.
    void TrackColumns(const std::vector<int> &shownWidths);

    // "57-2.lst" -> "57-2.~lst": the name of the page's description file.
    std::string DescriptionFileName() const;
};

}  // namespace nimbus
