// The program's channels: the marker channel that says a copy runs, and the served channel
// that takes commands from other processes (a second copy's hand-over, nimbus-cli's changes)
// and carries them to the window through the CommandDispatcher.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "ipc/CommandHandler.h"
#include "ipc/PipeList.h"
#include "ipc/ShutdownFlags.h"

namespace nimbus {

class CliChangeApplier;
class CommandDispatcher;
class ShellPrompts;
class TformMain;

class ProgramChannels {
public:
    // log is called on the user-interface thread, and only once the main log is open.
    ProgramChannels(TformMain &window, std::string channelFolder, ipc::ShutdownFlags &flags,
                    ShellPrompts &prompts, std::function<void(const std::string &)> log);
    ~ProgramChannels();

    // Only one copy runs: a second one hands over to the running copy, and a copy that finds
    // no usable channel folder says why. False when this copy must end, before it has touched
    // any file.
    bool start();
    // Ends the server thread: no command comes in from here on.
    void stop() { pipes_.reset(); }

    CommandDispatcher *dispatcher() const { return dispatcher_; }
    // Why the usual channel folder is not used; empty when it is.
    const std::string &notice() const { return notice_; }

private:
    TformMain &window_;
    std::string folder_;
    ipc::ShutdownFlags &flags_;
    ShellPrompts &prompts_;
    std::function<void(const std::string &)> log_;
    std::string notice_;
    CommandDispatcher *dispatcher_ = nullptr; // a child of the window
    std::unique_ptr<ipc::CommandHandler> commandHandler_;
    std::unique_ptr<CliChangeApplier> cliChanges_; // nimbus-cli's changes, on the UI thread
    // Declared last: its server thread uses the handler and dispatcher above.
    std::unique_ptr<ipc::PipeList> pipes_;
};

} // namespace nimbus
