// Where a file dialog opens: a bare proposed name (or nothing) starts in the user's home
// folder, never in the folder the program happened to be started from.
#pragma once

#include <QString>

namespace nimbus::access {

// proposed as given when it names a folder; otherwise the home folder joined with it.
QString startInHomeFolder(const QString &proposed);

} // namespace nimbus::access
