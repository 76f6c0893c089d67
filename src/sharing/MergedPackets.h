// The packets this user merged but could not remove from the inbox, kept in the data folder
// ("MergedPackets.dat") so that no restart merges one a second time. A colleague's inbox made
// under a narrow umask, or a share that forbids deleting, leaves packets where they were; a
// second merge would copy their old pages over newer edits. A packet is known by its name, size
// and time, so a new packet that reuses the name (a send in the same second) is merged.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace nimbus::sharing {

class MergedPackets {
public:
    explicit MergedPackets(std::string path) : path_(std::move(path)) {}

    bool Contains(const std::string &name, std::int64_t size, std::int64_t time);
    void Add(const std::string &name, std::int64_t size, std::int64_t time);
    // Forgets packets that are no longer in the inbox; present holds the names there now.
    void KeepOnly(const std::vector<std::string> &present);
    // Written atomically when something changed; false when that failed.
    bool Save();

    inline static constexpr const char *kFileName = "MergedPackets.dat";

private:
    struct Entry {
        std::string name;
        std::int64_t size = 0;
        std::int64_t time = 0;
    };
    void load();

    std::string path_;
    std::vector<Entry> entries_;
    bool loaded_ = false;
    bool changed_ = false;
};

} // namespace nimbus::sharing
