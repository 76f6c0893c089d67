// Reading the store file.
#include "store/StructureReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "fileio/OMFILE.h"
#include "fileio/UiText.h"
#include "store/TNimbusStructure.h"
#include "store/UniqueCounter.h"
#include "store/ValueText.h"

namespace nimbus {

// The keys a record is read from.
// clang-format off
enum class StructureReader::Key : unsigned char {
    Uni, Lev, Type, Text, Exp, Sel, Done, Dac, Dam, Urgent, Fav, Sys, Top, Topnode, Send,
    Ttype, Status, Oldttype, Pri, Recur, Lock, Dl, DlDate, DlTime, RsDate, RsTime, Rno, Rtype,
    Calpr, Percent, Prog, Flno, Fltyp, Auto, Fdate, FTime, Cre, Sta, From, Sent, Durno,
    Durtype, Parent,
};
// clang-format on

namespace {

using Key = StructureReader::Key;

// A key of up to eight bytes as one number (its first byte lowest), so that every line's key
// is found by one look into a table.
constexpr std::uint64_t packed(std::string_view name)
{
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < name.size(); ++i)
        value |= std::uint64_t{static_cast<unsigned char>(name[i])} << (8 * i);
    return value;
}

struct KeyName {
    std::string_view name;
    Key key;
};
constexpr KeyName kKeyNames[] = {
    {"uni", Key::Uni},       {"lev", Key::Lev},         {"type", Key::Type},
    {"text", Key::Text},     {"exp", Key::Exp},         {"sel", Key::Sel},
    {"done", Key::Done},     {"dac", Key::Dac},         {"dam", Key::Dam},
    {"urgent", Key::Urgent}, {"fav", Key::Fav},         {"sys", Key::Sys},
    {"top", Key::Top},       {"topnode", Key::Topnode}, {"send", Key::Send},
    {"ttype", Key::Ttype},   {"status", Key::Status},   {"oldttype", Key::Oldttype},
    {"pri", Key::Pri},       {"recur", Key::Recur},     {"lock", Key::Lock},
    {"dl", Key::Dl},         {"dlDate", Key::DlDate},   {"dlTime", Key::DlTime},
    {"rsDate", Key::RsDate}, {"rsTime", Key::RsTime},   {"rno", Key::Rno},
    {"rtype", Key::Rtype},   {"calpr", Key::Calpr},     {"pr%", Key::Percent},
    {"prog", Key::Prog},     {"flno", Key::Flno},       {"fltyp", Key::Fltyp},
    {"auto", Key::Auto},     {"fdate", Key::Fdate},     {"fTime", Key::FTime},
    {"cre", Key::Cre},       {"sta", Key::Sta},         {"from", Key::From},
    {"sent", Key::Sent},     {"durno", Key::Durno},     {"durtype", Key::Durtype},
    {"parent", Key::Parent},
};

// Every line's key is found in a table of 256 slots, each key in its own slot, at the top
// byte of its packed name times a multiplier found when the program is compiled: one
// multiplication and one comparison, where a switch over the names branched six times a
// line in no order a processor could foresee.
constexpr std::size_t kKeySlots = 256;
constexpr std::size_t slotOf(std::uint64_t name, std::uint64_t multiplier)
{
    return static_cast<std::size_t>((name * multiplier) >> 56);
}
constexpr std::uint64_t keyMultiplier()
{
    // An odd multiplier that gives every key a slot of its own: with 43 keys in 256 slots,
    // about one odd number in thirty does.
    std::uint64_t candidate = 0x9E3779B97F4A7C15ULL;
    while (true) {
        bool taken[kKeySlots] = {};
        bool distinct = true;
        for (const KeyName &k : kKeyNames) {
            const std::size_t slot = slotOf(packed(k.name), candidate);
            if (taken[slot]) {
                distinct = false;
                break;
            }
            taken[slot] = true;
        }
        if (distinct)
            return candidate;
        candidate += 0x632BE59BD9B4E01AULL; // even: the candidates stay odd
    }
}
constexpr std::uint64_t kKeyMultiplier = keyMultiplier();

struct KeyTable {
    std::uint64_t names[kKeySlots] = {}; // 0 (no name packs to it): a free slot
    Key keys[kKeySlots] = {};
};
constexpr KeyTable makeKeyTable()
{
    KeyTable table;
    for (const KeyName &k : kKeyNames) {
        const std::size_t slot = slotOf(packed(k.name), kKeyMultiplier);
        table.names[slot] = packed(k.name);
        table.keys[slot] = k.key;
    }
    return table;
}
constexpr KeyTable kKeyTable = makeKeyTable();

// The key of a name packed by `packed` (zero and names of more than eight bytes are none).
bool keyOfPacked(std::uint64_t name, Key &key)
{
    const std::size_t slot = slotOf(name, kKeyMultiplier);
    if (kKeyTable.names[slot] != name || name == 0)
        return false;
    key = kKeyTable.keys[slot];
    return true;
}

bool keyOf(std::string_view name, Key &key)
{
    return !name.empty() && name.size() <= 8 && keyOfPacked(packed(name), key);
}

// The key of a name that has at least eight readable bytes from its start: they are read at
// once and those past the name masked off, where packing them one by one took longer than
// the rest of the line's reading.
bool keyOfNameAt(const char *name, std::size_t size, Key &key)
{
    if (size == 0 || size > 8)
        return false;
    std::uint64_t word;
    std::memcpy(&word, name, sizeof word);
    if constexpr (std::endian::native == std::endian::big)
        word = __builtin_bswap64(word);
    if (size < 8)
        word &= (std::uint64_t{1} << (8 * size)) - 1;
    return keyOfPacked(word, key);
}

// Stamps and origins: shown on the topic's pages and written back by a save, but never read by
// the schedule, the summary's groups, the grids' cells or the tree's sort orders.
bool isWriteOnlyKey(Key key)
{
    switch (key) {
    case Key::Cre:
    case Key::Sta:
    case Key::From:
    case Key::Sent:
    case Key::Parent:
    case Key::Fdate:
    case Key::FTime:
        return true;
    default:
        return false;
    }
}

bool isBlank(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

// Plain pairs lose leading and trailing blanks and control characters.
std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    return s;
}

// Whether a line has the "=" or TAB that separates a name from its value (after a name in
// double quotes, when the line starts with one). The line holds no NUL.
bool hasSeparator(std::string_view line)
{
    std::size_t from = 0;
    if (!line.empty() && line[0] == '"') {
        const std::size_t quote = line.find('"', 1);
        from = quote == std::string_view::npos ? line.size() : quote + 1;
    }
    return line.find_first_of("=\t", from) != std::string_view::npos;
}

// Where the line ends (CR, LF) and the separators ("=", TAB) lie in the read buffer, one bit
// per byte. The bits are set sixty-four bytes at a time, so that a line's end and its first
// separator are each found by a bit scan: a store file's lines are short (thirteen bytes on
// average), and a search per line spent more on starting and stopping than on looking.
class LineMarks {
public:
    // Marks [from, to) of data, which holds whole words of 64 bytes up to `to` rounded up.
    void mark(const char *data, std::size_t from, std::size_t to)
    {
        const std::size_t words = (to + 63) / 64;
        if (ends_.size() < words) {
            ends_.resize(words);
            separators_.resize(words);
        }
        for (std::size_t word = from / 64; word < words; ++word) {
            std::uint64_t ends = 0;
            std::uint64_t separators = 0;
            markWord(data + word * 64, ends, separators);
            if (const std::size_t last = word * 64 + 64; last > to) {
                // Bytes past `to` are left over from earlier contents.
                const std::uint64_t kept = (std::uint64_t{1} << (64 - (last - to))) - 1;
                ends &= kept;
                separators &= kept;
            }
            ends_[word] = ends;
            separators_[word] = separators;
        }
    }
    // The first line end at or after pos and before limit; limit when there is none.
    std::size_t nextEnd(std::size_t pos, std::size_t limit) const
    {
        return next(ends_, pos, limit);
    }
    std::size_t nextSeparator(std::size_t pos, std::size_t limit) const
    {
        return next(separators_, pos, limit);
    }

private:
    static void markWord(const char *bytes, std::uint64_t &ends, std::uint64_t &separators)
    {
#if defined(__SSE2__)
        const __m128i lf = _mm_set1_epi8('\n');
        const __m128i cr = _mm_set1_epi8('\r');
        const __m128i eq = _mm_set1_epi8('=');
        const __m128i tab = _mm_set1_epi8('\t');
        for (int part = 0; part < 4; ++part) {
            const __m128i chunk =
                _mm_loadu_si128(reinterpret_cast<const __m128i *>(bytes + 16 * part));
            const auto e = static_cast<std::uint16_t>(_mm_movemask_epi8(
                _mm_or_si128(_mm_cmpeq_epi8(chunk, lf), _mm_cmpeq_epi8(chunk, cr))));
            const auto s = static_cast<std::uint16_t>(_mm_movemask_epi8(
                _mm_or_si128(_mm_cmpeq_epi8(chunk, eq), _mm_cmpeq_epi8(chunk, tab))));
            ends |= std::uint64_t{e} << (16 * part);
            separators |= std::uint64_t{s} << (16 * part);
        }
#else
        for (int i = 0; i < 64; ++i) {
            const char c = bytes[i];
            ends |= std::uint64_t{c == '\n' || c == '\r'} << i;
            separators |= std::uint64_t{c == '=' || c == '\t'} << i;
        }
#endif
    }
    static std::size_t next(const std::vector<std::uint64_t> &bits, std::size_t pos,
                            std::size_t limit)
    {
        if (pos >= limit)
            return limit;
        std::size_t word = pos / 64;
        std::uint64_t rest = bits[word] >> (pos % 64);
        if (rest != 0)
            return std::min(pos + static_cast<std::size_t>(__builtin_ctzll(rest)), limit);
        const std::size_t words = (limit + 63) / 64;
        for (++word; word < words; ++word)
            if (bits[word] != 0)
                return std::min(word * 64 + static_cast<std::size_t>(__builtin_ctzll(bits[word])),
                                limit);
        return limit;
    }

