// The main log: time-stamped lines appended to MainLog.txt and shown in the log view.
#pragma once

#include <functional>
#include <string>

#include "store/Clock.h"

namespace nimbus {

class MainLog {
public:
    using ViewSink = std::function<void(const std::string &line)>;

    MainLog(std::string logFile, const Clock &clock);

    // The user's display order for the time stamp (0 day first, 1 month first, 2 year first).
    void setDateOrder(int order) { dateOrder_ = order; }
    // Where lines are shown besides the file (the window's log view); may be empty.
    void setView(ViewSink view) { view_ = std::move(view); }
    // A failing step can say what went wrong; the next error entry shows it instead of the
    // operating system's last error text.
    void setErrorDetail(std::string detail) { errorDetail_ = std::move(detail); }

    // "dd/mm/yyyy hh:mm:ss  message". False when the file could not be written; the line
    // then goes to standard error.
    bool AddToLog(const std::string &message);
    // The line of AddToLog, then 20 blanks and the error detail on a line of its own.
    bool AddErrorToLog(const std::string &message);

    // The stamped line AddToLog would write for message, without its line end.
    std::string formatLine(const std::string &message) const;
    const std::string &fileName() const { return file_; }

private:
    bool writeLine(const std::string &line);

    std::string file_;
    const Clock &clock_;
    int dateOrder_ = 0;
    ViewSink view_;
    std::string errorDetail_;
};

} // namespace nimbus
