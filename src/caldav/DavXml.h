// A small XML reader for the answers of DAV servers: elements with their namespaces resolved,
// and the text inside them. No DTDs and no entities beyond the five predefined ones and
// character references, so nothing in an answer can make it expand; depth and element count
// are bounded. Attributes are kept by their name as written.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace nimbus::caldav {

inline constexpr const char *kDavNs = "DAV:";
inline constexpr const char *kCalDavNs = "urn:ietf:params:xml:ns:caldav";

struct XmlElement {
    std::string ns;    // namespace URI
    std::string name;  // local name
    std::string text;  // the element's own character data (children's not included)
    std::vector<XmlElement> children;
    std::vector<std::pair<std::string, std::string>> attributes;

    std::string attribute(std::string_view attributeName) const
    {
        for (const auto &[n, v] : attributes)
            if (n == attributeName)
                return v;
        return {};
    }

    bool is(std::string_view n, std::string_view local) const { return ns == n && name == local; }
    const XmlElement *child(std::string_view n, std::string_view local) const;
    // The first element of that name anywhere below this one.
    const XmlElement *find(std::string_view n, std::string_view local) const;
};

struct XmlDocument {
    bool ok = false;
    std::string error;
    XmlElement root;
};

inline constexpr int kMaxXmlDepth = 64;
inline constexpr std::size_t kMaxXmlElements = 2'000'000;

// eachTopChild, when given, takes each child of the root as soon as it is read, and the tree
// keeps none of them: a long answer then costs the memory of one of its parts at a time, not
// of every element it holds.
using TopChildSink = std::function<void(XmlElement &&)>;
XmlDocument parseXml(std::string_view bytes, const TopChildSink &eachTopChild = {});

// Text with &, <, > and quotes escaped, for writing request bodies.
std::string xmlEscape(std::string_view text);

}  // namespace nimbus::caldav
