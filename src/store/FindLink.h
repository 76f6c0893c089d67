// Finds the first web address, mail address or file path in a line of text (checklist items
// show them as links).
#pragma once

#include <string>
#include <string_view>

namespace nimbus {

struct LinkRecord {
    bool found = false;
    bool isFile = false;
    std::string link;  // "www." addresses get "http://" in front
    int start = 0;     // 1-based position of the link in the text
    int length = 0;    // its length in the text
};

// Fills link and returns the 1-based position just after the link, or -1 when there is none.
int FindLink(std::string_view text, LinkRecord &link);

}  // namespace nimbus