    std::vector<std::uint64_t> ends_;
    std::vector<std::uint64_t> separators_;
};

// Numbers in the store file are mostly one or two digits: those are read here, every other
// text as values::intOr and values::strictInt read it.
std::optional<int> strictInt(std::string_view text)
{
    const auto digit = [](char c) { return static_cast<unsigned>(c - '0') < 10u; };
    if (text.size() == 1 && digit(text[0]))
        return text[0] - '0';
    if (text.size() == 2 && digit(text[0]) && digit(text[1]))
        return (text[0] - '0') * 10 + (text[1] - '0');
    return values::strictInt(text);
}

int intOr(std::string_view text, int fallback)
{
    return strictInt(text).value_or(fallback);
}

// The problems of a store file, in English for the log and translated where they are shown.
constexpr const char *kContext = "nimbus::store";

} // namespace

bool StructureReader::ReadFile(const std::string &path)
{
    // The file is read in slices, not whole: a large store then costs its nodes, not its
    // nodes and its bytes at once. Each line is looked at where it lies in the slice; only the
    // values kept are copied.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info {};
    if (!sink_ && ::fstat(fd, &info) == 0 && info.st_size > 0) {
        // About one node per 130 bytes of file: sizing the list and its index once saves
        // growing and rehashing them while a large store is read. A sink takes the records
        // instead, and the store stays empty.
        const auto estimate = static_cast<std::size_t>(info.st_size) / 130;
        store_.entries_.reserve(store_.entries_.size() + estimate);
        store_.index_.reserve(store_.entries_.capacity());
    }
    constexpr std::size_t kSlice = 256 * 1024;
    // Bytes past the last one read that are never filled: a name near the end can be read
    // eight bytes at a time (keyOfNameAt).
    constexpr std::size_t kSlack = 64;
    std::string buffer(kSlice, '\0');
    std::size_t filled = 0;  // bytes in buffer
    std::size_t pos = 0;     // start of the first line not yet read
    bool atEnd = false;
    bool sliceHasNul = false;
    int lineNumber = 0;
    std::string scratch;
    LineMarks marks;
    std::size_t marked = 0; // bytes at the front of buffer whose marks are set
    while (true) {
        // A line is complete once its end, and the byte after it (CR LF and LF CR are one
        // line end), are in the buffer; at the end of the file the rest is the last line.
        const char *data = buffer.data();
        const std::size_t end = marks.nextEnd(pos, filled);
        if (!atEnd && (end >= filled || end + 1 >= filled)) {
            // Move the unread part to the front and fill up the rest (a line longer than the
            // buffer grows it). The buffer stays a whole number of slices long, so the marks
            // can always look at whole words of 64 bytes; a line that grows it keeps its
            // marks and only the new bytes are marked.
            if (pos > 0) {
                std::memmove(buffer.data(), buffer.data() + pos, filled - pos);
                filled -= pos;
                pos = 0;
                marked = 0;
            }
            if (buffer.size() - filled < kSlice / 2)
                buffer.resize(buffer.size() + kSlice);
            const ssize_t got = ::read(fd, buffer.data() + filled, buffer.size() - filled - kSlack);
            if (got < 0) {
                if (errno == EINTR)
                    continue;
                refusal_ = {
                    kContext,
                    NIMBUS_TEXT_NOOP("nimbus::store", "it could not be read to its end: %1"),
                    {std::string(std::strerror(errno))}};
                ::close(fd);
                return false;
            }
            if (got == 0)
                atEnd = true;
            sliceHasNul = std::memchr(buffer.data() + filled, '\0', static_cast<std::size_t>(got)) != nullptr ||
                          (sliceHasNul && filled > 0);
            filled += static_cast<std::size_t>(got);
            marks.mark(buffer.data(), marked, filled);
            marked = filled;
            continue;
        }
        if (pos >= filled)
            break;
        const std::size_t lineStart = pos;
        std::string_view line(data + pos, end - pos);
        std::size_t next = end;
        if (next < filled) {
            const char pair = data[next] == '\r' ? '\n' : '\r';
            if (++next < filled && data[next] == pair)
                ++next;
        }
        pos = next;
        if (sliceHasNul && std::memchr(line.data(), '\0', line.size()) != nullptr) {
            // NUL bytes are dropped from a line, as every reader of name=value files does.
            scratch.assign(line);
            std::erase(scratch, '\0');
            line = scratch;
        }
        if (++lineNumber == 1) {
            // A byte-order mark written by an editor is not part of the first key. A UTF-16
            // file is not a store file at all; reading it would lose every record.
            if (line.starts_with("\xEF\xBB\xBF")) {
                line.remove_prefix(3);
            } else if (line.starts_with("\xFF\xFE") || line.starts_with("\xFE\xFF")) {
                refusal_ = {kContext,
                            NIMBUS_TEXT_NOOP("nimbus::store",
                                             "it is written in UTF-16, not as 8-bit text")};
                ::close(fd);
                return false;
            }
        }
        if (line.empty() || line.front() == '"' || sliceHasNul || lineNumber == 1)
            ReadLine(line, lineNumber);
        else if (const std::size_t separator = marks.nextSeparator(lineStart, end); separator < end)
            readSplitLine(line, separator - lineStart, lineNumber);
        else
            ReadLine(line, lineNumber);
    }
    ::close(fd);
    Finish();
    return true;
}

