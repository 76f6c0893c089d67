// The checklist page's questions asked with the program's dialogs.
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

#include "ipc/RunProcess.h"
#include "shell/checklist/ChecklistPrompts.h"
#include "shell/dialogs/TformTitle.h"
#include "widgets/FileDialogStart.h"

namespace nimbus::checklist {

namespace {

class ChecklistDialogPrompts : public ChecklistPrompts {
public:
    std::optional<std::string> askPageTitle(QWidget *parent, const std::string &title) override
    {
        dialogs::TformTitle dialog(title, parent);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.title();
    }

    bool setUpPrinter(QWidget *parent, QPrinter &printer) override
    {
        QPrintDialog dialog(&printer, parent);
        return dialog.exec() == QDialog::Accepted;
    }

    QString chooseRtfFile(QWidget *parent, const QString &proposedName) override
    {
        return QFileDialog::getSaveFileName(parent, QString(),
                                            access::startInHomeFolder(proposedName),
                                            QObject::tr("MS Word file (*.rtf)"));
    }

    bool openDocument(const std::string &target) override { return ipc::OpenDocument(target); }

    void tellUser(QWidget *parent, const QString &message) override
    {
        QMessageBox::warning(parent, QApplication::applicationDisplayName(), message);
    }
};

} // namespace

std::unique_ptr<ChecklistPrompts> makeChecklistDialogPrompts()
{
    return std::make_unique<ChecklistDialogPrompts>();
}

} // namespace nimbus::checklist
