// Reading and writing the register file, the register's log and recorded results.
#include "update/RegList.h"

#include "fileio/FolderOps.h"
#include "fileio/OMFILE.h"
#include "store/DateFormat.h"

#include <array>
#include <utility>

namespace nimbus::update {

namespace {

struct KeyField {
    const char *key;
    std::string RegProduct::*field;
};

// The 18 keys of an entry, in the order they are written.
constexpr std::array<KeyField, 18> kEntryKeys{{
    {"supplier", &RegProduct::supplier},
    {"product", &RegProduct::product},
    {"application", &RegProduct::application},
    {"version", &RegProduct::version},
    {"installfolder", &RegProduct::installfolder},
    {"versiondate", &RegProduct::versiondate},
    {"autoupgrade", &RegProduct::autoupgrade},
    {"url", &RegProduct::url},
    {"checkperiod", &RegProduct::checkperiod},
    {"checknumber", &RegProduct::checknumber},
    {"rollbackallowed", &RegProduct::rollbackallowed},
    {"dateinstalled", &RegProduct::dateinstalled},
    {"instance", &RegProduct::instance},
    {"status", &RegProduct::status},
    {"versionfolder", &RegProduct::versionfolder},
    {"errorcodes", &RegProduct::errorcodes},
    {"datelastchecked", &RegProduct::datelastchecked},
    {"checkresult", &RegProduct::checkresult},
}};

std::string RegProduct::*fieldFor(const std::string &key)
{
    for (const KeyField &k : kEntryKeys)
        if (key == k.key)
            return k.field;
    return nullptr;
}

} // namespace

std::string lowerAscii(std::string text)
{
    for (char &c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

RegList::RegList(std::string dataFolder, const Clock &clock)
    : folder(std::move(dataFolder)), clock_(clock)
{
    updateListPath = folder + "updatelist.txt";
    registerPath = folder + "VersionReg.lst";
    logPath = folder + "VersionReg.log";
}

RegProduct &RegList::add(RegProduct entry)
{
    entries.push_back(std::make_unique<RegProduct>(std::move(entry)));
    return *entries.back();
}

bool RegList::Load(const std::string &path, const std::string &kind, RegProduct *target)
{
    const bool wholeRegister = kind == "L";
    if (!wholeRegister && target == nullptr)
        return false;
    // A registration file far beyond any installer's is not read. The register itself is
    // always read whole: reading part of it would lose the rest at the next save.
    const std::int64_t size = fileio::fileSize(path);
    if (size < 0 || (!wholeRegister && size > kMaxEntryFileBytes))
        return false;
    fileio::OMFILEPtr file = fileio::openPlain(path, "R", 0);
    if (!file)
        return false;
    std::vector<std::string> names, values;
    fileio::readPairs(*file, names, values);
    fileio::close(file);

    std::unique_ptr<RegProduct> reading; // the entry being read (kind "L")
    RegProduct *current = wholeRegister ? nullptr : target;
    RegExec *currentExec = nullptr;
    bool anyRead = false;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string key = lowerAscii(names[i]);
        std::string &value = values[i];
        if (key == "supplier" && wholeRegister) {
            if (reading)
                entries.push_back(std::move(reading));
            reading = std::make_unique<RegProduct>();
            current = reading.get();
            currentExec = nullptr;
        }
        if (current == nullptr)
            continue; // keys before the first entry of a register
        if (auto field = fieldFor(key)) {
            // An interrupted check left "in progress" behind; it is no result.
            if (key == "errorcodes" && lowerAscii(value) == "in progress")
                value.clear();
            current->*field = std::move(value);
            anyRead = true;
        } else if (key == "exec") {
            current->execs.push_back(RegExec{std::move(value), {}, {}});
            currentExec = &current->execs.back();
            anyRead = true;
        } else if ((key == "pipe" || key == "command") && currentExec != nullptr) {
            (key == "pipe" ? currentExec->pipe : currentExec->command) = std::move(value);
            anyRead = true;
        }
    }
    if (reading)
        entries.push_back(std::move(reading));
    return anyRead;
}

bool RegList::Save(const std::string &path)
{
    fileio::OMFILEPtr file = fileio::openPlain(path, "W", 5);
    if (!file)
        return false;
    for (const auto &entry : entries) {
        for (const KeyField &k : kEntryKeys)
            fileio::writePair(*file, k.key, (*entry).*(k.field));
        for (const RegExec &e : entry->execs) {
            fileio::writePair(*file, "exec", e.exec);
            fileio::writePair(*file, "pipe", e.pipe);
            fileio::writePair(*file, "command", e.command);
        }
    }
    return fileio::close(file);
}

void RegList::Log(const std::string &text)
{
    fileio::appendLine(logPath, dates::displayDateTime(clock_.now(), dateOrder) + " " + text);
}

void RegList::RecordResult(RegProduct &entry, const std::string &text)
{
    entry.errorcodes = text;
    Log(entry.application + " - " + text);
    Save();
}

} // namespace nimbus::update
