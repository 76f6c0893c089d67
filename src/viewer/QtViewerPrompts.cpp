// Message boxes and dialogs of the viewer window.
#include "viewer/QtViewerPrompts.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

#include "viewer/FileDisplayOptions.h"
#include "viewer/TFormSelectVersion.h"
#include "viewer/TformFileDisplayOptions.h"
#include "widgets/FileDialogStart.h"

namespace nimbus::viewer {

QString QtViewerPrompts::title(const char *suffix) const
{
    return QString::fromLocal8Bit(productTitle_.c_str()) + QLatin1String(suffix);
}

QString QtViewerPrompts::chooseSaveFile(QWidget *parent, const QString &startFolder)
{
    // The overwrite question is the viewer's own, asked once.
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Save this file as"),
                                        access::startInHomeFolder(startFolder),
                                        QString(), nullptr, QFileDialog::DontConfirmOverwrite);
}

bool QtViewerPrompts::confirmOverwrite(QWidget *parent)
{
    return QMessageBox::question(parent, title(" Information"),
                                 QStringLiteral("The file name you have chosen already exists.  "
                                                "Do you wish to overwrite?"),
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

void QtViewerPrompts::reportWriteError(QWidget *parent)
{
    QMessageBox::critical(parent, title(" Problem"),
                          QStringLiteral("*** Unable to write to the file name you chose"));
}

QString QtViewerPrompts::chooseVersion(QWidget *parent, const QStringList &files)
{
    TFormSelectVersion chooser(files, parent);
    chooser.exec();
    return chooser.cancelled() ? QString() : chooser.selectedFile();
}

bool QtViewerPrompts::editOptions(QWidget *parent, FileDisplayOptions &options, int sortColumn,
                                  bool ascending)
{
    TformFileDisplayOptions dialog(options, sortColumn, ascending, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    options = dialog.options();
    return true;
}

bool QtViewerPrompts::setUpPrinter(QWidget *parent, QPrinter &printer)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace nimbus::viewer
