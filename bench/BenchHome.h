// A home folder for the window benchmarks, whose data folder holds a generated store (none for
// 0 topics: the program seeds its template). Removed with the object unless kept for profiling.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "StoreGenerator.h"
#include "store/DateTime.h"
#include "store/TNimbusStructure.h"

namespace nimbus::bench {

class BenchHome {
public:
    BenchHome(int topics, DateTime now, bool keep = false) : keep_(keep)
    {
        char folder[] = "/tmp/nimbus-window-bench-XXXXXX";
        if (::mkdtemp(folder) == nullptr)
            std::abort();
        root_ = std::string(folder) + "/";
        std::filesystem::create_directories(data());
        std::filesystem::create_directories(root_ + "channels");
        std::ofstream(data() + "pref.txt") << "lv=1-17\r\nsum=N\r\n";
        if (topics > 0) {
            TNimbusStructure store;
            store.SetFileName(data() + "Structure.dat");
            GenerateStore(store, topics, now);
            if (!store.SaveStructure())
                std::abort();
            std::ofstream(data() + "StructUnique.dat") << "09000000";
        }
    }
    ~BenchHome()
    {
        if (keep_)
            return;
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    BenchHome(const BenchHome &) = delete;
    BenchHome &operator=(const BenchHome &) = delete;

    std::string root() const { return root_; }
    std::string data() const { return root_ + "$Nimbus/"; }
    std::string channels() const { return root_ + "channels"; }

private:
    std::string root_;
    bool keep_;
};

} // namespace nimbus::bench
