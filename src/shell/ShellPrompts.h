// The questions and notices the main window puts to the user, behind one small interface:
// the program asks with the real dialogs, tests answer at once.
#pragma once

#include <QString>
#include <memory>
#include <optional>
#include <string>

class QWidget;

namespace nimbus {

class Clock;
class TNimbusStructure;
struct TopicOptions;
struct CalendarImportSummary;
namespace pages {
class PagePrompts;
}

class ShellPrompts {
public:
    virtual ~ShellPrompts() = default;
    // A notice that does not wait for an answer.
    virtual void tellUser(QWidget *parent, const std::string &caption,
                          const std::string &message) = 0;
    // A yes/no question; true when the user agreed.
    virtual bool confirm(QWidget *parent, const std::string &caption,
                         const std::string &question) = 0;
    // The "Topic options" dialog on values; true (values accepted) when OK was pressed.
    virtual bool editTopicOptions(QWidget *parent, TopicOptions &values, const Clock &clock) = 0;
    // The "Select topic type" dialog; the chosen type, or nothing when cancelled.
    virtual std::optional<int> chooseTopicType(QWidget *parent, int preset) = 0;
    // The topic selection dialog over a list; the chosen row counted from 1, or -1.
    virtual int chooseTopic(QWidget *parent, const TNimbusStructure &topics,
                            const QString &title) = 0;
    // The file chooser for calendar files ("*.ics"), starting in folder: a file to write when
    // saving, else one to read. Empty when cancelled.
    virtual std::string chooseCalendarFile(QWidget *parent, bool saving, const std::string &folder)
    {
        (void)parent, (void)saving, (void)folder;
        return {};
    }
    // The import preview; true when the user pressed OK.
    virtual bool confirmCalendarImport(QWidget *parent, const CalendarImportSummary &summary)
    {
        (void)parent, (void)summary;
        return false;
    }
    // A password, typed hidden; nothing when cancelled.
    virtual std::optional<std::string> askPassword(QWidget *parent, const std::string &caption,
                                                   const std::string &question)
    {
        (void)parent, (void)caption, (void)question;
        return std::nullopt;
    }
    // The dialogs of the pages on the right and the desktop's document handler; null: the
    // program's own.
    virtual std::shared_ptr<pages::PagePrompts> pagePrompts() { return nullptr; }
};

// The real dialogs.
std::unique_ptr<ShellPrompts> makeDialogPrompts();

} // namespace nimbus
