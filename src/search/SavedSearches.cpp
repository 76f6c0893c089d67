// The searches the user keeps under a name; see SavedSearches.h.
#include "search/SavedSearches.h"

#include <cerrno>
#include <cstring>

#include <unistd.h>

#include "fileio/AtomicFile.h"
#include "fileio/FolderOps.h"
#include "fileio/HexDigits.h"

namespace nimbus::search {

namespace {

constexpr const char *kHeading = "# Nimbus Desk saved searches: name TAB query";

void escapeInto(std::string &out, const std::string &text)
{
    static const char digits[] = "0123456789ABCDEF";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            if (byte < 0x20 || byte == 0x7F) {
                out += "\\x";
                out += digits[byte >> 4];
                out += digits[byte & 15];
            } else {
                out += c;
            }
        }
    }
}

bool unescape(const std::string &text, std::string &out)
{
    out.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size())
            return false;
        switch (text[i]) {
        case '\\':
            out += '\\';
            break;
        case 't':
            out += '\t';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case 'x': {
            if (i + 2 >= text.size())
                return false;
            const int high = fileio::hexDigitValue(text[i + 1]);
            const int low = fileio::hexDigitValue(text[i + 2]);
            if (high < 0 || low < 0)
                return false;
            out += static_cast<char>(high * 16 + low);
            i += 2;
            break;
        }
        default:
            return false;
        }
    }
    return true;
}

} // namespace

SavedSearches::SavedSearches(const std::string &dataFolder) : path_(dataFolder + kFileName) {}

std::string SavedSearches::NormalizedName(const std::string &name)
{
    const char *blanks = " \t\r\n";
    const std::size_t first = name.find_first_not_of(blanks);
    if (first == std::string::npos)
        return {};
    return name.substr(first, name.find_last_not_of(blanks) - first + 1);
}

std::string SavedSearches::EncodeLine(const SavedSearch &search)
{
    std::string line;
    escapeInto(line, search.name);
    if (!line.empty() && line.front() == '#')
        line.replace(0, 1, "\\x23"); // a line starting with "#" would be a comment
    line += '\t';
    escapeInto(line, search.query);
    return line;
}

bool SavedSearches::DecodeLine(const std::string &line, SavedSearch &search, std::string &why)
{
    const std::size_t tab = line.find('\t');
    if (tab == std::string::npos || line.find('\t', tab + 1) != std::string::npos) {
        why = "not a name and a query joined by one TAB";
        return false;
    }
    if (!unescape(line.substr(0, tab), search.name) ||
        !unescape(line.substr(tab + 1), search.query)) {
        why = "a broken escape";
        return false;
    }
    if (search.name.empty() || search.name != NormalizedName(search.name)) {
        why = "an empty name or one with blanks at an end";
        return false;
    }
    if (NormalizedName(search.query).empty()) {
        why = "an empty query";
        return false;
    }
    return true;
}

bool SavedSearches::load()
{
    searches_.clear();
    damaged_.clear();
    problems_.clear();
    error_.clear();
    std::string bytes;
    if (!fileio::fileExists(path_)) {
        if (::access(path_.c_str(), F_OK) != 0 && errno == ENOENT)
            return true;
        error_ = path_ + " is not a file";
        return false;
    }
    if (!fileio::readWholeFile(path_, bytes)) {
        error_ = path_ + " cannot be read: " + fileio::lastErrorText();
        return false;
    }
    std::size_t from = 0;
    int number = 0;
    while (from < bytes.size()) {
        std::size_t end = bytes.find('\n', from);
        if (end == std::string::npos)
            end = bytes.size();
        std::string line = bytes.substr(from, end - from);
        from = end + 1;
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back(); // a file edited elsewhere
        if (line.empty() || line.front() == '#')
            continue;
        SavedSearch search;
        std::string why;
        if (DecodeLine(line, search, why) && find(search.name)) {
            why = "the name \"" + search.name + "\" is taken by a line above";
        } else if (why.empty()) {
            searches_.push_back(std::move(search));
            continue;
        }
        problems_.push_back("line " + std::to_string(number) + ": " + why);
        damaged_.push_back(std::move(line));
    }
    return true;
}

const SavedSearch *SavedSearches::find(const std::string &name) const
{
    const std::string wanted = NormalizedName(name);
    for (const SavedSearch &search : searches_)
        if (search.name == wanted)
            return &search;
    return nullptr;
}

bool SavedSearches::save(const std::string &name, const std::string &query)
{
    const SavedSearch search{NormalizedName(name), NormalizedName(query)};
    if (search.name.empty() || search.query.empty()) {
        error_ = search.name.empty() ? "a saved search needs a name" : "there is no query to save";
        return false;
    }
    if (!load())
        return false;
    for (SavedSearch &kept : searches_)
        if (kept.name == search.name) {
            kept.query = search.query;
            return write();
        }
    searches_.push_back(search);
    return write();
}

bool SavedSearches::remove(const std::string &name)
{
    if (!load())
        return false;
    const std::string wanted = NormalizedName(name);
    for (auto it = searches_.begin(); it != searches_.end(); ++it)
        if (it->name == wanted) {
            searches_.erase(it);
            return write();
        }
    error_ = "there is no saved search named \"" + wanted + "\"";
    return false;
}

bool SavedSearches::write()
{
    std::string bytes = std::string(kHeading) + '\n';
    for (const SavedSearch &search : searches_)
        bytes += EncodeLine(search) + '\n';
    for (const std::string &line : damaged_)
        bytes += line + '\n';
    std::string why;
    if (fileio::writeFileAtomically(path_, bytes, &why))
        return true;
    error_ = path_ + " could not be written: " + why;
    return false;
}

} // namespace nimbus::search
