// A folder on a tiny filesystem for full-disk tests: a tmpfs mounted over it (as root), in a
// mount namespace of this process when one can be made so that the mount can never outlive
// the test, and unmounted when the object goes.
#pragma once

#include <cstdint>
#include <string>

namespace nimbus::test {

class TinyFilesystem {
public:
    // Mounts a tmpfs of `bytes` bytes on folder (which must exist). mounted() tells whether
    // that worked; reason() says why not.
    TinyFilesystem(std::string folder, std::uint64_t bytes);
    ~TinyFilesystem();
    TinyFilesystem(const TinyFilesystem &) = delete;
    TinyFilesystem &operator=(const TinyFilesystem &) = delete;

    bool mounted() const { return mounted_; }
    const std::string &reason() const { return reason_; }

    // Fills the filesystem with a filler file until only about `bytes` remain free; false
    // when that could not be done.
    bool leaveFree(std::uint64_t bytes);
    // Removes the filler: the space comes back.
    void freeSpace();
    std::uint64_t freeBytes() const;

private:
    std::string folder_;
    std::string filler_;
    bool mounted_ = false;
    std::string reason_;
};

} // namespace nimbus::test
