// The first sync of many topics to an empty calendar as one conditional PUT of the whole
// calendar, which Radicale takes as the calendar's new contents instead of checking each new
// entry's UID against the whole calendar. Where that does not fit or is refused, the entries
// go one by one.
#pragma once

#include <string>

#include "caldav/ExchangeContext.h"
#include "caldav/ServerListing.h"

namespace nimbus::caldav {

class WholeCalendarUpload {
public:
    WholeCalendarUpload(ExchangeContext &context, const ServerListing &listed)
        : context_(context), client_(context.client), options_(context.options),
          snapshot_(context.snapshot), result_(context.result), listed_(listed)
    {
    }

    enum class Upload { Taken, OneByOne, NoAnswer };

    // The first sync of many topics to a calendar that is empty.
    bool wholeUploadFits() const;
    Upload uploadWholeCalendar();

    // Properties of a calendar that a whole upload leaves as they were: computed by the
    // server, or carried in the upload (name, description) or set again after it.
    static bool keptByWholeUpload(const std::string &name);

private:
    ExchangeContext &context_;
    CalDavClient &client_;
    const SyncOptions &options_;
    const LocalSnapshot &snapshot_;
    ExchangeResult &result_;
    const ServerListing &listed_;

    static std::string icsText(const std::string &value);
};

} // namespace nimbus::caldav
