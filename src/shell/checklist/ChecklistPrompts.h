// The questions the checklist page puts to the user and the documents it opens, behind one
// small interface: the program uses the real dialogs and xdg-open, tests answer at once.
#pragma once

#include <QString>
#include <memory>
#include <optional>
#include <string>

class QPrinter;
class QWidget;

namespace nimbus::checklist {

class ChecklistPrompts {
public:
    virtual ~ChecklistPrompts() = default;
    // The page title dialog preset with the current title; the new title, or nothing.
    virtual std::optional<std::string> askPageTitle(QWidget *parent, const std::string &title) = 0;
    // The printer set-up dialog; true when the user chose to print.
    virtual bool setUpPrinter(QWidget *parent, QPrinter &printer) = 0;
    // The save dialog for a rich-text file, proposing a name; empty when cancelled.
    virtual QString chooseRtfFile(QWidget *parent, const QString &proposedName) = 0;
    // Opens a file, folder or address with the desktop's default handler.
    virtual bool openDocument(const std::string &target) = 0;
    // A notice the user acknowledges.
    virtual void tellUser(QWidget *parent, const QString &message) = 0;
};

// The real dialogs.
std::unique_ptr<ChecklistPrompts> makeChecklistDialogPrompts();

} // namespace nimbus::checklist
