// Printing topics as text, JSON or TSV.
#include "cli/OutputFormat.h"

#include <algorithm>

#include "cli/TerminalText.h"
#include "cli/TopicSnapshot.h"
#include "store/DateFormat.h"
#include "store/GridCells.h"
#include "store/TNimbusNode.h"
#include "store/TopicCodes.h"

namespace nimbus::cli {

namespace {

// A TSV field stays one field: tabs and line ends become blanks, other control characters
// are escaped.
std::string tsvField(std::string text)
{
    std::replace_if(text.begin(), text.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
    return terminalText(text);
}

// Trailing blanks of a due text ("2 hours ") are part of the grid's text but not of a column.
std::string trimmedRight(std::string text)
{
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

} // namespace

bool parseFormat(std::string_view text, Format &format)
{
    if (text == "text")
        format = Format::Text;
    else if (text == "json")
        format = Format::Json;
    else if (text == "tsv")
        format = Format::Tsv;
    else
        return false;
    return true;
}

std::string jsonString(std::string_view text)
{
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\r') {
            out += "\\r";
        } else if (u < 0x20 || u == 0x7F || isC1At(text, i)) {
            // DEL and the C1 controls are valid JSON as they are, but not for a terminal.
            static const char digits[] = "0123456789abcdef";
            const unsigned char code = u == 0xC2 ? static_cast<unsigned char>(text[++i]) : u;
            out += "\\u00";
            out += digits[code >> 4];
            out += digits[code & 15];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

TopicRow rowOf(const TNimbusNode &node, int displayOrder)
{
    TopicRow row;
    row.id = node.uni;
    row.path = TopicSnapshot::pathOf(node);
    const auto *item = static_cast<const tree::TreeItem *>(node.treeItem);
    row.status = topicTypeText(node.ttype, node.status, item ? item->hasChildren() : node.childCount > 0);
    if (gridcells::InfoCellFor(node).shown)
        row.due = trimmedRight(node.statusText);
    if ((node.dl || node.recur) && node.dlDate.size() == 8) {
        row.date = dates::displayDate(node.dlDate, displayOrder);
        if (!dates::isNoTime(node.dlTime)) {
            row.date += ' ';
            row.date.append(node.dlTime, 0, 5);
        }
    }
    row.priority = node.pri;
    row.urgent = node.urgent;
    return row;
}

void printRows(std::ostream &out, const std::vector<TopicRow> &rows, Format format, bool withMatch)
{
    if (format == Format::Json) {
        out << "[";
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const TopicRow &r = rows[i];
            out << (i ? ",\n " : "\n ") << "{\"id\":" << jsonString(r.id) << ",\"path\":" << jsonString(r.path)
                << ",\"status\":" << jsonString(r.status) << ",\"due\":" << jsonString(r.due)
                << ",\"date\":" << jsonString(r.date) << ",\"priority\":" << r.priority
                << ",\"urgent\":" << (r.urgent ? "true" : "false");
            if (withMatch)
                out << ",\"match\":" << jsonString(r.match);
            out << "}";
        }
        out << (rows.empty() ? "]\n" : "\n]\n");
        return;
    }
    if (format == Format::Tsv) {
        for (const TopicRow &r : rows) {
            out << tsvField(r.id) << '\t' << tsvField(r.path) << '\t' << tsvField(r.status) << '\t'
                << tsvField(r.due) << '\t' << tsvField(r.date);
            if (withMatch)
                out << '\t' << tsvField(r.match);
            out << '\n';
        }
        return;
    }
    std::size_t idWidth = 2, statusWidth = 6, dueWidth = 3, matchWidth = 0;
    for (const TopicRow &r : rows) {
        if (withMatch)
            matchWidth = std::max(matchWidth, terminalText(r.match).size());
        idWidth = std::max(idWidth, r.id.size());
        statusWidth = std::max(statusWidth, r.status.size());
        dueWidth = std::max(dueWidth, r.due.size());
    }
    // Each line is put together in one buffer and written at once.
    std::string line;
    auto column = [&line](const std::string &text, std::size_t width) {
        line += text;
        line.append(width > text.size() ? width - text.size() : 0, ' ');
        line += "  ";
    };
    for (const TopicRow &r : rows) {
        line.clear();
        column(r.id, idWidth);
        column(r.status, statusWidth);
        column(r.due, dueWidth);
        if (withMatch)
            column(terminalText(r.match), matchWidth);
        line += terminalText(r.path);
        line += '\n';
        out.write(line.data(), static_cast<std::streamsize>(line.size()));
    }
}

} // namespace nimbus::cli
