// Writes a generated store of N topics into a data folder, for bench/cli_bench.py:
// cli_store_generator DATAFOLDER N
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "StoreGenerator.h"
#include "store/Clock.h"
#include "store/TNimbusStructure.h"

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: cli_store_generator DATAFOLDER TOPICS\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    std::filesystem::create_directories(folder);
    nimbus::TNimbusStructure store;
    store.SetFileName(folder + "Structure.dat");
    store.SetUniqueFileName(folder + "StructUnique.dat");
    nimbus::bench::GenerateStore(store, std::atoi(argv[2]), nimbus::SystemClock::instance().now());
    if (!store.SaveStructure()) {
        std::fprintf(stderr, "the store could not be written\n");
        return 3;
    }
    return 0;
}
