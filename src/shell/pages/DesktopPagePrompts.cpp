// The pages' questions asked with the program's dialogs; documents opened with xdg-open.
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

#include "ipc/RunProcess.h"
#include "shell/dialogs/TformHilite.h"
#include "shell/dialogs/TformTitle.h"
#include "shell/pages/PagePrompts.h"
#include "widgets/FileDialogStart.h"

namespace nimbus::pages {

namespace {

class DesktopPagePrompts : public PagePrompts {
public:
    explicit DesktopPagePrompts(const QString &caption) : caption_(caption) {}

    bool chooseFont(QWidget *parent, FontChoice &choice) override
    {
        bool ok = false;
        const QFont font = QFontDialog::getFont(&ok, choice.font, parent, QObject::tr("Font"));
        if (ok)
            choice.font = font;
        return ok;
    }

    HiliteChoice chooseHighlight(QWidget *parent, const QTextDocumentFragment &preview,
                                 int textColour, int backColour) override
    {
        dialogs::TformHilite dialog(preview, textColour, backColour, parent);
        const bool ok = dialog.exec() == QDialog::Accepted;
        return {ok, dialog.chosenText(), dialog.chosenBack()};
    }

    bool setupPrinter(QWidget *parent, QPrinter &printer) override
    {
        QPrintDialog dialog(&printer, parent);
        return dialog.exec() == QDialog::Accepted;
    }

    QString wordFileName(QWidget *parent, const QString &proposed) override
    {
        return QFileDialog::getSaveFileName(parent, QObject::tr("Save as a Word document"),
                                            access::startInHomeFolder(proposed),
                                            QObject::tr("MS Word file (*.rtf)"));
    }

    std::optional<std::string> pageTitle(QWidget *parent, const std::string &title) override
    {
        dialogs::TformTitle dialog(title, parent);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.title();
    }

    bool openDocument(const std::string &target) override { return ipc::OpenDocument(target); }

    void tellUser(QWidget *parent, const QString &message) override
    {
        QMessageBox::warning(parent, caption_, message);
    }

private:
    QString caption_;
};

} // namespace

std::unique_ptr<PagePrompts> makeDesktopPagePrompts(const QString &caption)
{
    return std::make_unique<DesktopPagePrompts>(caption);
}

} // namespace nimbus::pages
