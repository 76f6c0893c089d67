// Reading the store file.
#include "store/StructureReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "fileio/OMFILE.h"
#include "fileio/UiText.h"
#include "store/TNimbusStructure.h"
#include "store/UniqueCounter.h"
#include "store/ValueText.h"

namespace nimbus {

namespace {

enum class Key {
    Uni, Lev, Type, Text, Exp, Sel, Done, Dac, Dam, Urgent, Fav, Sys, Top, Topnode, Send,
    Ttype, Status, Oldttype, Pri, Recur, Lock, Dl, DlDate, DlTime, RsDate, RsTime, Rno, Rtype,
    Calpr, Percent, Prog, Flno, Fltyp, Auto, Fdate, FTime, Cre, Sta, From, Sent, Durno,
    Durtype, Parent,
};

// A key of up to eight bytes as one number (its first byte lowest), so that every line's key
// is found by one switch.
constexpr std::uint64_t packed(std::string_view name)
{
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < name.size(); ++i)
        value |= std::uint64_t{static_cast<unsigned char>(name[i])} << (8 * i);
    return value;
}

bool keyOf(std::string_view name, Key &key)
{
    if (name.empty() || name.size() > 8)
        return false;
    // A name holds no NUL, so two names of different lengths never pack alike.
    switch (packed(name)) {
    case packed("uni"): key = Key::Uni; return true;
    case packed("lev"): key = Key::Lev; return true;
    case packed("type"): key = Key::Type; return true;
    case packed("text"): key = Key::Text; return true;
    case packed("exp"): key = Key::Exp; return true;
    case packed("sel"): key = Key::Sel; return true;
    case packed("done"): key = Key::Done; return true;
    case packed("dac"): key = Key::Dac; return true;
    case packed("dam"): key = Key::Dam; return true;
    case packed("urgent"): key = Key::Urgent; return true;
    case packed("fav"): key = Key::Fav; return true;
    case packed("sys"): key = Key::Sys; return true;
    case packed("top"): key = Key::Top; return true;
    case packed("topnode"): key = Key::Topnode; return true;
    case packed("send"): key = Key::Send; return true;
    case packed("ttype"): key = Key::Ttype; return true;
    case packed("status"): key = Key::Status; return true;
    case packed("oldttype"): key = Key::Oldttype; return true;
    case packed("pri"): key = Key::Pri; return true;
    case packed("recur"): key = Key::Recur; return true;
    case packed("lock"): key = Key::Lock; return true;
    case packed("dl"): key = Key::Dl; return true;
    case packed("dlDate"): key = Key::DlDate; return true;
    case packed("dlTime"): key = Key::DlTime; return true;
    case packed("rsDate"): key = Key::RsDate; return true;
    case packed("rsTime"): key = Key::RsTime; return true;
    case packed("rno"): key = Key::Rno; return true;
    case packed("rtype"): key = Key::Rtype; return true;
    case packed("calpr"): key = Key::Calpr; return true;
    case packed("pr%"): key = Key::Percent; return true;
    case packed("prog"): key = Key::Prog; return true;
    case packed("flno"): key = Key::Flno; return true;
    case packed("fltyp"): key = Key::Fltyp; return true;
    case packed("auto"): key = Key::Auto; return true;
    case packed("fdate"): key = Key::Fdate; return true;
    case packed("fTime"): key = Key::FTime; return true;
    case packed("cre"): key = Key::Cre; return true;
    case packed("sta"): key = Key::Sta; return true;
    case packed("from"): key = Key::From; return true;
    case packed("sent"): key = Key::Sent; return true;
    case packed("durno"): key = Key::Durno; return true;
    case packed("durtype"): key = Key::Durtype; return true;
    case packed("parent"): key = Key::Parent; return true;
    default: return false;
    }
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

// The first CR or LF at or after pos, or end; separator receives the first "=" or TAB before
// it (npos when there is none). A store file's lines are short: one look at sixteen bytes
// usually finds both, where a search a character would be four calls a line.
std::size_t scanLine(const char *data, std::size_t pos, std::size_t end, std::size_t &separator)
{
    constexpr std::size_t npos = std::string_view::npos;
    separator = npos;
    std::size_t i = pos;
#if defined(__SSE2__)
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i eq = _mm_set1_epi8('=');
    const __m128i tab = _mm_set1_epi8('\t');
    for (; i + 16 <= end; i += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i *>(data + i));
        const auto ends = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(chunk, lf), _mm_cmpeq_epi8(chunk, cr))));
        const auto separators = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(chunk, eq), _mm_cmpeq_epi8(chunk, tab))));
        if (separator == npos && separators != 0) {
            const auto first = static_cast<unsigned>(__builtin_ctz(separators));
            if (ends == 0 || first < static_cast<unsigned>(__builtin_ctz(ends)))
                separator = i + first;
        }
        if (ends != 0)
            return i + static_cast<unsigned>(__builtin_ctz(ends));
    }
#endif
    for (; i < end; ++i) {
        const char c = data[i];
        if (c == '\n' || c == '\r')
            return i;
        if (separator == npos && (c == '=' || c == '\t'))
            separator = i;
    }
    return end;
}

