// Which topics an export takes from the store (one topic with its sub-topics, a whole section,
// or everything) and their pages, ready for the writer.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "calendar/CalendarTopic.h"
#include "store/StoreLog.h"
#include "store/TContent.h"

namespace nimbus {
class TNimbusStructure;
}

namespace nimbus::calendar {

enum class ExportScope {
    TopicWithSubtopics,
    Section,     // every topic of the section that holds the chosen node
    Everything,  // every topic of every section
};

// Turns a rich-text details page into its plain text and HTML; the window has the RTF reader.
class DetailsConverter {
public:
    virtual ~DetailsConverter() = default;
    virtual void convert(const std::string &rtf, std::string &plainText, std::string &html) = 0;
};

struct ExportSource {
    const ContentFolders *folders = nullptr;   // null: topics go without their pages
    DetailsConverter *converter = nullptr;     // null: rich pages go without text
    StoreLog *log = nullptr;
};

// The topics in tree order, each with its UID and its parent's UID (empty at the top of what
// is exported). index is the chosen node's position in the store.
std::vector<CalendarTopic> collectTopics(TNimbusStructure &store, int index, ExportScope scope,
                                         const std::string &installation, const ExportSource &source);

// The same topics handed over one at a time as each is made (for a CalendarStream), so that
// they are never all held at once; pages a node did not hold before are let go again after
// its topic was handed over. Returns how many were handed over.
std::size_t exportTopics(TNimbusStructure &store, int index, ExportScope scope,
                         const std::string &installation, const ExportSource &source,
                         const std::function<void(CalendarTopic &)> &take);

}  // namespace nimbus::calendar
