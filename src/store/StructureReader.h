// Reads the store file's name=value lines into nodes. A record starts at its "uni" line;
// keys before the first one, and keys it does not know, are ignored. A damaged, missing or
// negative "lev" does not end the reading (that would let the next save drop or move every
// later topic): the problem is reported with its line and the topic keeps the level of the
// topic before it. Lines without a "=" or TAB hold no pair and are ignored (reported once).
// Records without an id, or with an id read before, get fresh ids only once the whole file
// is read (Finish), above every id in use, so that no other topic changes its id.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "fileio/UiSentence.h"

namespace nimbus {

class TNimbusNode;
class TNimbusStructure;

class StructureReader {
public:
    // The keys a record is read from (listed where they are read).
    enum class Key : unsigned char;

    explicit StructureReader(TNimbusStructure &store) : store_(store) {}

    // Reads the whole file and finishes; false when it cannot be opened or is refused
    // (Refusal() says why).
    bool ReadFile(const std::string &path);
    const text::Sentence &Refusal() const { return refusal_; }
    // One line of the file, as read (line ends removed).
    void ReadLine(std::string_view line, int lineNumber);
    // One pair, already split and trimmed.
    void ReadPair(std::string_view name, std::string_view value, int lineNumber);
    // What the nodes read are for. A store read for listing or counting only (nimbus-cli's
    // lists and summary) is never saved, so the keys its work never reads are not kept:
    // Listing drops the stamps and origins (cre, sta, from, sent, parent, fdate, fTime), which
    // no schedule, group, grid cell or sort order reads; Counting drops the titles as well.
    enum class Use { Everything, Listing, Counting };
    void SetUse(Use use) { use_ = use; }
    // Hands each record to the sink once it is complete (its level checked) instead of adding
    // it to the store; the sink may keep the node. For one pass over a store too large to
    // hold: ids are neither checked against each other nor handed out, so the sink sees
    // empty and repeated ids as read.
    using Sink = std::function<void(std::unique_ptr<TNimbusNode> &node)>;
    void SetSink(Sink sink) { sink_ = std::move(sink); }
    // After the last line: checks the last record and hands out the ids still needed.
    void Finish();

    // The highest id that starts with a digit and is a number; 0 when none.
    int HighestId() const { return highestId_; }
    // What was wrong but did not stop the reading: English for the log, translated to be shown.
    const std::vector<text::Sentence> &Problems() const { return problems_; }
    void NoteProblem(text::Sentence problem) { problems_.push_back(std::move(problem)); }

private:
    // A record whose id must be handed out once every id of the file is known.
    struct PendingId {
        std::string placeholder;
        std::string readId;  // empty when the record had none
        int lineNumber;
    };

    void readSplitLine(std::string_view line, std::size_t separator, int lineNumber);
    void readValue(Key key, std::string_view value, int lineNumber);
    // A level that is not one: the topic keeps the level before it (reported).
    [[gnu::cold, gnu::noinline]] void keepLevelBefore(std::string_view value, int lineNumber);
    void startRecord(std::string_view value, int lineNumber);
    void closeRecord();
    void deliverRecord();
    void assignPendingIds();

    TNimbusStructure &store_;
    TNimbusNode *current_ = nullptr;
    int previousLev_ = 0;
    int recordLine_ = 0;
    bool recordHasLev_ = true;
    int highestId_ = 0;
    bool reportedLineWithoutPair_ = false;
    bool finished_ = false;
    Use use_ = Use::Everything;
    std::vector<PendingId> pending_;
    text::Sentence refusal_;
    std::vector<text::Sentence> problems_;
    std::string name_;  // reused from line to line
    Sink sink_;
    std::unique_ptr<TNimbusNode> record_;  // with a sink: the record being read
};

}  // namespace nimbus
