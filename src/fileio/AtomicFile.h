// Whole-file replacement: write a temporary file beside the target, fsync it, rename it over
// the target and fsync the folder. Every rewrite of a file in the program goes through here.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace nimbus::fileio {

class AtomicFile {
public:
    explicit AtomicFile(std::string targetPath);
    ~AtomicFile(); // an uncommitted temporary file is removed
    AtomicFile(const AtomicFile &) = delete;
    AtomicFile &operator=(const AtomicFile &) = delete;

    // Gives the new file these permission bits instead of the replaced file's (or, for a new
    // file, 0666 less the umask). Call before open().
    void setMode(unsigned mode);
    // Creates the temporary file. False (with errorText) when the folder is not writable.
    bool open();
    bool write(const void *bytes, std::size_t count);
    bool write(std::string_view bytes) { return write(bytes.data(), bytes.size()); }
    // fsync, rename over the target, fsync the folder. False leaves the target untouched.
    bool commit();
    void abandon();

    const std::string &targetPath() const { return target_; }
    const std::string &errorText() const { return error_; }

private:
    std::string target_;
    std::string temp_;
    std::string error_;
    std::string buffer_; // small writes are gathered here; one write(2) per 64 KiB
    int fd_ = -1;
    bool failed_ = false;
    bool modeSet_ = false;
    unsigned mode_ = 0;

    bool flush();
    void fail(const char *what);
};

// Deletes the temporary files that writes cut short by a crash or a kill left in folder
// (".<name>.<six letters or digits>"); returns how many. Only for folders that no other
// process writes into at the same time, such as the data folder at start-up.
int removeStaleTemporaries(const std::string &folder);

// Writes bytes as the whole new content of path, atomically.
bool writeFileAtomically(const std::string &path, std::string_view bytes,
                         std::string *errorText = nullptr);

} // namespace nimbus::fileio
