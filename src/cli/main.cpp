// nimbus-cli: the topics of Nimbus Desk from a terminal, scripts and status bars.
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "cli/CliTexts.h"
#include "cli/CommandTable.h"
#include "cli/LargePages.h"
#include "cli/TopicSnapshot.h"
#include "fileio/LanguageChoice.h"
#include "ipc/ChannelFolder.h"
#include "store/Clock.h"

int main(int argc, char **argv)
{
    // Before anything is kept: the heap a command fills is the one marked for large pages.
    nimbus::cli::useLargePages();
    std::ios::sync_with_stdio(false);
    // Messages in the desktop's language, chosen as gettext programs choose it.
    nimbus::cli::useLanguageOf(
        nimbus::LanguageChoice([](const char *name) { return std::getenv(name); }));
    const std::vector<std::string> words(argv + 1, argv + argc);
    nimbus::cli::CliContext context{nimbus::cli::dataFolderFromEnvironment(),
                                    nimbus::ipc::channelFolderFromEnvironment(),
                                    nimbus::SystemClock::instance(), std::cout, {}};
    const int status = nimbus::cli::CommandTable().run(words, context, std::cerr);
    std::cout.flush();
    std::cerr.flush();
    // Everything is written: the topics a read command left in the context go with the
    // process, at once, instead of node by node.
    std::_Exit(status);
}
