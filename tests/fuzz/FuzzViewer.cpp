// Files opened in the viewer come from anywhere: table lines, options files and sort keys
// must take any bytes without crashing, hanging or growing without bound.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fileio/OMFILE.h"
#include "viewer/ColumnSort.h"
#include "viewer/FileDisplayOptions.h"
#include "viewer/TableContent.h"
#include "viewer/TableLine.h"

using namespace nimbus;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= bytes.size()) {
        const std::size_t end = bytes.find('\n', start);
        lines.emplace_back(bytes.substr(
            start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }

    // The same lines as an options file.
    std::vector<std::string> names;
    std::vector<std::string> values;
    for (const std::string &line : lines) {
        std::string name;
        std::string value;
        fileio::splitPair(line, name, value);
        names.push_back(name);
        values.push_back(value);
    }
    viewer::FileDisplayOptions options;
    options.applyPairs(names, values);
    if (options.columnListSize() > viewer::FileDisplayOptions::kMaxColumnIndex + 1)
        __builtin_trap();

    // As a table with a heading line, sorted by its first columns under every type.
    const viewer::TableContent content = viewer::TableContent::fromTableLines(lines, true);
    if (content.columnCount() > viewer::TableContent::kMaxColumns)
        __builtin_trap();
    for (int type = 0; type < viewer::kColumnTypeCount; ++type)
        for (std::size_t column = 0; column < 2; ++column) {
            const auto order =
                content.sortedOrder(column, static_cast<viewer::ColumnType>(type), type % 2 == 0);
            if (order.size() != content.rowCount())
                __builtin_trap();
        }
    for (const std::string &line : lines) {
        const std::vector<std::string> fields = viewer::splitTableLine(line);
        // A line written from fields reads back as the same fields, quotes aside.
        bool quotes = false;
        for (const std::string &field : fields)
            quotes = quotes || field.find('"') != std::string::npos;
        if (!quotes && fields.size() <= 64 &&
            viewer::splitTableLine(viewer::joinTableLine(fields)) != fields)
            __builtin_trap();
    }
    return 0;
}
