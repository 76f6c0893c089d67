// Start-up's notices in English and in the user's language.
#include "shell/core/StartupNotices.h"

#include "fileio/DataFolderLock.h"
#include "fileio/UiText.h"

namespace nimbus::startup {

namespace {

constexpr const char *kContext = "nimbus::startup";

// The same text in English and translated, with the same values in both (each a reason in
// the user's language where it has one).
Notice both(const text::Sentence &sentence)
{
    return {sentence.english(), sentence.shown()};
}

constexpr const char *kFolderUnusable = NIMBUS_TEXT_NOOP(
    "nimbus::startup", "The folder %1, where this program finds its running copy, cannot be "
                       "used: %2.");
constexpr const char *kCopyStuck = NIMBUS_TEXT_NOOP(
    "nimbus::startup", "Another program holds %1nimbus_active and does not answer: Nimbus Desk "
                       "does not start beside it.");
constexpr const char *kLockUnusable = NIMBUS_TEXT_NOOP(
    "nimbus::startup", "The lock file %1 cannot be used (%2). Nimbus Desk runs, but nimbus-cli "
                       "refuses to write your topics itself while this is not a plain file: "
                       "remove it, and Nimbus Desk makes a new one at its next start.");

} // namespace

ChannelFolderCheck checkChannelFolder(const std::string &folder, const std::string &usualFolder,
                                      const text::Sentence &usualNotice,
                                      const text::Sentence &problem)
{
    const text::Sentence notice = folder == usualFolder ? usualNotice : text::Sentence();
    if (!folder.empty() && problem.empty())
        return {true, {notice.english(), std::string()}};
    // A folder another account took would look like a running copy: the user hears what is
    // wrong instead of the copy ending without a word.
    if (!notice.empty() && problem.empty())
        return {false, both(notice)};
    return {false, both({kContext, kFolderUnusable, {folder, problem}})};
}

Notice copyStuckNotice(const std::string &folder)
{
    return both({kContext, kCopyStuck, {folder}});
}

LockNotice dataFolderLockNotice(const fileio::DataFolderLock &lock, const std::string &dataFolder,
                                const std::string &channelFolder, bool dataFolderWritable)
{
    if (lock.heldByOther())
        return {{"*** Another Nimbus Desk runs on the data folder " + dataFolder +
                     " with another channel folder than " + channelFolder +
                     "; the later save of either overwrites the other's changes",
                 std::string()},
                false,
                std::string()};
    const std::string lockFile = dataFolder + fileio::DataFolderLock::kFileName;
    LockNotice out{{"*** The data folder's lock file cannot be used: " + lockFile, std::string()},
                   true,
                   lock.problem()};
    if (dataFolderWritable)
        out.notice.shown =
            text::Sentence(kContext, kLockUnusable, {lockFile, lock.reason()}).shown();
    return out;
}

std::string structureProblemsNotice(const std::vector<text::Sentence> &problems)
{
    if (problems.empty())
        return {};
    std::string message =
        text::translate("nimbus::startup",
                        "Some topics could not be read from the structure file:") +
        "\n";
    for (std::size_t i = 0; i < problems.size() && i < 5; ++i)
        message += "\n" + problems[i].shown();
    if (problems.size() > 5)
        message += "\n...";
    message += "\n\n" + text::translate("nimbus::startup", "The main log lists every problem.");
    return message;
}

} // namespace nimbus::startup
