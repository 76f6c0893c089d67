// The words of a details page for a terminal: RTF control words, font and colour tables,
// pictures and other destinations dropped; paragraphs, tabs, "\'hh" and "\uN" kept. A page
// that is not RTF is plain text already.
#pragma once

#include <string>
#include <string_view>

namespace nimbus::cli {

std::string rtfPlainText(std::string_view rtf);

} // namespace nimbus::cli