// The problems of a store file, in English for the log and translated where they are shown.
constexpr const char *kContext = "nimbus::store";

}  // namespace

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
    std::string buffer(kSlice, '\0');
    std::size_t filled = 0;  // bytes in buffer
    std::size_t pos = 0;     // start of the first line not yet read
    bool atEnd = false;
    bool sliceHasNul = false;
    int lineNumber = 0;
    std::string scratch;
    while (true) {
        // A line is complete once its end, and the byte after it (CR LF and LF CR are one
        // line end), are in the buffer; at the end of the file the rest is the last line.
        const char *data = buffer.data();
        std::size_t separator = 0;
        const std::size_t end = scanLine(data, pos, filled, separator);
        if (!atEnd && (end >= filled || end + 1 >= filled)) {
            // Move the unread part to the front and fill up the rest (a line longer than the
            // buffer grows it).
            buffer.erase(0, pos);
            filled -= pos;
            pos = 0;
            if (buffer.size() - filled < kSlice / 2)
                buffer.resize(buffer.size() + kSlice);
            const ssize_t got = ::read(fd, buffer.data() + filled, buffer.size() - filled);
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
        else if (separator != std::string_view::npos)
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
    const std::string_view name = line.substr(0, separator);
    if (!(name > " "))
        return;
    ReadPair(trimmed(name), trimmed(line.substr(line[separator] == '=' ? separator + 1 : separator)),
             lineNumber);
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
        const int number = values::intOr(id, 0);
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

void StructureReader::ReadPair(std::string_view name, std::string_view value, int lineNumber)
{
    Key key;
    if (!keyOf(name, key))
        return;
    if (use_ != Use::Everything && (isWriteOnlyKey(key) || (use_ == Use::Counting && key == Key::Text)))
        return;
    if (key == Key::Uni) {
        startRecord(value, lineNumber);
        return;
    }
    if (!current_)
        return;
    TNimbusNode &n = *current_;
    switch (key) {
    case Key::Uni: break;
    case Key::Lev:
        recordHasLev_ = true;
        if (const std::optional<int> lev = values::strictInt(value); lev && *lev >= 0) {
            n.lev = *lev;
        } else {
            n.lev = previousLev_;
            problems_.push_back(
                {kContext,
                 NIMBUS_TEXT_NOOP("nimbus::store",
                                  "The topic (line %1) has the level \"%2\", which is not a "
                                  "level (line %3); it is kept at level %4"),
                 {std::to_string(recordLine_), values::excerpt(value), std::to_string(lineNumber),
                  std::to_string(n.lev)}});
        }
        break;
    case Key::Type:
        n.type = values::intOr(value, -1);
        break;
    case Key::Text: n.text = value; break;
    case Key::Exp: n.exp = values::isYes(value); break;
    case Key::Sel: n.sel = values::isYes(value); break;
    case Key::Done: n.done = values::isYes(value); break;
    case Key::Dac: n.dac = values::intOr(value, 0); break;
    case Key::Dam: n.dam = values::intOr(value, 0); break;
    case Key::Urgent: n.urgent = values::isYes(value); break;
    case Key::Fav: n.fav = values::isYes(value); break;
    case Key::Sys: n.sys = values::isYes(value); break;
    case Key::Top: n.top = values::isYes(value); break;
    case Key::Topnode: n.topnode = values::isYes(value); break;
    case Key::Send: n.send = values::isYes(value); break;
    case Key::Ttype: n.ttype = values::intOr(value, 0); break;
    case Key::Status: n.status = values::intOr(value, 0); break;
    case Key::Oldttype: n.oldttype = values::intOr(value, 0); break;
    case Key::Pri: n.pri = values::intOr(value, 0); break;
    case Key::Recur: n.recur = values::isYes(value); break;
    case Key::Lock: n.lock = values::isYes(value); break;
    case Key::Dl: n.dl = values::isYes(value); break;
    case Key::DlDate: n.dlDate = value; break;
    case Key::DlTime: n.dlTime = value; break;
    case Key::RsDate: n.rsDate = value; break;
    case Key::RsTime: n.rsTime = value; break;
    case Key::Rno: n.rno = values::intOr(value, 0); break;
    case Key::Rtype: n.rtype = values::intOr(value, 0); break;
    case Key::Calpr: n.calpr = values::isYes(value); break;
    case Key::Percent: n.percent = values::intOr(value, 0); break;
    case Key::Prog: n.prog = values::intOr(value, 0) != 0; break;
    case Key::Flno: n.flno = values::intOr(value, 0); break;
    case Key::Fltyp: n.fltyp = values::intOr(value, 0); break;
    case Key::Auto: n.autoComplete = values::isYes(value); break;
    case Key::Fdate: n.fdate = value; break;
    case Key::FTime: n.fTime = value; break;
    case Key::Cre: n.cre = value; break;
    case Key::Sta: n.sta = value; break;
    case Key::From: n.from = value; break;
    case Key::Sent: n.sent = value; break;
    case Key::Durno: n.durno = values::intOr(value, 0); break;
    case Key::Durtype: n.durtype = values::intOr(value, 0); break;
    case Key::Parent: n.parent = value; break;
    }
    if (key == Key::Send || key == Key::Type) {
        if (n.send && n.type >= 0 && n.type < 32)
            store_.sendableKinds.set(static_cast<std::size_t>(n.type));
    }
}

}  // namespace nimbus
