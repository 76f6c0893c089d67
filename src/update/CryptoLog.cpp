// dlopen/dlsym binding. A missing library is silent: the program runs on without it.
#include "update/CryptoLog.h"

#include <dlfcn.h>

namespace nimbus::update {

CryptoLog::CryptoLog(const std::string &libraryName)
{
    module_ = ::dlopen(libraryName.c_str(), RTLD_NOW | RTLD_LOCAL);
    loaded = module_ != nullptr;
    if (!loaded)
        return;
    // A missing export leaves its address empty; the library still counts as loaded.
    for (std::size_t i = 0; i < kEntryNames.size(); ++i)
        entries_[i] = ::dlsym(module_, kEntryNames[i]);
}

CryptoLog::~CryptoLog()
{
    if (loaded)
        ::dlclose(module_);
}

} // namespace nimbus::update
