// Test fixture: a copy of the program in a folder of its own, with its own home, data folder
// and channel folder, so that files placed beside it or in its data belong to one test alone.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "support/TempFolder.h"

namespace nimbus::test {

struct ProgramCopy {
    TempFolder root;
    std::string home = root / "home";
    std::string program = root / "prog/nimbus";
    std::string data = root / "home/$Nimbus/";
    std::string channels = root / "channels/";

    explicit ProgramCopy(const std::string &executable)
    {
        std::filesystem::create_directories(root / "prog");
        std::filesystem::create_directories(data);
        std::filesystem::copy_file(executable, program);
    }
    // The environment of a start offscreen, plus any further variables.
    std::vector<std::string> environment(const std::vector<std::string> &more = {}) const
    {
        std::vector<std::string> all{"HOMEDRIVE=" + home, "HOME=" + home, "QT_QPA_PLATFORM=offscreen",
                                     "NIMBUS_CHANNEL_DIR=" + channels};
        all.insert(all.end(), more.begin(), more.end());
        return all;
    }
    std::string log() const { return readFile(data + "MainLog.txt"); }
    // How often text stands in the main log.
    int count(const std::string &text) const
    {
        const std::string all = log();
        int n = 0;
        for (std::size_t at = all.find(text); at != std::string::npos; at = all.find(text, at + 1))
            ++n;
        return n;
    }
};

// The template's store with topics put at the top of its "Topics" section.
inline std::string templateStoreWith(const std::string &templateFile, const std::string &topics)
{
    std::string store = readFile(templateFile);
    store.insert(store.find("uni=", store.find("text=Topics\r\n")), topics);
    return store;
}

}  // namespace nimbus::test
