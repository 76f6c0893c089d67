// The starting place of the program's file dialogs.
#include "widgets/FileDialogStart.h"

#include <QDir>
#include <QFileInfo>

namespace nimbus::access {

QString startInHomeFolder(const QString &proposed)
{
    if (proposed.isEmpty())
        return QDir::homePath();
    if (QFileInfo(proposed).isAbsolute())
        return proposed;
    return QDir::home().filePath(proposed);
}

} // namespace nimbus::access
