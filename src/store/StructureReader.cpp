// Reading the store file.
#include "store/StructureReader.h"

#include "fileio/OMFILE.h"
#include "store/TNimbusStructure.h"
#include "store/ValueText.h"

namespace nimbus {

namespace {

enum class Key {
    Uni, Lev, Type, Text, Exp, Sel, Done, Dac, Dam, Urgent, Fav, Sys, Top, Topnode, Send,
    Ttype, Status, Oldttype, Pri, Recur, Lock, Dl, DlDate, DlTime, RsDate, RsTime, Rno, Rtype,
    Calpr, Percent, Prog, Flno, Fltyp, Auto, Fdate, FTime, Cre, Sta, From, Sent, Durno,
    Durtype, Parent,
};

// Every line's key is looked up: a switch on its length, then a few comparisons.
bool keyOf(std::string_view name, Key &key)
{
    struct Known {
        std::string_view name;
        Key key;
    };
    static constexpr Known k2[] = {{"dl", Key::Dl}};
    static constexpr Known k3[] = {{"uni", Key::Uni}, {"lev", Key::Lev}, {"exp", Key::Exp}, {"sel", Key::Sel}, {"dac", Key::Dac}, {"dam", Key::Dam}, {"fav", Key::Fav}, {"sys", Key::Sys}, {"top", Key::Top}, {"pri", Key::Pri}, {"rno", Key::Rno}, {"pr%", Key::Percent}, {"cre", Key::Cre}, {"sta", Key::Sta}};
    static constexpr Known k4[] = {{"type", Key::Type}, {"text", Key::Text}, {"done", Key::Done}, {"send", Key::Send}, {"lock", Key::Lock}, {"prog", Key::Prog}, {"flno", Key::Flno}, {"auto", Key::Auto}, {"from", Key::From}, {"sent", Key::Sent}};
    static constexpr Known k5[] = {{"ttype", Key::Ttype}, {"recur", Key::Recur}, {"rtype", Key::Rtype}, {"calpr", Key::Calpr}, {"fltyp", Key::Fltyp}, {"fdate", Key::Fdate}, {"fTime", Key::FTime}, {"durno", Key::Durno}};
    static constexpr Known k6[] = {{"urgent", Key::Urgent}, {"status", Key::Status}, {"dlDate", Key::DlDate}, {"dlTime", Key::DlTime}, {"rsDate", Key::RsDate}, {"rsTime", Key::RsTime}, {"parent", Key::Parent}};
    static constexpr Known k7[] = {{"topnode", Key::Topnode}, {"durtype", Key::Durtype}};
    static constexpr Known k8[] = {{"oldttype", Key::Oldttype}};
    auto match = [&](const auto &known) {
        for (const Known &k : known)
            if (k.name == name) {
                key = k.key;
                return true;
            }
        return false;
    };
    switch (name.size()) {
    case 2: return match(k2);
    case 3: return match(k3);
    case 4: return match(k4);
    case 5: return match(k5);
    case 6: return match(k6);
    case 7: return match(k7);
    case 8: return match(k8);
    default: return false;
    }
}

bool isBlank(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

// Plain pairs lose leading and trailing blanks and control characters.
void trim(std::string &s)
{
    std::size_t end = s.size();
    while (end > 0 && isBlank(s[end - 1]))
        --end;
    std::size_t start = 0;
    while (start < end && isBlank(s[start]))
        ++start;
    if (start > 0 || end < s.size())
        s = s.substr(start, end - start);
}

// Whether a line has the "=" or TAB that separates a name from its value (after a name in
// double quotes, when the line starts with one).
bool hasSeparator(std::string_view line)
{
    std::size_t from = 0;
    if (!line.empty() && line[0] == '"') {
        const std::size_t quote = line.find('"', 1);
        from = quote == std::string_view::npos ? line.size() : quote + 1;
    }
    line = line.substr(0, line.find('\0'));
    return line.find_first_of("=\t", from) != std::string_view::npos;
}

std::string lineText(int lineNumber)
{
    return " (line " + std::to_string(lineNumber) + ")";
}

}  // namespace

bool StructureReader::ReadFile(const std::string &path)
{
    fileio::OMFILEPtr file = fileio::openPlain(path, "R", 0);
    if (!file)
        return false;
    std::string line;
    int lineNumber = 0;
    while (fileio::readLine(*file, line) >= 0)
        ReadLine(line, ++lineNumber);
    fileio::close(file);
    return true;
}

void StructureReader::ReadLine(std::string_view line, int lineNumber)
{
    // The same pair rules as every plain name=value file: names that do not sort above a
    // blank are skipped, then name and value are trimmed.
    fileio::splitPair(line, name_, value_);
    if (!(name_ > " "))
        return;
    // Without a separator there is no pair: a damaged or hand-edited line must not become a
    // key with an empty value (a lone "uni" would add a topic).
    if (!hasSeparator(line)) {
        if (!reportedLineWithoutPair_) {
            reportedLineWithoutPair_ = true;
            problems_.push_back("Lines without \"=\" were ignored, the first" + lineText(lineNumber));
        }
        return;
    }
    trim(name_);
    trim(value_);
    ReadPair(name_, value_, lineNumber);
}

std::string StructureReader::freshId()
{
    const int n = store_.NextUnique();
    if (n >= 0)
        return std::to_string(n);
    // Without a counter (a packet's own store) an id is still needed that no node has.
    int candidate = std::max(highestId_, store_.Count()) + 1;
    while (store_.IndexOf(std::to_string(candidate)) >= 0)
        ++candidate;
    return std::to_string(candidate);
}

void StructureReader::startRecord(const std::string &value, int lineNumber)
{
    std::string id = value.empty() ? freshId() : value;
    if (!id.empty() && id[0] >= '0' && id[0] <= '9') {
        const int number = values::intOr(id, 0);
        if (number > highestId_)
            highestId_ = number;
    }
    if (current_)
        previousLev_ = current_->lev;
    auto node = std::make_unique<TNimbusNode>(id);
    TNimbusNode *made = node.get();
    if (store_.Append(std::move(node)) < 0) {
        // Two topics with one id would share their pages and confuse every lookup: the later
        // one is kept under a fresh id.
        std::string fresh = freshId();
        problems_.push_back("Topic id " + id + " appears more than once; the topic" + lineText(lineNumber)
                            + " now has the id " + fresh);
        made->uni = fresh;
        store_.Append(std::move(node));
    }
    current_ = made;
}

void StructureReader::ReadPair(const std::string &name, const std::string &value, int lineNumber)
{
    Key key;
    if (!keyOf(name, key))
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
        if (const std::optional<int> lev = values::strictInt(value)) {
            n.lev = *lev;
        } else {
            n.lev = previousLev_;
            problems_.push_back("Topic " + n.uni + " has the level \"" + value + "\", which is not a number"
                                + lineText(lineNumber) + "; it is kept at level " + std::to_string(n.lev));
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