void StructureReader::readSplitLine(std::string_view line, std::size_t separator, int lineNumber)
{
    // What ReadLine does for a line without NUL bytes or a quoted name whose first "=" or TAB
    // is known, without copying the name.
    // The line lies in ReadFile's buffer, which has kSlack bytes after its last line.
    const std::string_view name = line.substr(0, separator);
    if (!(name > " "))
        return;
    const std::string_view value =
        trimmed(line.substr(line[separator] == '=' ? separator + 1 : separator));
    Key key;
    if (!isBlank(name.front()) && !isBlank(name.back())) {
        // The usual "key=value": the name needs no trimming. (That it sorts above " " does not
        // mean it starts above a blank: " lev" does too.)
        if (keyOfNameAt(name.data(), name.size(), key))
            readValue(key, value, lineNumber);
        return;
    }
    if (keyOf(trimmed(name), key))
        readValue(key, value, lineNumber);
}

void StructureReader::ReadLine(std::string_view line, int lineNumber)
{
    // The same pair rules as every plain name=value file: a NUL ends the line, names that do
    // not sort above a blank are skipped, then name and value are trimmed.
    line = line.substr(0, line.find('\0'));
    std::string_view value;
    fileio::splitPairView(line, name_, value);
    if (!(name_ > " "))
        return;
    // Without a separator there is no pair: a damaged or hand-edited line must not become a
    // key with an empty value (a lone "uni" would add a topic).
    if (!hasSeparator(line)) {
        if (!reportedLineWithoutPair_) {
            reportedLineWithoutPair_ = true;
            problems_.push_back(
                {kContext,
                 NIMBUS_TEXT_NOOP("nimbus::store",
                                  "Lines without \"=\" were ignored, the first (line %1)"),
                 {std::to_string(lineNumber)}});
        }
        return;
    }
    ReadPair(trimmed(name_), trimmed(value), lineNumber);
}

