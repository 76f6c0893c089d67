// The questions and dialogs a viewer window puts to the user, behind one small interface so
// that tests can answer them without a modal loop.
#pragma once

#include <QString>
#include <QStringList>

class QPrinter;
class QWidget;

namespace nimbus::viewer {

class FileDisplayOptions;

class ViewerPrompts {
public:
    virtual ~ViewerPrompts() = default;

    // The save dialog "Save this file as"; an empty result means cancelled.
    virtual QString chooseSaveFile(QWidget *parent, const QString &startFolder) = 0;
    // "The file name you have chosen already exists. ..." Yes: true.
    virtual bool confirmOverwrite(QWidget *parent) = 0;
    // "*** Unable to write to the file name you chose".
    virtual void reportWriteError(QWidget *parent) = 0;
    // The version chooser on full paths; the chosen path, or empty when cancelled.
    virtual QString chooseVersion(QWidget *parent, const QStringList &files) = 0;
    // The options dialog on options; true after OK (options then hold the dialog's values).
    virtual bool editOptions(QWidget *parent, FileDisplayOptions &options, int sortColumn,
                             bool ascending) = 0;
    // The printer dialog; true when printing is to go ahead on printer.
    virtual bool setUpPrinter(QWidget *parent, QPrinter &printer) = 0;
};

} // namespace nimbus::viewer
