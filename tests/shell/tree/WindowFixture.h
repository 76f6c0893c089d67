// A main window over a data folder of its own, with a store written before it starts and
// questions answered by the test.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "shell/ShellPrompts.h"
#include "shell/TformMain.h"
#include "shell/TreeController.h"
#include "store/DateFormat.h"
#include "store/TNimbusStructure.h"
#include "store/TopicOptions.h"
#include "support/TempFolder.h"
#include "tree/TopicTree.h"

namespace nimbus::test {

class FakePrompts : public ShellPrompts {
public:
    void tellUser(QWidget *, const std::string &, const std::string &message) override
    {
        told.push_back(message);
    }
    bool confirm(QWidget *, const std::string &, const std::string &question) override
    {
        asked.push_back(question);
        return agree;
    }
    bool editTopicOptions(QWidget *, TopicOptions &values, const Clock &) override
    {
        if (!edit)
            return false;
        edit(values);
        values.cancelled = false;
        return true;
    }
    std::optional<int> chooseTopicType(QWidget *, int) override { return chosenType; }
    int chooseTopic(QWidget *, const TNimbusStructure &, const QString &) override
    {
        return chosenRow;
    }

    std::optional<std::string> askPassword(QWidget *, const std::string &,
                                           const std::string &question) override
    {
        passwordQuestions.push_back(question);
        return password;
    }

    std::vector<std::string> told;
    std::vector<std::string> passwordQuestions;
    std::optional<std::string> password;
    std::vector<std::string> asked;
    bool agree = true;
    std::function<void(TopicOptions &)> edit;
    std::optional<int> chosenType;
    int chosenRow = -1;
};

// One node of a store being written: builder style.
struct NodeSpec {
    TNimbusNode *node;
    NodeSpec &type(int t)
    {
        node->ttype = t;
        return *this;
    }
    NodeSpec &status(int s, int percent = 0)
    {
        node->status = s;
        node->percent = percent;
        return *this;
    }
    NodeSpec &due(const Clock &clock, int days)
    {
        node->dl = true;
        node->dlDate = dates::dateKey(clock.now().addDays(days));
        return *this;
    }
    NodeSpec &urgent()
    {
        node->urgent = true;
        return *this;
    }
    NodeSpec &priority(int p)
    {
        node->pri = p;
        return *this;
    }
    NodeSpec &expanded()
    {
        node->exp = true;
        return *this;
    }
    NodeSpec &favourite()
    {
        node->fav = true;
        return *this;
    }
};

class StoreWriter {
public:
    explicit StoreWriter(const std::string &dataFolder) : folder_(dataFolder)
    {
        std::filesystem::create_directories(folder_);
        store_.SetFileName(folder_ + "Structure.dat");
    }
    NodeSpec add(int lev, const std::string &text, int kind = kSectionTopics)
    {
        auto node = std::make_unique<TNimbusNode>(lev == 0 ? "STD000" + std::to_string(kind)
                                                           : std::to_string(100 + store_.Count()));
        node->lev = lev;
        node->text = text;
        node->type = kind;
        if (lev == 0)
            node->sys = true;
        TNimbusNode *made = node.get();
        store_.Append(std::move(node));
        return {made};
    }
    void write(const std::string &preferences = "sum=N\r\nlv=1-17\r\n")
    {
        store_.SaveStructure();
        writeFile(folder_ + "StructUnique.dat", "00005000");
        writeFile(folder_ + "pref.txt", preferences);
    }

private:
    std::string folder_;
    TNimbusStructure store_;
};

inline TformMain::Environment windowEnvironment(const TempFolder &dir,
                                                std::shared_ptr<ShellPrompts> prompts)
{
    const std::string home = dir / "home";
    std::filesystem::create_directories(home);
    return {[home](const std::string &name) { return name == "HOMEDRIVE" ? home : ""; },
            dir / "prog/nimbus", dir / "channels", std::move(prompts)};
}

inline std::string dataFolder(const TempFolder &dir)
{
    return dir / "home/$Nimbus/";
}

// "depth:text" of each tree item in display order.
inline std::string treeOutline(TreeController &tree)
{
    std::string out;
    for (const tree::TreeItem *item : tree.tree().preOrder()) {
        if (!out.empty())
            out += ' ';
        out += std::to_string(item->level()) + ":" + item->node->text;
    }
    return out;
}

// The same of the store file on disk.
inline std::string savedOutline(const std::string &folder)
{
    TNimbusStructure saved;
    saved.SetFileName(folder + "Structure.dat");
    saved.LoadStructure();
    std::string out;
    for (const auto &entry : saved.Entries()) {
        if (!out.empty())
            out += ' ';
        out += std::to_string(entry.node->lev) + ":" + entry.node->text;
    }
    return out;
}

} // namespace nimbus::test
