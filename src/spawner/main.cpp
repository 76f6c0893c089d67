// The Spawner's entry: reads the command line, builds the window and runs the start-up.
// It ends with exit status 0 in every case; errors are shown in a message box.
#include <QApplication>
#include <string>
#include <vector>

#include "ProblemReporter.h"
#include "SignalNotifier.h"
#include "SpawnerArguments.h"
#include "TForm1.h"
#include "WindowStatesFactory.h"

int main(int argc, char *argv[])
{
    // Taken before Qt removes the options it recognises: every argument is the Spawner's.
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    QApplication application(argc, argv);
    // The handlers go in first so that no stop signal is lost during start-up.
    spawner::SignalNotifier stopSignals;

    spawner::ProblemReporter reporter;
    spawner::TForm1 form(spawner::SpawnerArguments::parse(arguments),
                         spawner::makeWindowStates(QGuiApplication::platformName().toStdString()),
                         reporter, &stopSignals);
    QObject::connect(&form, &spawner::TForm1::applicationEnded, &application,
                     &QCoreApplication::quit);

    form.start();
    if (!form.applicationEnding())
        application.exec();
    return 0;
}
