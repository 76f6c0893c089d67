// The searches the user keeps under a name, in "SavedSearches.dat" in the data folder: one line
// per search, the name, a TAB and the query, in the order they were saved. Tabs, line ends,
// backslashes and other control characters in either are written as escapes (\t, \n, \r, \\,
// \xHH), so a name may hold any character. A line that cannot be read (no TAB, a broken escape,
// an empty name or query, a name already taken above) is reported and skipped, and kept as it
// stands when the file is written again, so that nothing the user typed is lost to a rewrite;
// a line starting with "#" is a comment (a name starting with it is written "\x23").
// The file is replaced whole and atomically (fileio::AtomicFile); every change reads it first,
// so a search saved by another copy of the program meanwhile stays.
#pragma once

#include <string>
#include <vector>

namespace nimbus::search {

struct SavedSearch {
    std::string name;
    std::string query;
};

class SavedSearches {
public:
    static constexpr const char *kFileName = "SavedSearches.dat";

    // dataFolder ends with "/".
    explicit SavedSearches(const std::string &dataFolder);

    // Reads the file; a missing file is no searches. False (with errorText) when it is there
    // but cannot be read: then nothing may be written over it.
    bool load();
    const std::vector<SavedSearch> &searches() const { return searches_; }
    // One text per damaged line of the last load: "line 3: no TAB between name and query".
    const std::vector<std::string> &problems() const { return problems_; }
    // The search with exactly this name (after NormalizedName), or null.
    const SavedSearch *find(const std::string &name) const;

    // Saves query under name, in place of a search of that name or after the others. Reads
    // the file first. False (with errorText) for an empty name or query, or a failed write.
    bool save(const std::string &name, const std::string &query);
    // Removes the search of that name; false when there is none or the write failed.
    bool remove(const std::string &name);

    const std::string &errorText() const { return error_; }
    const std::string &path() const { return path_; }

    // A name as it is kept: blanks at either end removed.
    static std::string NormalizedName(const std::string &name);
    // One line of the file without its line end, and back; decodeLine is false for damage,
    // with the reason in why.
    static std::string EncodeLine(const SavedSearch &search);
    static bool DecodeLine(const std::string &line, SavedSearch &search, std::string &why);

private:
    bool write();

    std::string path_;
    std::vector<SavedSearch> searches_;
    std::vector<std::string> damaged_; // lines kept as they stand
    std::vector<std::string> problems_;
    std::string error_;
};

} // namespace nimbus::search