void StructureReader::startRecord(std::string_view value, int lineNumber)
{
    closeRecord();
    if (sink_) {
        deliverRecord();
        record_ = std::make_unique<TNimbusNode>(std::string(value));
        current_ = record_.get();
        recordLine_ = lineNumber;
        recordHasLev_ = false;
        return;
    }
    std::string id(value);
    if (!id.empty() && id[0] >= '0' && id[0] <= '9') {
        const int number = intOr(id, 0);
        if (number > highestId_)
            highestId_ = number;
    }
    // A record without an id, or with one read before, waits for its id until every id of
    // the file is known; until then it is listed under a name no read id can have (values
    // lose leading control characters).
    auto node = std::make_unique<TNimbusNode>(id);
    TNimbusNode *made = node.get();
    // Two topics with one id would share their pages and confuse every lookup: the later one
    // gets a new id.
    if (id.empty() || store_.Append(std::move(node)) < 0) {
        std::string placeholder(1, '\x01');
        placeholder += std::to_string(pending_.size());
        pending_.push_back({placeholder, id, lineNumber});
        made->uni = placeholder;
        store_.Append(std::move(node));
    }
    current_ = made;
    recordLine_ = lineNumber;
    recordHasLev_ = false;
}

void StructureReader::closeRecord()
{
    if (!current_)
        return;
    if (!recordHasLev_) {
        current_->lev = previousLev_;
        problems_.push_back(
            {kContext,
             NIMBUS_TEXT_NOOP("nimbus::store",
                              "The topic (line %1) has no level; it is kept at level %2"),
             {std::to_string(recordLine_), std::to_string(current_->lev)}});
    }
    previousLev_ = current_->lev;
}

