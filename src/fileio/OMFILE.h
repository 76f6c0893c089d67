// The line-file object: every text file of the program is read and written through it,
// plain or in the enciphered "ZQENCR01" container.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace nimbus::fileio {

class AtomicFile;

// One open file. Read modes hold the whole content in memory; write modes ("W") write into a
// temporary file in the same folder that replaces the target atomically on close, so a crash
// leaves either the old file or the new one, never a torn one.
class OMFILE {
public:
    OMFILE();
    ~OMFILE(); // an unclosed write is committed, as if close() had been called
    OMFILE(const OMFILE &) = delete;
    OMFILE &operator=(const OMFILE &) = delete;

    std::size_t readPosition = 0;
    std::size_t contentSize = 0;
    bool atEnd = false;
    int handle = -1; // append mode: the open descriptor; -1 when none
    int linesRead = 0;
    std::string content; // the whole file as read at open time (deciphered)
    bool enciphered = false;
    char mode = 'R';
    std::string key; // 33 bytes; only for enciphered files
    std::string path;

    // Write side (mode "W"). writeFailed keeps the old file in place at close.
    std::unique_ptr<AtomicFile> writer;
    bool writeFailed = false;

    // Where the next CR and the next LF lie, as found by the last scan and valid for read
    // positions in [from, at]. Lets readLine find line ends with memchr without scanning the
    // same bytes twice, so a file ended by CR alone is still read in linear time.
    struct LineEndScan {
        std::size_t from = static_cast<std::size_t>(-1);
        std::size_t at = 0;
    };
    LineEndScan nextCR, nextLF;
};

using OMFILEPtr = std::unique_ptr<OMFILE>;

// The fixed 29-character filler that completes short file names into a 33-byte key.
extern const char *const kKeyFiller;
constexpr std::size_t kKeyLength = 33;
constexpr std::string_view kContainerMagic = "ZQENCR";
constexpr std::string_view kContainerHeader = "ZQENCR01";

// The key for an enciphered file: its name without folder, padded with the filler, cut to 33.
std::string cipherKeyFor(std::string_view path);

// Opens a plain file. mode is "R" (read), "W" (rewrite) or "A" (append), compared whole.
// Before "W" or "A" rewrites an existing file, versionsToKeep >= 1 keeps old versions.
OMFILEPtr openPlain(const std::string &path, const std::string &mode, int versionsToKeep);

// Mode "W" creates a new enciphered file; any other mode reads one (or a plain one).
OMFILEPtr openEnciphered(const std::string &path, const std::string &mode, int versionsToKeep);

// Returns the number of characters of the next line and its text, or -1 at the end.
int readLine(OMFILE &file, std::string &text);

// The next line's raw bytes (NUL bytes still in) without its terminator, as a view into the
// content; false at the end. For readers of large files that copy only what they keep.
bool nextLine(OMFILE &file, std::string_view &line);
// splitPair for a line free of NUL bytes, without copying the value (a view into line); the
// name may join a quoted part and a plain part.
void splitPairView(std::string_view line, std::string &name, std::string_view &value);

// Splits one name/value line by the separator rules (quoted names, '=' or TAB).
void splitPair(std::string_view line, std::string &name, std::string &value);
// Writes every byte to an open descriptor, going on after interrupted and short writes; false
// on any other failure (errno says why).
bool writeAll(int fd, const char *bytes, std::size_t count);
bool writeAll(int fd, std::string_view bytes);

// Empties both lists, then appends every name/value line's pair. Plain files are trimmed.
void readPairs(OMFILE &file, std::vector<std::string> &names, std::vector<std::string> &values);

bool writeLine(OMFILE &file, std::string_view text);
bool writeRaw(OMFILE &file, const void *bytes, std::size_t count);
bool writePair(OMFILE &file, std::string_view name, std::string_view value);
bool writePairs(OMFILE &file, const std::vector<std::string> &names,
                const std::vector<std::string> &values);
bool writeEncipheredPairs(OMFILE &file, const std::vector<std::string> &names,
                          const std::vector<std::string> &values);

// Closes the file; for "W" it commits the new content over the target. Returns false when any
// write or the commit failed (the old file is then left as it was). Resets the pointer.
bool close(OMFILEPtr &file);

// Appends text and CR LF to path, creating the file when missing.
bool appendLine(const std::string &path, std::string_view text);

} // namespace nimbus::fileio
