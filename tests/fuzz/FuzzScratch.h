// A scratch folder for a fuzz target: made at its first use, removed with everything in it when
// the run ends, so replaying the corpora on every test run leaves nothing in the temp folder.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <string>

namespace nimbus::fuzz {

class ScratchFolder {
public:
    // name is the folder's prefix ("nimbus-fuzz-store"); subfolders are made inside it.
    ScratchFolder(const char *name, std::initializer_list<const char *> subfolders = {})
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / (std::string(name) + "-XXXXXX")).string();
        if (::mkdtemp(pattern.data()) == nullptr)
            std::abort();
        path_ = pattern + "/";
        for (const char *sub : subfolders)
            std::filesystem::create_directory(path_ + sub);
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;

    // The folder, ending in "/".
    const std::string &path() const { return path_; }

private:
    std::string path_;
};

} // namespace nimbus::fuzz