void StructureReader::Finish()
{
    if (finished_)
        return;
    finished_ = true;
    closeRecord();
    current_ = nullptr;
    if (sink_) {
        deliverRecord();
        return;
    }
    assignPendingIds();
}

void StructureReader::deliverRecord()
{
    if (!record_)
        return;
    current_ = nullptr;
    sink_(record_);
    record_.reset();
}

void StructureReader::assignPendingIds()
{
    // Ids continue above every number in use and above the counter, in one step, and the
    // counter moves past them (or past the highest id when it fell behind), so that the ids
    // handed out later are free at the first try.
    const std::string &counterFile = store_.UniqueFileName();
    const int counter = counter::ReadUnique(counterFile);
    int next = std::max(highestId_, counter);
    for (const PendingId &pending : pending_) {
        const int index = store_.IndexOf(pending.placeholder);
        if (index < 0)
            continue;
        do
            ++next;
        while (store_.IndexOf(std::to_string(next)) >= 0);
        store_.SetId(index, std::to_string(next));
        if (pending.readId.empty())
            continue;  // an empty id has always been given a fresh number without a word
        problems_.push_back(
            {kContext,
             NIMBUS_TEXT_NOOP("nimbus::store",
                              "The topic (line %1) with the repeated id %2 now has the id %3"),
             {std::to_string(pending.lineNumber), values::excerpt(pending.readId),
              std::to_string(next)}});
    }
    if (!counterFile.empty() && next > counter && (counter >= 0 || !pending_.empty()))
        counter::SetUnique(counterFile, next);
    highestId_ = std::max(highestId_, next);
}

