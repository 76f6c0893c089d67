// Bringing read topics into the store under a chosen place: a preview of what will be added
// and what updated (matched by UID), then the change itself. Nothing touches the store until
// every new id is in hand, so a failure leaves the store as it was.
#pragma once

#include <string>
#include <vector>

#include "calendar/CalendarLinks.h"
#include "calendar/IcsReader.h"
#include "store/StoreLog.h"
#include "store/TContent.h"

namespace nimbus {
class Clock;
class TNimbusStructure;
}

namespace nimbus::recurrence {
class RecurrenceFile;
}

namespace nimbus::calendar {

struct ImportPreview {
    std::vector<std::string> added;    // titles of the topics that will be new
    std::vector<std::string> updated;  // titles of the topics that will be replaced
};

// Writes a topic's details page from what the calendar said; the window's version writes rich
// text from the HTML.
class PageWriter {
public:
    virtual ~PageWriter() = default;
    // The page's bytes and whether they are rich text.
    virtual std::string render(const CalendarTopic &topic, bool &richText);
};

struct ImportTarget {
    TNimbusStructure *store = nullptr;
    int placeIndex = -1;                // the node new top-level topics go under
    CalendarLinks *links = nullptr;
    const ContentFolders *folders = nullptr;  // null: no pages are written
    PageWriter *pages = nullptr;              // null: plain text pages
    const Clock *clock = nullptr;
    StoreLog *log = nullptr;
    // Where the rich recurrences of imported topics are kept; null: only on the topics.
    recurrence::RecurrenceFile *recurrence = nullptr;
};

struct ImportOutcome {
    bool ok = false;
    std::string error;
    int added = 0;
    int updated = 0;
};

ImportPreview previewImport(const ReadResult &read, const ImportTarget &target);
// Adds and updates the topics, writes their pages, records the UIDs and marks the store
// modified. The caller saves the store.
ImportOutcome applyImport(const ReadResult &read, const ImportTarget &target);

// The readable lines of what a topic could not hold, as they go into its page.
std::string notesText(const CalendarTopic &topic);

}  // namespace nimbus::calendar
