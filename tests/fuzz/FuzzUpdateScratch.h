// A scratch folder for the update fuzz targets, made once per run and removed at exit.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace nimbus::fuzz {

inline const std::string &updateScratchFolder()
{
    static const std::string folder = [] {
        char pattern[] = "/tmp/nimbus-fuzz-update-XXXXXX";
        if (::mkdtemp(pattern) == nullptr)
            std::abort();
        static const std::string made = std::string(pattern) + "/";
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(made, ignored);
        });
        return made;
    }();
    return folder;
}

inline void writeBytes(const std::string &path, const std::uint8_t *data, std::size_t size)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(data), static_cast<std::streamsize>(size));
}

} // namespace nimbus::fuzz
