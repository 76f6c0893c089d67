// The DAV answer reader; see DavXml.h. A hand-written reader because the core links no XML
// library: it handles exactly what servers send (declarations, comments, CDATA, namespaces,
// character references) and refuses the rest.
#include "caldav/DavXml.h"

#include "fileio/Utf8.h"

#include <map>

namespace nimbus::caldav {

const XmlElement *XmlElement::child(std::string_view n, std::string_view local) const
{
    for (const XmlElement &c : children)
        if (c.is(n, local))
            return &c;
    return nullptr;
}

const XmlElement *XmlElement::find(std::string_view n, std::string_view local) const
{
    std::vector<const XmlElement *> stack{this};
    while (!stack.empty()) {
        const XmlElement *e = stack.back();
        stack.pop_back();
        for (auto it = e->children.rbegin(); it != e->children.rend(); ++it) {
            if (it->is(n, local))
                return &*it;
        }
        for (auto it = e->children.rbegin(); it != e->children.rend(); ++it)
            stack.push_back(&*it);
    }
    return nullptr;
}

namespace {

bool isNameChar(char c)
{
    return !(c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '>' || c == '/' || c == '=' || c == '<' ||
             c == '"' || c == '\'');
}

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

class Reader {
public:
    Reader(std::string_view bytes, const TopChildSink &sink) : s_(bytes), sink_(sink) {}

    XmlDocument run()
    {
        XmlDocument doc;
        if (s_.substr(0, 3) == "\xEF\xBB\xBF")
            at_ = 3;
        skipMisc();
        if (failed_ || at_ >= s_.size() || s_[at_] != '<') {
            doc.error = error_.empty() ? "the answer holds no XML element" : error_;
            return doc;
        }
        std::vector<std::map<std::string, std::string>> scopes{{{"xml", "http://www.w3.org/XML/1998/namespace"}}};
        if (!element(doc.root, scopes, 1)) {
            doc.error = error_;
            return doc;
        }
        skipMisc();
        if (failed_ || at_ < s_.size()) {
            doc.error = error_.empty() ? "there is content after the XML document" : error_;
            return doc;
        }
        doc.ok = true;
        return doc;
    }

private:
    std::string_view s_;
    const TopChildSink &sink_;
    std::size_t at_ = 0;
    std::size_t elements_ = 0;
    bool failed_ = false;
    std::string error_;

    bool fail(const std::string &why)
    {
        if (!failed_)
            error_ = why + " (at byte " + std::to_string(at_) + ")";
        failed_ = true;
        return false;
    }

    bool startsWith(std::string_view p) const { return s_.substr(at_, p.size()) == p; }

    bool skipPast(std::string_view end)
    {
        const std::size_t found = s_.find(end, at_);
        if (found == std::string_view::npos)
            return fail("an unterminated XML construct");
        at_ = found + end.size();
        return true;
    }

    // Spaces, the declaration, processing instructions and comments between elements.
    void skipMisc()
    {
        while (!failed_ && at_ < s_.size()) {
            if (isSpace(s_[at_]))
                ++at_;
            else if (startsWith("<?"))
                skipPast("?>");
            else if (startsWith("<!--"))
                skipPast("-->");
            else if (startsWith("<!"))
                fail("document type declarations are not accepted");
            else
                break;
        }
    }

    bool name(std::string &out)
    {
        const std::size_t from = at_;
        while (at_ < s_.size() && isNameChar(s_[at_]))
            ++at_;
        if (at_ == from)
            return fail("an XML name was expected");
        out.assign(s_.substr(from, at_ - from));
        return true;
    }

    bool decode(std::string_view raw, std::string &out)
    {
        for (std::size_t i = 0; i < raw.size(); ++i) {
            if (raw[i] != '&') {
                out += raw[i];
                continue;
            }
            const std::size_t semi = raw.find(';', i);
            if (semi == std::string_view::npos || semi - i > 12)
                return fail("a broken character reference");
            const std::string_view ref = raw.substr(i + 1, semi - i - 1);
            if (ref == "lt") out += '<';
            else if (ref == "gt") out += '>';
            else if (ref == "amp") out += '&';
            else if (ref == "quot") out += '"';
            else if (ref == "apos") out += '\'';
            else if (ref.size() > 1 && ref[0] == '#') {
                unsigned long cp = 0;
                const bool hex = ref[1] == 'x' || ref[1] == 'X';
                const std::string_view digits = ref.substr(hex ? 2 : 1);
                if (digits.empty())
                    return fail("a broken character reference");
                for (char c : digits) {
                    int v = c >= '0' && c <= '9' ? c - '0' : hex && c >= 'a' && c <= 'f' ? c - 'a' + 10 : hex && c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
                    if (v < 0)
                        return fail("a broken character reference");
                    cp = cp * (hex ? 16 : 10) + static_cast<unsigned long>(v);
                    if (cp > 0x10FFFF)
                        return fail("a character reference out of range");
                }
                if (cp == 0)
                    return fail("a character reference to NUL");
                fileio::appendUtf8(out, static_cast<char32_t>(cp));
            } else {
                return fail("an unknown entity &" + std::string(ref) + ";");
            }
            i = semi;
        }
        return true;
    }

