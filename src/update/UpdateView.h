// What the update check and the software monitor ask of the window: the wait window, the
// software list and a chance to process window messages. Every call has a do-nothing default,
// so that a pass also runs without a window.
#pragma once

#include "fileio/OperationProgress.h"
#include "update/SoftwareList.h"

#include <memory>
#include <string>
#include <vector>

namespace nimbus::update {

class UpdateView {
public:
    virtual ~UpdateView() = default;
    // A small stay-on-top window centred on the main window, titled with the product title,
    // with one centred, bold, word-wrapped label.
    virtual void showWaitWindow(const std::string & /*text*/) {}
    // Sets the label, processes messages, waits milliseconds, then closes the wait window.
    virtual void finishWaitWindow(const std::string & /*text*/, int /*milliseconds*/) {}
    virtual void processMessages() {}
    // A progress display for a long download, titled title, open until the object goes.
    virtual std::unique_ptr<fileio::OperationProgress> startProgress(const std::string & /*title*/)
    {
        return std::make_unique<fileio::IgnoredProgress>();
    }
    // Empties the software list and fills it with rows.
    virtual void showSoftwareList(const std::vector<SoftwareRow> & /*rows*/) {}
    // True once the application has begun to terminate: every pass then ends at once.
    virtual bool applicationTerminating() const { return false; }
};

} // namespace nimbus::update
