// Generated topic stores for the benchmarks.
#include "StoreGenerator.h"

#include <algorithm>
#include <random>
#include <string>

#include "store/DateFormat.h"
#include "store/TNimbusStructure.h"

namespace nimbus::bench {

namespace {

const char *const kWords[] = {"Renew", "insurance", "call", "plumber", "quarterly", "report",
                              "budget", "meeting", "with", "the", "team", "about", "garden",
                              "holiday", "plans", "invoice", "tax", "return", "dentist", "car"};

std::string title(std::mt19937 &random)
{
    std::string text;
    const int words = 2 + static_cast<int>(random() % 6);
    for (int i = 0; i < words; ++i) {
        if (i)
            text += ' ';
        text += kWords[random() % std::size(kWords)];
    }
    return text;
}

}  // namespace

void GenerateStore(TNimbusStructure &store, int topics, DateTime around, std::uint32_t seed)
{
    std::mt19937 random(seed);
    auto chance = [&](int percent) { return static_cast<int>(random() % 100) < percent; };
    auto dateNear = [&](int days) {
        return dates::dateKey(around.addDays(static_cast<int>(random() % (2 * days + 1)) - days));
    };
    const struct {
        const char *uni;
        const char *text;
        int kind;
    } sections[] = {{"STD0001", "Topics", 1},
                    {"STD0002", "Local network information", 2},
                    {"STD0003", "Preferences", 3},
                    {"STD0005", "Product information", 5},
                    {"STD0006", "Contacts", 6}};

    auto addSection = [&](int i) {
        auto section = std::make_unique<TNimbusNode>(sections[i].uni);
        section->text = sections[i].text;
        section->type = sections[i].kind;
        section->sys = true;
        section->ttype = -1;
        store.Append(std::move(section));
    };
    addSection(0);
    int lev = 0;
    for (int i = 0; i < topics; ++i) {
        auto node = std::make_unique<TNimbusNode>(std::to_string(i + 1));
        // A walk through the tree: deeper by one, the same level, or back up.
        lev = std::clamp(lev == 0 ? 1 : lev + static_cast<int>(random() % 3) - 1, 1, 6);
        if (lev > 1 && chance(30))
            lev = 1;
        node->lev = lev;
        node->type = 1;
        node->text = title(random);
        node->cre = dates::stamp(around.addDays(-static_cast<int>(random() % 700)));
        node->pri = chance(60) ? static_cast<int>(random() % 10) : 0;
        node->urgent = chance(5);
        node->fav = chance(3);
        node->exp = chance(20);
        const int kind = static_cast<int>(random() % 100);
        if (kind < 40) {  // tasks with a due date
            node->ttype = 4;
            node->status = 1 + static_cast<int>(random() % 5);
            node->dl = true;
            node->dlDate = dateNear(180);
            if (chance(30))
                node->dlTime = dates::timeText(DateTime::fromMsecs((random() % 86400) * 1000));
            if (chance(20)) {
                node->flno = 1 + static_cast<int>(random() % 7);
                node->fltyp = 2;
            }
            node->autoComplete = chance(10);
            node->percent = 10 * static_cast<int>(random() % 11);
        } else if (kind < 50) {  // recurring tasks and events
            node->ttype = chance(70) ? 4 : 3;
            node->status = 1;
            node->recur = true;
            node->dlDate = node->rsDate = dateNear(60);
            node->rno = 1 + static_cast<int>(random() % 3);
            node->rtype = 2 + static_cast<int>(random() % 3);
            node->durno = 1;
            node->durtype = 2;
        } else if (kind < 60) {  // events
            node->ttype = 3;
            node->status = 1;
            node->dl = true;
            node->dlDate = dateNear(90);
            node->dlTime = chance(50) ? "09:30:00" : "";
            node->durno = 1 + static_cast<int>(random() % 3);
            node->durtype = 2;
        } else if (kind < 75) {  // tasks without a date
            node->ttype = 4;
            node->status = 1 + static_cast<int>(random() % 5);
            node->calpr = chance(50);
        } else {  // notes, ideas, finances, general topics
            node->ttype = 2 + static_cast<int>(random() % 6);
            if (node->ttype == 3 || node->ttype == 4)
                node->ttype = 5;
        }
        if (chance(15)) {
            node->dac = 1 + static_cast<int>(random() % 2);
            node->dam = node->dac == 2 ? 3 : 1;
        }
        store.Append(std::move(node));
    }
    for (int i = 1; i < 5; ++i)
        addSection(i);
}

}  // namespace nimbus::bench
