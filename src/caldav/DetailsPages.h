// A topic's details page as it travels with its calendar entry: the page's plain text as
// DESCRIPTION and, for a rich page, its HTML as X-ALT-DESC. Read from the page's file for the
// snapshot, written back (atomically, keeping old versions) when the server's text differs
// from the page's. A page whose text cannot be known here (a rich page without a converter)
// does not travel: it is neither sent nor overwritten.
#pragma once

#include <string>

#include "calendar/CalendarImport.h"
#include "calendar/CalendarTopic.h"
#include "calendar/TopicExport.h"
#include "store/StoreLog.h"
#include "store/TContent.h"

namespace nimbus {
class TNimbusNode;
}

namespace nimbus::caldav {

// How the sync reaches the pages. Without folders, pages do not travel at all: the server's
// DESCRIPTION is left there as it is and never reaches a page.
struct PageAccess {
    const ContentFolders *folders = nullptr;
    calendar::DetailsConverter *converter = nullptr; // rich pages to text and HTML
    calendar::PageWriter *writer = nullptr;          // null: arriving pages are plain text
    bool travels() const { return folders != nullptr; }
};

struct PageText {
    bool known = false; // false: the page is left out of the sync
    std::string text;   // plain text, empty for an empty or missing page
    std::string html;   // only for a rich page
};

// The topic's first details page. Nothing of the node or its loaded content is changed.
PageText readDetailsPage(const TNimbusNode &node, const PageAccess &access, StoreLog &log);
// The same for the topic uni of the section kind `kind` (the node's type), from any thread:
// only the page's files are read.
PageText readDetailsPage(const std::string &uni, int kind, const PageAccess &access, StoreLog &log);

// The text as sent and compared on both sides: line ends as LF, trailing white space
// dropped, so that a server's reformatting of the ends is no change.
std::string comparableText(const std::string &text);

// Whether two texts say the same words: any run of white space counts as one space, and
// none at either end. The text of an entry's HTML (X-ALT-DESC) is compared so with its
// DESCRIPTION, since programs lay the two out differently; where they say different words,
// the HTML is stale (a program changed only DESCRIPTION) and DESCRIPTION is the note.
bool sameWords(const std::string &a, const std::string &b);

enum class PageWrite {
    Unchanged, // the page already says what the server says: not rewritten
    Written,
    Kept,   // the page's text cannot be known here, so it was not replaced
    Failed, // logged
};

// Makes the topic's details page say what the entry says, unless it already does.
PageWrite writeDetailsPage(TNimbusNode &node, const calendar::CalendarTopic &remote,
                           const PageAccess &access, StoreLog &log);

} // namespace nimbus::caldav
