// Sending a change to the running program, or making it under the single-copy lock.
#include "cli/ChangeDelivery.h"

#include <unistd.h>

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

#include "cli/OfflineWriter.h"
#include "fileio/UiText.h"
#include "ipc/Channels.h"

namespace nimbus::cli {

namespace {

constexpr const char *kMarkerChannel = "nimbus_active";
constexpr const char *kServedChannel = "nimbusslavemode";
constexpr std::size_t kLongestLine = 2047; // one packet, its zero byte included

// The answer of the program, handed from the reply channel's thread.
struct AnswerBox {
    std::mutex mutex;
    std::condition_variable arrived;
    std::optional<ChangeAnswer> answer;
};

} // namespace

Outcome ChangeDelivery::deliver(ChangeRequest change, std::string &id)
{
    const auto until = std::chrono::steady_clock::now() + patience_;
    for (;;) {
        ipc::PipeList lock(nullptr, channelFolder_);
        if (!ipc::CreateChannel(lock, kMarkerChannel)) {
            // We hold the lock: no copy of the program runs and no other nimbus-cli writes
            // until it is released when lock goes out of scope.
            return OfflineWriter(dataFolder_, clock_).apply(change, id);
        }
        if (ipc::ChannelExists(ipc::PipeLine(kServedChannel, true, channelFolder_)))
            return sendToProgram(std::move(change), id);
        // Another nimbus-cli holds the lock for its change (or a copy is just starting).
        if (std::chrono::steady_clock::now() > until)
            return Outcome::fail(
                kStoreProblem,
                NIMBUS_TEXT_NOOP("CliMessages", "the topics are busy: another program holds the "
                                                "lock %1 and does not answer on %2"),
                {channelFolder_ + kMarkerChannel, kServedChannel});
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

Outcome ChangeDelivery::sendToProgram(ChangeRequest change, std::string &id)
{
    static int counter = 0;
    auto box = std::make_shared<AnswerBox>();
    ipc::PipeList replies(nullptr, channelFolder_);
    std::string name;
    for (int attempt = 0; attempt < 20; ++attempt) {
        name = "nimbus-cli-" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
        if (!ipc::CreateServerChannel(replies, name, [box](const std::vector<std::string> &batch) {
                for (const std::string &line : batch)
                    if (auto answer = decodeAnswer(line)) {
                        std::lock_guard<std::mutex> hold(box->mutex);
                        box->answer = *answer;
                        box->arrived.notify_all();
                    }
            }))
            break;
        name.clear();
    }
    if (name.empty())
        return Outcome::fail(
            kStoreProblem,
            NIMBUS_TEXT_NOOP("CliMessages",
                             "no channel for the program's answer could be made in %1"),
            {channelFolder_});
    change.reply = name;
    const std::string line = encodeChange(change);
    if (line.size() > kLongestLine)
        return Outcome::fail(
            kUsage,
            NIMBUS_TEXT_NOOP(
                "CliMessages",
                "the change is too long to send to the program (at most 2047 bytes once encoded)"));
    if (!ipc::SendToChannel(ipc::PipeLine(kServedChannel, true, channelFolder_), nullptr, {line}))
        return Outcome::fail(
            kStoreProblem,
            NIMBUS_TEXT_NOOP("CliMessages", "the running Nimbus Desk could not be reached on %1"),
            {channelFolder_ + kServedChannel});
    std::unique_lock<std::mutex> hold(box->mutex);
    if (!box->arrived.wait_for(hold, patience_, [&] { return box->answer.has_value(); }))
        return Outcome::fail(
            kStoreProblem,
            NIMBUS_TEXT_NOOP(
                "CliMessages",
                "the running Nimbus Desk did not answer; it may be a version that does not take "
                "changes from nimbus-cli, and the change may not have been made (it may still be "
                "made: run the same command with --request-id %1 to make it at most once)"),
            {change.request});
    id = box->answer->id;
    if (box->answer->status != kSuccess)
        return Outcome::fail(box->answer->status, box->answer->message);
    return Outcome::ok();
}

} // namespace nimbus::cli