    bool resolve(const std::string &qname, const std::vector<std::map<std::string, std::string>> &scopes,
                 bool isElement, std::string &ns, std::string &local)
    {
        const std::size_t colon = qname.find(':');
        const std::string prefix = colon == std::string::npos ? std::string() : qname.substr(0, colon);
        local = colon == std::string::npos ? qname : qname.substr(colon + 1);
        ns.clear();
        if (prefix.empty() && !isElement)
            return true;
        for (auto it = scopes.rbegin(); it != scopes.rend(); ++it) {
            const auto found = it->find(prefix);
            if (found != it->end()) {
                ns = found->second;
                return true;
            }
        }
        if (prefix.empty())
            return true;  // no default namespace
        return fail("the namespace prefix \"" + prefix + "\" is not declared");
    }

    bool element(XmlElement &out, std::vector<std::map<std::string, std::string>> &scopes, int depth)
    {
        if (depth > kMaxXmlDepth)
            return fail("the XML is nested too deeply");
        if (++elements_ > kMaxXmlElements)
            return fail("the XML holds too many elements");
        ++at_;  // '<'
        std::string qname;
        if (!name(qname))
            return false;
        std::map<std::string, std::string> scope;
        bool empty = false;
        while (true) {
            while (at_ < s_.size() && isSpace(s_[at_]))
                ++at_;
            if (at_ >= s_.size())
                return fail("an unterminated start tag");
            if (s_[at_] == '>') {
                ++at_;
                break;
            }
            if (startsWith("/>")) {
                at_ += 2;
                empty = true;
                break;
            }
            std::string attr;
            if (!name(attr))
                return false;
            while (at_ < s_.size() && isSpace(s_[at_]))
                ++at_;
            if (at_ >= s_.size() || s_[at_] != '=')
                return fail("an attribute without a value");
            ++at_;
            while (at_ < s_.size() && isSpace(s_[at_]))
                ++at_;
            if (at_ >= s_.size() || (s_[at_] != '"' && s_[at_] != '\''))
                return fail("an attribute value without quotes");
            const char quote = s_[at_++];
            const std::size_t end = s_.find(quote, at_);
            if (end == std::string_view::npos)
                return fail("an unterminated attribute value");
            std::string value;
            if (!decode(s_.substr(at_, end - at_), value))
                return false;
            at_ = end + 1;
            if (attr == "xmlns")
                scope[""] = value;
            else if (attr.rfind("xmlns:", 0) == 0)
                scope[attr.substr(6)] = value;
            else if (out.attributes.size() < 64)
                out.attributes.emplace_back(std::move(attr), std::move(value));
        }
        scopes.push_back(std::move(scope));
        if (!resolve(qname, scopes, true, out.ns, out.name))
            return false;
        if (empty) {
            scopes.pop_back();
            return true;
        }
        while (true) {
            if (at_ >= s_.size())
                return fail("the element <" + qname + "> is not closed");
            if (startsWith("</")) {
                at_ += 2;
                std::string closing;
                if (!name(closing))
                    return false;
                if (closing != qname)
                    return fail("</" + closing + "> closes <" + qname + ">");
                while (at_ < s_.size() && isSpace(s_[at_]))
                    ++at_;
                if (at_ >= s_.size() || s_[at_] != '>')
                    return fail("an unterminated end tag");
                ++at_;
                break;
            }
            if (startsWith("<!--")) {
                if (!skipPast("-->"))
                    return false;
            } else if (startsWith("<![CDATA[")) {
                at_ += 9;
                const std::size_t end = s_.find("]]>", at_);
                if (end == std::string_view::npos)
                    return fail("an unterminated CDATA section");
                out.text.append(s_.substr(at_, end - at_));
                at_ = end + 3;
            } else if (startsWith("<?")) {
                if (!skipPast("?>"))
                    return false;
            } else if (startsWith("<!")) {
                return fail("declarations are not accepted inside elements");
            } else if (s_[at_] == '<' && depth == 1 && sink_) {
                XmlElement child;
                if (!element(child, scopes, depth + 1))
                    return false;
                sink_(std::move(child));
            } else if (s_[at_] == '<') {
                out.children.emplace_back();
                if (!element(out.children.back(), scopes, depth + 1))
                    return false;
            } else {
                const std::size_t end = s_.find('<', at_);
                const std::size_t stop = end == std::string_view::npos ? s_.size() : end;
                if (!decode(s_.substr(at_, stop - at_), out.text))
                    return false;
                at_ = stop;
            }
        }
        scopes.pop_back();
        return true;
    }
};

}  // namespace

XmlDocument parseXml(std::string_view bytes, const TopChildSink &eachTopChild)
{
    return Reader(bytes, eachTopChild).run();
}

std::string xmlEscape(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&apos;"; break;
        default: out += c;
        }
    }
    return out;
}

}  // namespace nimbus::caldav