void StructureReader::keepLevelBefore(std::string_view value, int lineNumber)
{
    current_->lev = previousLev_;
    problems_.push_back(
        {kContext,
         NIMBUS_TEXT_NOOP("nimbus::store",
                          "The topic (line %1) has the level \"%2\", which is not a "
                          "level (line %3); it is kept at level %4"),
         {std::to_string(recordLine_), values::excerpt(value), std::to_string(lineNumber),
          std::to_string(current_->lev)}});
}

void StructureReader::ReadPair(std::string_view name, std::string_view value, int lineNumber)
{
    Key key;
    if (keyOf(name, key))
        readValue(key, value, lineNumber);
}

void StructureReader::readValue(Key key, std::string_view value, int lineNumber)
{
    if (use_ != Use::Everything && (isWriteOnlyKey(key) || (use_ == Use::Counting && key == Key::Text)))
        return;
    if (key == Key::Uni) {
        startRecord(value, lineNumber);
        return;
    }
    if (!current_)
        return;
    TNimbusNode &n = *current_;
    // clang-format off
    switch (key) {
    case Key::Uni: break;
    case Key::Lev:
        recordHasLev_ = true;
        if (const std::optional<int> lev = strictInt(value); lev && *lev >= 0) {
            n.lev = *lev;
        } else {
            keepLevelBefore(value, lineNumber);
        }
        break;
    case Key::Type: n.type = intOr(value, -1); break;
    case Key::Text: n.text = value; break;
    case Key::Exp: n.exp = values::isYes(value); break;
    case Key::Sel: n.sel = values::isYes(value); break;
    case Key::Done: n.done = values::isYes(value); break;
    case Key::Dac: n.dac = intOr(value, 0); break;
    case Key::Dam: n.dam = intOr(value, 0); break;
    case Key::Urgent: n.urgent = values::isYes(value); break;
    case Key::Fav: n.fav = values::isYes(value); break;
    case Key::Sys: n.sys = values::isYes(value); break;
    case Key::Top: n.top = values::isYes(value); break;
    case Key::Topnode: n.topnode = values::isYes(value); break;
    case Key::Send: n.send = values::isYes(value); break;
    case Key::Ttype: n.ttype = intOr(value, 0); break;
    case Key::Status: n.status = intOr(value, 0); break;
    case Key::Oldttype: n.oldttype = intOr(value, 0); break;
    case Key::Pri: n.pri = intOr(value, 0); break;
    case Key::Recur: n.recur = values::isYes(value); break;
    case Key::Lock: n.lock = values::isYes(value); break;
    case Key::Dl: n.dl = values::isYes(value); break;
    case Key::DlDate: n.dlDate = value; break;
    case Key::DlTime: n.dlTime = value; break;
    case Key::RsDate: n.rsDate = value; break;
    case Key::RsTime: n.rsTime = value; break;
    case Key::Rno: n.rno = intOr(value, 0); break;
    case Key::Rtype: n.rtype = intOr(value, 0); break;
    case Key::Calpr: n.calpr = values::isYes(value); break;
    case Key::Percent: n.percent = intOr(value, 0); break;
    case Key::Prog: n.prog = intOr(value, 0) != 0; break;
    case Key::Flno: n.flno = intOr(value, 0); break;
    case Key::Fltyp: n.fltyp = intOr(value, 0); break;
    case Key::Auto: n.autoComplete = values::isYes(value); break;
    case Key::Fdate: n.fdate = value; break;
    case Key::FTime: n.fTime = value; break;
    case Key::Cre: n.cre = value; break;
    case Key::Sta: n.sta = value; break;
    case Key::From: n.from = value; break;
    case Key::Sent: n.sent = value; break;
    case Key::Durno: n.durno = intOr(value, 0); break;
    case Key::Durtype: n.durtype = intOr(value, 0); break;
    case Key::Parent: n.parent = value; break;
    }
    // clang-format on
    if (key == Key::Send || key == Key::Type) {
        if (n.send && n.type >= 0 && n.type < 32)
            store_.sendableKinds.set(static_cast<std::size_t>(n.type));
    }
}

}  // namespace nimbus
