// The records of the store file that a search's answer needs, found without reading the rest:
// when the index fits the store file exactly (nimbus-cli noted its stamp), the hits' rows need
// only the hits, what lies below them (a group's roll-up), what lies above them (their paths)
// and the sections. A scan of the file's lines finds each record's id and level; the records
// needed are written, in file order, as the store file of a private data folder, which
// TopicSnapshot then reads as it reads any store.
//
// The scan reads only plainly written files ("uni=" and "lev=" at the start of their lines, a
// level in digits, no NUL). The file's stamp is noted only when the scan saw, record by
// record, the ids and levels the store reader saw.
#pragma once

#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

namespace nimbus::cli {

class SearchStoreSubset {
public:
    struct Record {
        std::size_t uniAt = 0; // the id, in ids_
        std::size_t uniSize = 0;
        int lev = -1;
        std::size_t begin = 0; // of its "uni" line
        std::size_t end = 0;   // the next record's begin, or the file's end
    };

    SearchStoreSubset() = default;
    ~SearchStoreSubset();
    SearchStoreSubset(const SearchStoreSubset &) = delete;
    SearchStoreSubset &operator=(const SearchStoreSubset &) = delete;

    // Reads and scans the file, in slices; false when it cannot be read or is not plainly
    // written. The file stays open for writeFor, which reads the records it needs from it.
    bool scan(const std::string &storeFile);
    const std::vector<Record> &records() const { return records_; }
    std::string_view uni(const Record &record) const
    {
        return std::string_view(ids_).substr(record.uniAt, record.uniSize);
    }
    // Writes the records the topics with these ids need into a new private folder, with the
    // data folder's "pref.txt" (the date order); the folder, ending with "/", or empty on
    // failure. The folder is removed with this object.
    std::string writeFor(const std::unordered_set<std::string> &ids, const std::string &dataFolder);

private:
    int fd_ = -1;
    std::string ids_; // every record's id, one after the other
    std::vector<Record> records_;
    std::string folder_;
};

} // namespace nimbus::cli
