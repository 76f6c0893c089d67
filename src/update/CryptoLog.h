// Binding of the maker's optional encryption library (libSafebox.so): loaded by name when
// present, its eight entry points looked up. Nothing in the program calls them yet.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace nimbus::update {

class CryptoLog {
public:
    // Looks the library up through the system's search order, like any shared library.
    explicit CryptoLog(const std::string &libraryName = kLibraryName);
    ~CryptoLog();
    CryptoLog(const CryptoLog &) = delete;
    CryptoLog &operator=(const CryptoLog &) = delete;

    static constexpr const char *kLibraryName = "libSafebox.so";
    static constexpr std::array<const char *, 8> kEntryNames{
        "EncryptFile", "DecryptFile",   "EncryptString", "DecryptString",
        "OpenCrypt",   "EncryptBuffer", "DecryptBuffer", "CloseCrypt"};

    bool loaded = false;
    std::uint32_t reserved1 = 0;
    std::uint32_t reserved2 = 0;
    std::string text;

    // The address of entry point i (order of kEntryNames); null when missing or not loaded.
    void *entryPoint(std::size_t i) const { return i < entries_.size() ? entries_[i] : nullptr; }

private:
    void *module_ = nullptr;
    std::array<void *, 8> entries_{};
};

} // namespace nimbus::update
