// The words of a details page without its markup: RTF control words, font and colour tables,
// pictures and other hidden groups are dropped, escapes become UTF-8. A page that is not RTF
// is returned as it is. Never fails: damaged RTF gives whatever text could be recognised.
#pragma once

#include <string>
#include <string_view>

namespace nimbus::search {

std::string RtfToText(std::string_view rtf);

}  // namespace nimbus::search
