// Stores for the tree's tests: a store described as lines "depth text [key=value ...]".
#pragma once

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "store/TNimbusStructure.h"

namespace nimbus::test {

// Appends one node per line: "1 Report ttype=4 status=2 pr=60". Depth 0 lines are sections
// of kind 1 unless "type=" says otherwise; topics carry their section's kind.
inline void addNodes(TNimbusStructure &store, const std::vector<std::string> &lines)
{
    int kind = 1;
    for (const std::string &line : lines) {
        std::istringstream in(line);
        int lev = 0;
        std::string text;
        in >> lev >> text;
        std::string uni = "n";
        uni += std::to_string(store.Count() + 1);
        auto node = std::make_unique<TNimbusNode>(uni);
        node->lev = lev;
        node->text = text;
        node->type = lev == 0 ? 1 : kind;
        std::string pair;
        while (in >> pair) {
            const std::string key = pair.substr(0, pair.find('='));
            const std::string value = pair.substr(pair.find('=') + 1);
            const int number = std::atoi(value.c_str());
            if (key == "uni")
                node->uni = value;
            else if (key == "ttype")
                node->ttype = number;
            else if (key == "status")
                node->status = number;
            else if (key == "pr")
                node->percent = number;
            else if (key == "type")
                node->type = number;
            else if (key == "urgent")
                node->urgent = number != 0;
            else if (key == "pri")
                node->pri = number;
            else if (key == "days")
                node->daysLeft = number;
            else if (key == "calpr")
                node->calpr = number != 0;
            else if (key == "sys")
                node->sys = number != 0;
            else if (key == "exp")
                node->exp = number != 0;
            else if (key == "sel")
                node->sel = number != 0;
            else if (key == "top")
                node->topnode = number != 0;
            else if (key == "done")
                node->done = number != 0;
            else if (key == "fav")
                node->fav = number != 0;
        }
        if (lev == 0)
            kind = node->type;
        node->UpdateSortKey();
        store.Append(std::move(node));
    }
}

// "depth:text" of every node in list order.
inline std::string outline(const TNimbusStructure &store)
{
    std::string out;
    for (const auto &entry : store.Entries())
        if (entry.node) {
            if (!out.empty())
                out += ' ';
            out += std::to_string(entry.node->lev) + ":" + entry.node->text;
        }
    return out;
}

} // namespace nimbus::test
