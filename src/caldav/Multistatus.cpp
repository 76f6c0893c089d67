// Reading multistatus answers; see Multistatus.h.
#include "caldav/Multistatus.h"

namespace nimbus::caldav {

namespace {

std::string trimmed(const std::string &s)
{
    const std::size_t first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    const std::size_t last = s.find_last_not_of(" \t\r\n");
    return s.substr(first, last - first + 1);
}

std::string hrefIn(const XmlElement *e)
{
    if (e == nullptr)
        return {};
    const XmlElement *href = e->child(kDavNs, "href");
    return href ? trimmed(href->text) : std::string();
}

void readProp(const XmlElement &prop, DavResource &r)
{
    for (const XmlElement &p : prop.children) {
        r.propNames.push_back(p.ns + " " + p.name);
        if (p.is(kDavNs, "getetag")) {
            r.etag = usableEtag(trimmed(p.text));
        } else if (p.is(kCalDavNs, "calendar-data")) {
            r.calendarData = p.text;
        } else if (p.is(kDavNs, "displayname")) {
            r.displayName = trimmed(p.text);
        } else if (p.is(kDavNs, "current-user-principal")) {
            r.principalHref = hrefIn(&p);
        } else if (p.is(kCalDavNs, "calendar-home-set")) {
            r.homeSetHref = hrefIn(&p);
        } else if (p.is(kDavNs, "resourcetype")) {
            r.isCollection = p.child(kDavNs, "collection") != nullptr;
            r.isCalendar = p.child(kCalDavNs, "calendar") != nullptr;
        } else if (p.is(kCalDavNs, "supported-calendar-component-set")) {
            r.hasComponentSet = true;
            for (const XmlElement &comp : p.children) {
                if (comp.is(kCalDavNs, "comp") && !comp.attribute("name").empty())
                    r.components.push_back(comp.attribute("name"));
            }
        } else if (p.is(kCalendarServerNs, "getctag")) {
            r.ctag = trimmed(p.text);
        } else if (p.is(kDavNs, "getlastmodified")) {
            r.lastModified = trimmed(p.text);
        } else if (p.is(kCalDavNs, "calendar-description")) {
            r.description = p.text;
        } else if (p.is(kAppleIcalNs, "calendar-color")) {
            r.color = trimmed(p.text);
        } else if (p.is(kAppleIcalNs, "calendar-order")) {
            r.order = trimmed(p.text);
        } else if (p.is(kDavNs, "current-user-privilege-set")) {
            r.privilegesKnown = true;
            for (const XmlElement &privilege : p.children) {
                if (!privilege.is(kDavNs, "privilege"))
                    continue;
                for (const XmlElement &granted : privilege.children)
                    if (granted.ns == kDavNs &&
                        (granted.name == "all" || granted.name == "write" ||
                         granted.name == "write-content" || granted.name == "bind" ||
                         granted.name == "unbind"))
                        r.writable = true;
            }
        } else if (p.is(kDavNs, "supported-report-set")) {
            r.syncCollection = p.find(kDavNs, "sync-collection") != nullptr;
        }
    }
}

}  // namespace

std::string usableEtag(std::string etag)
{
    for (char c : etag)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return {};
    return etag;
}

int statusOfLine(const std::string &line)
{
    const std::size_t space = line.find(' ');
    if (space == std::string::npos || space + 4 > line.size())
        return 0;
    int code = 0;
    for (std::size_t i = space + 1; i < space + 4; ++i) {
        if (line[i] < '0' || line[i] > '9')
            return 0;
        code = code * 10 + (line[i] - '0');
    }
    return code;
}

Multistatus readMultistatus(const std::string &body)
{
    Multistatus result;
    bool tooMany = false;
    // Each response is read into its resource as soon as it is complete, and its elements
    // are dropped: an answer of millions of elements costs the resources it lists.
    const auto eachResponse = [&](XmlElement &&e) {
        if (e.is(kDavNs, "sync-token")) {
            result.syncToken = trimmed(e.text);
            return;
        }
        if (!e.is(kDavNs, "response") || tooMany)
            return;
        DavResource r;
        r.href = hrefIn(&e);
        if (r.href.empty())
            return;
        if (result.resources.size() >= kMaxResources) {
            tooMany = true;
            return;
        }
        if (const XmlElement *s = e.child(kDavNs, "status"))
            r.status = statusOfLine(trimmed(s->text));
        for (const XmlElement &ps : e.children) {
            if (!ps.is(kDavNs, "propstat"))
                continue;
            const XmlElement *s = ps.child(kDavNs, "status");
            const int code = s ? statusOfLine(trimmed(s->text)) : 200;
            const XmlElement *prop = ps.child(kDavNs, "prop");
            if (prop != nullptr && code >= 200 && code < 300)
                readProp(*prop, r);
        }
        result.resources.push_back(std::move(r));
    };
    const XmlDocument doc = parseXml(body, eachResponse);
    if (!doc.ok) {
        result = {};
        result.error = "the server's answer is not readable XML: " + doc.error;
        return result;
    }
    if (!doc.root.is(kDavNs, "multistatus")) {
        result = {};
        result.error = "the server's answer is not a DAV multistatus";
        return result;
    }
    if (tooMany) {
        result = {};
        result.error =
            "the server's answer lists more than " + std::to_string(kMaxResources) + " entries";
        return result;
    }
    result.ok = true;
    return result;
}

}  // namespace nimbus::caldav
