// Program entry of the Nimbus Desk main program.
#include "fileio/LanguageChoice.h"
#include "shell/NimbusApplication.h"
#include "shell/TformMain.h"
#include "shell/UiTranslations.h"
#include "shell/UnixSignalCloser.h"
#include "store/Clock.h"

#include <cstdlib>

int main(int argc, char **argv)
{
    nimbus::NimbusApplication app(argc, argv);
    const nimbus::UiTranslations translations(
        app, nimbus::LanguageChoice(
                 [](const char *name) { return static_cast<const char *>(std::getenv(name)); }));
    // Installed before the window exists, so that a signal during start-up is not lost: it
    // is handled as soon as the event loop runs.
    nimbus::UnixSignalCloser signalCloser;

    nimbus::TformMain window(nimbus::SystemClock::instance());
    if (window.terminated())
        return 0;
    app.reportErrorsTo([&window](const std::string &line) { window.AddToLog(line); }, &window);
    QObject::connect(&signalCloser, &nimbus::UnixSignalCloser::closeRequested, &window,
                     &QWidget::close);
    window.show();
    app.exec();
    return 0;
}
