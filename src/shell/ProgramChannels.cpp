// Starting the program's channels.
#include "shell/ProgramChannels.h"

#include <cstdio>

#include "ipc/ChannelFolder.h"
#include "ipc/Channels.h"
#include "ipc/SingleCopyTurn.h"
#include "shell/CliChangeApplier.h"
#include "shell/CommandDispatcher.h"
#include "shell/ShellPrompts.h"
#include "shell/TformMain.h"
#include "shell/core/StartupNotices.h"

namespace nimbus {

ProgramChannels::ProgramChannels(TformMain &window, std::string channelFolder,
                                 ipc::ShutdownFlags &flags, ShellPrompts &prompts,
                                 std::function<void(const std::string &)> log)
    : window_(window), folder_(std::move(channelFolder)), flags_(flags), prompts_(prompts),
      log_(std::move(log))
{
}

ProgramChannels::~ProgramChannels() = default;

bool ProgramChannels::start()
{
    const ipc::ChannelFolderChoice usual = ipc::channelFolderChoiceFromEnvironment();
    const startup::ChannelFolderCheck check = startup::checkChannelFolder(
        folder_, usual.folder, usual.notice, ipc::channelFolderProblem(folder_));
    if (!check.notice.logged.empty())
        std::fprintf(stderr, "%s\n", check.notice.logged.c_str());
    if (!check.usable) {
        prompts_.tellUser(&window_, "Nimbus Desk", check.notice.shown);
        return false;
    }
    notice_ = check.notice.logged;
    pipes_ = std::make_unique<ipc::PipeList>(nullptr, folder_, &flags_);
    // nimbus-cli writing the store while no copy ran is waited for: it lets go in moments.
    const ipc::SingleCopyTurn turn = ipc::takeSingleCopyTurn(
        *pipes_, "nimbus_active", "nimbusslavemode", std::chrono::seconds(20), [this] {
            std::fprintf(stderr, "Waiting for the program that holds %snimbus_active...\n",
                         folder_.c_str());
        });
    if (turn == ipc::SingleCopyTurn::HandOver) {
        ipc::SendToChannel(ipc::PipeLine("nimbusslavemode", true, folder_), nullptr,
                           {"wakeup=now"});
        return false;
    }
    if (turn == ipc::SingleCopyTurn::Stuck) {
        const startup::Notice stuck = startup::copyStuckNotice(folder_);
        std::fprintf(stderr, "%s\n", stuck.logged.c_str());
        prompts_.tellUser(&window_, "Nimbus Desk", stuck.shown);
        return false;
    }
    dispatcher_ = new CommandDispatcher(&window_, flags_, log_, &window_);
    cliChanges_ = std::make_unique<CliChangeApplier>(window_, folder_);
    dispatcher_->setTopicChanger([this](const std::string &word, const std::string &value) {
        // A change that arrives before the topics are loaded, or after they are gone, is
        // answered by the applier as such.
        cliChanges_->apply(word, value);
    });
    commandHandler_ = std::make_unique<ipc::CommandHandler>(*dispatcher_, flags_);
    pipes_->onRefused = [this](const std::string &text) { dispatcher_->refused(text); };
    return !ipc::CreateServerChannel(
        *pipes_, "nimbusslavemode",
        [this](const std::vector<std::string> &batch) { (*commandHandler_)(batch); });
}

} // namespace nimbus
