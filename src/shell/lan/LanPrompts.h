// The questions LAN sharing puts to the user from the window: the Yes/No questions of the
// connection and of sending (titled with the application title) and the folder chooser. The
// program asks with its dialogs; tests answer at once.
#pragma once

#include <QString>
#include <memory>
#include <string>

#include "sharing/Questions.h"

class QWidget;

namespace nimbus {

class LanPrompts : public Questions {
public:
    // The window the questions belong to and the title they carry.
    virtual void setContext(QWidget *parent, const std::string &caption)
    {
        parent_ = parent;
        caption_ = caption;
    }
    // The folder chooser opened at start with the suggested new sub-folder name; the chosen
    // folder, or empty when cancelled.
    virtual QString chooseFolder(const QString &start, const QString &suggestedName) = 0;

protected:
    QWidget *parent_ = nullptr;
    std::string caption_;
};

// The real dialogs.
std::unique_ptr<LanPrompts> makeLanDialogPrompts();

} // namespace nimbus
