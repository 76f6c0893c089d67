// Automatic address detection in the details editor: every web, mail or file address in a
// line of text, as the editor marks them and a double-click opens them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace nimbus::pages {

struct WebAddress {
    std::size_t start = 0;  // 0-based byte offset in the line
    std::size_t length = 0; // bytes
    std::string target;     // what opening it opens: "www." addresses get "http://" in front
};

// Finds the addresses of a line: words that start with a scheme ("http://", "https://",
// "ftp://", "ftps://", "file://", "mailto:", "news:") or with "www.", without the
// punctuation around them that ends a sentence or encloses the address.
std::vector<WebAddress> FindWebAddresses(std::string_view line);

// The address that covers the byte offset, or null.
const WebAddress *AddressAt(const std::vector<WebAddress> &addresses, std::size_t offset);

} // namespace nimbus::pages
