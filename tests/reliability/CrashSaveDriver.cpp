// The crash test's victim: loads a data folder, then changes and saves it round after round,
// appending "begin <round>" to a progress file before each round and printing each save's
// length. After the last round it waits to be killed.
//   crash_save_driver create <data-folder>
//   crash_save_driver run <data-folder> <progress-file> <seed>
#include <sys/prctl.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fileio/OMFILE.h"
#include "reliability/CrashScenario.h"

using nimbus::test::CrashScenario;

int main(int argc, char **argv)
{
    // Never outlive the test that started us.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    const std::string command = argc > 1 ? argv[1] : "";
    std::string error;
    if (command == "create" && argc == 3) {
        CrashScenario scenario(argv[2]);
        if (!scenario.Create(error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 1;
        }
        return 0;
    }
    if (command != "run" || argc != 5) {
        std::fprintf(stderr, "usage: %s create <folder> | run <folder> <progress> <seed>\n",
                     argv[0]);
        return 2;
    }
    CrashScenario scenario(argv[2]);
    if (!scenario.Load(error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    const auto seed = static_cast<std::uint32_t>(std::strtoul(argv[4], nullptr, 10));
    std::printf("ready\n");
    std::fflush(stdout);
    for (int round = 1; round <= CrashScenario::kRounds; ++round) {
        nimbus::fileio::appendLine(argv[3], "begin " + std::to_string(round));
        const auto start = std::chrono::steady_clock::now();
        scenario.Change(seed, round);
        if (!scenario.Save(error)) {
            std::fprintf(stderr, "round %d: %s\n", round, error.c_str());
            return 1;
        }
        const auto took = std::chrono::duration_cast<std::chrono::microseconds>(
            std::chrono::steady_clock::now() - start);
        std::printf("saved %d %lld\n", round, static_cast<long long>(took.count()));
        std::fflush(stdout);
    }
    std::printf("done\n");
    std::fflush(stdout);
    for (;;)
        ::pause();
}
