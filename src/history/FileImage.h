// A file's bytes on one side of a page step, kept as little as needed. A save of a details
// page makes the text as it was a new old version and deletes the oldest one, and the old
// versions are much alike. So nearly all of a step's bytes are on disk when the step is
// replayed, in another of the topic's files: an image names that file (its base) and keeps
// only what differs from it, a run of bytes between a common start and a common end. A page
// of a megabyte retyped in one place costs the step a few bytes instead of megabytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nimbus::history {

struct FileImage {
    bool present = false; // false: the file is not there on this side
    int base = -1;        // the step's file whose bytes on the other side this is built from
    std::size_t prefix = 0;
    std::size_t suffix = 0;
    std::string middle; // with no base: all the bytes
    std::size_t size = 0;
    std::uint64_t hash = 0; // of all the bytes, to tell whether a file on disk is still this

    std::size_t memoryBytes() const { return middle.capacity() > 15 ? middle.capacity() + 1 : 0; }
};

std::uint64_t bytesHash(std::string_view bytes);

// The image of `bytes`, built on whichever of `others` (the files as they are on the step's
// other side; null where a file is not there or may not serve as a base) has most in common
// with them.
FileImage makeImage(const std::optional<std::string> &bytes,
                    const std::vector<const std::string *> &others);

// The bytes of an image, from the other side's files as they are on disk now (already checked
// to be as the step left them).
std::optional<std::string> bytesOf(const FileImage &image,
                                   const std::vector<std::optional<std::string>> &others);

} // namespace nimbus::history
