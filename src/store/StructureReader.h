// Reads the store file's name=value lines into nodes. A record starts at its "uni" line;
// keys before the first one, and keys it does not know, are ignored. A damaged "lev" does
// not end the reading (that would let the next save drop every later topic): the problem is
// reported with its line and the topic keeps the level of the topic before it. Lines without a
// "=" or TAB hold no pair and are ignored (reported once).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace nimbus {

class TNimbusNode;
class TNimbusStructure;

class StructureReader {
public:
    explicit StructureReader(TNimbusStructure &store) : store_(store) {}

    // Reads the whole file; false when it cannot be opened.
    bool ReadFile(const std::string &path);
    // One line of the file, as read (line ends removed).
    void ReadLine(std::string_view line, int lineNumber);
    // One pair, already split and trimmed.
    void ReadPair(const std::string &name, const std::string &value, int lineNumber);

    // The highest id that starts with a digit and is a number; 0 when none.
    int HighestId() const { return highestId_; }
    const std::vector<std::string> &Problems() const { return problems_; }

private:
    void startRecord(const std::string &value, int lineNumber);
    std::string freshId();

    TNimbusStructure &store_;
    TNimbusNode *current_ = nullptr;
    int previousLev_ = 0;
    int highestId_ = 0;
    bool reportedLineWithoutPair_ = false;
    std::vector<std::string> problems_;
    std::string name_;
    std::string value_;
};

}  // namespace nimbus
