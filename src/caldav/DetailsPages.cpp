// Details pages of synced topics; see DetailsPages.h.
#include "caldav/DetailsPages.h"

#include "fileio/FolderOps.h"
#include "store/ContentFiles.h"
#include "store/TNimbusNode.h"

namespace nimbus::caldav {

namespace {

THyperData *firstDetailsPage(TContent &content)
{
    for (const auto &page : content.pages)
        if (page->con == kPageDetails)
            return page.get();
    return nullptr;
}

} // namespace

std::string comparableText(const std::string &text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            out += text[i];
        }
    }
    while (!out.empty() && (out.back() == '\n' || out.back() == ' ' || out.back() == '\t'))
        out.pop_back();
    return out;
}

bool sameWords(const std::string &a, const std::string &b)
{
    // U+00A0 (C2 A0) and U+2028/U+2029 (E2 80 A8/A9) are the wide spaces HTML and rich text
    // bring; the rest is ASCII white space.
    const auto next = [](const std::string &s, std::size_t &i, bool &space) -> int {
        space = false;
        while (i < s.size()) {
            const unsigned char c = static_cast<unsigned char>(s[i]);
            std::size_t width = 0;
            if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v')
                width = 1;
            else if (c == 0xC2 && i + 1 < s.size() && static_cast<unsigned char>(s[i + 1]) == 0xA0)
                width = 2;
            else if (c == 0xE2 && i + 2 < s.size() &&
                     static_cast<unsigned char>(s[i + 1]) == 0x80 &&
                     (static_cast<unsigned char>(s[i + 2]) == 0xA8 ||
                      static_cast<unsigned char>(s[i + 2]) == 0xA9))
                width = 3;
            if (width == 0)
                return s[i++];
            space = true;
            i += width;
        }
        return -1;
    };
    std::size_t i = 0, j = 0;
    bool first = true;
    for (;;) {
        bool spaceA = false, spaceB = false;
        const int ca = next(a, i, spaceA), cb = next(b, j, spaceB);
        if (ca != cb)
            return false;
        if (ca < 0)
            return true;
        if (!first && spaceA != spaceB)
            return false;
        first = false;
    }
}

PageText readDetailsPage(const TNimbusNode &node, const PageAccess &access, StoreLog &log)
{
    return readDetailsPage(node.uni, node.type, access, log);
}

PageText readDetailsPage(const std::string &uni, int kind, const PageAccess &access, StoreLog &log)
{
    PageText page;
    if (!access.travels() || !fileio::isSafeFileName(uni))
        return page;
    // A copy of the page list of its own: the node's loaded content stays as it is.
    TContent content;
    content.name = uni;
    content.kind = kind;
    content.file = access.folders->packs + uni + ".pkt";
    content::ReadContent(content, log);
    THyperData *details = firstDetailsPage(content);
    if (details == nullptr) {
        page.known = true;
        return page;
    }
    std::string bytes, error;
    switch (content::ReadDetails(*details, *access.folders, bytes, error, log)) {
    case content::DetailsFile::Missing:
        page.known = true;
        return page;
    case content::DetailsFile::Unreadable:
        return page; // neither sent as empty nor replaced
    case content::DetailsFile::Read:
        break;
    }
    if (content::LooksLikeRtf(bytes)) {
        if (access.converter == nullptr)
            return page;
        access.converter->convert(bytes, page.text, page.html);
    } else {
        page.text = std::move(bytes);
    }
    page.known = true;
    return page;
}

PageWrite writeDetailsPage(TNimbusNode &node, const calendar::CalendarTopic &remote,
                           const PageAccess &access, StoreLog &log)
{
    if (!access.travels())
        return PageWrite::Kept;
    const PageText current = readDetailsPage(node, access, log);
    if (!current.known)
        return PageWrite::Kept;
    // Formatting alone is no change: the text decides, as it does for the fingerprint.
    if (comparableText(current.text) == comparableText(remote.detailsText))
        return PageWrite::Unchanged;

    TContent &content =
        node.contentLoaded && node.content ? *node.content : node.LoadContent(*access.folders, log);
    if (content.pages.empty())
        content.AddDefaultPages();
    THyperData *details = firstDetailsPage(content);
    if (details == nullptr)
        details = &content.AddPage(kPageDetails, "Details");
    // The page says what the entry says; what a topic cannot hold (attendees, further alarms)
    // stays on the server and is not copied into the text that goes back there.
    calendar::CalendarTopic page;
    page.detailsText = remote.detailsText;
    page.detailsHtml = remote.detailsHtml;
    calendar::PageWriter plain;
    bool rich = false;
    const std::string bytes = (access.writer ? access.writer : &plain)->render(page, rich);
    if (const StoreResult saved = content::SaveDetails(*details, *access.folders, bytes,
                                                       content::kDetailsVersions, rich, log);
        !saved) {
        log.AddErrorToLog("*** Calendar sync could not write the details page of \"" + node.text +
                              "\": ",
                          saved.errorText);
        return PageWrite::Failed;
    }
    const bool hadText = (node.dam & 1) != 0;
    if (bytes.empty() && hadText) {
        node.dam &= ~1;
        node.dac = node.dac > 0 ? node.dac - 1 : 0;
    } else if (!bytes.empty() && !hadText) {
        node.dam |= 1;
        ++node.dac;
    }
    if (content.modified)
        content::WriteContent(content, log);
    return PageWrite::Written;
}

} // namespace nimbus::caldav
