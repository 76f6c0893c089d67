// Fuzz target: arbitrary bytes as an installer's registration file. The file is always
// consumed, and nothing is ever made outside the data folder.
#include "FuzzUpdateScratch.h"

#include "fileio/FolderOps.h"
#include "store/Clock.h"
#include "update/RegList.h"
#include "update/RegistrationIntake.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>

using namespace nimbus::update;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string &scratch = nimbus::fuzz::updateScratchFolder();
    const std::string folder = scratch + "data/";
    std::filesystem::create_directories(folder);
    nimbus::fileio::emptyFolderTree(folder);
    nimbus::FixedClock clock;
    RegList reg(folder, clock);
    // One earlier installation, so that instances and superseded versions are worked out too.
    reg.add({.supplier = "Maker", .product = "Tool", .version = "1.0", .installfolder = folder,
             .instance = "1", .status = "A"});
    const std::string path = folder + "setup.pre";
    nimbus::fuzz::writeBytes(path, data, size);
    RegistrationIntake(reg, folder).take(path);
    if (nimbus::fileio::fileExists(path))
        std::abort();
    for (const auto &item : std::filesystem::directory_iterator(scratch))
        if (item.path().filename() != "data")
            std::abort();
    return 0;
}
