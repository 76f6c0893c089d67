// The checklist page asks its questions through the pages' prompts, so that the window has
// one place where its dialogs are chosen (and tests answer them).
#pragma once

#include "shell/checklist/ChecklistPrompts.h"
#include "shell/pages/PagePrompts.h"

namespace nimbus::pages {

class ChecklistPromptsBridge : public checklist::ChecklistPrompts {
public:
    explicit ChecklistPromptsBridge(PagePrompts &prompts) : prompts_(prompts) {}

    std::optional<std::string> askPageTitle(QWidget *parent, const std::string &title) override
    {
        return prompts_.pageTitle(parent, title);
    }
    bool setUpPrinter(QWidget *parent, QPrinter &printer) override
    {
        return prompts_.setupPrinter(parent, printer);
    }
    QString chooseRtfFile(QWidget *parent, const QString &proposedName) override
    {
        return prompts_.wordFileName(parent, proposedName);
    }
    bool openDocument(const std::string &target) override { return prompts_.openDocument(target); }
    void tellUser(QWidget *parent, const QString &message) override
    {
        prompts_.tellUser(parent, message);
    }

private:
    PagePrompts &prompts_;
};

} // namespace nimbus::pages
