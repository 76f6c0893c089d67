// The start-up decision between batch use and use by hand.
#include "StartupMode.h"

namespace spawner {

StartupMode startupModeFor(const RunSettings &settings)
{
    if (!settings.hasArguments)
        return StartupMode::ShowMinimised;
    if (settings.interactive)
        return StartupMode::ShowNormal;
    if (!settings.error.empty())
        return StartupMode::ShowOffScreen;
    if (!settings.command.empty() || settings.delaySeconds > 0)
        return StartupMode::Batch;
    // Arguments such as a lone W=Y leave nothing to do. A hidden window that waits to be closed
    // would keep a batch file waiting with nothing on screen to close, so the Spawner ends.
    return StartupMode::EndAtOnce;
}

} // namespace spawner
