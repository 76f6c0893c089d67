// LAN sharing's questions asked with message boxes and the folder chooser.
#include <QCoreApplication>
#include <QMessageBox>

#include "shell/lan/LanPrompts.h"
#include "shell/lan/TSelectFolder.h"

namespace nimbus {

namespace {

class LanDialogPrompts : public LanPrompts {
public:
    bool AskYesNo(const std::string &question) override
    {
        return QMessageBox::question(
                   parent_, QString::fromLocal8Bit(caption_.c_str()),
                   QCoreApplication::translate("nimbus::sharing", question.c_str()),
                   QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    }

    QString chooseFolder(const QString &start, const QString &suggestedName) override
    {
        QString result;
        TSelectFolder dialog(result, suggestedName, start, parent_);
        dialog.exec();
        return result;
    }
};

} // namespace

std::unique_ptr<LanPrompts> makeLanDialogPrompts()
{
    return std::make_unique<LanDialogPrompts>();
}

} // namespace nimbus
