// The main window. Its construction is the program's start-up; closing it writes back what
// the user changed. It owns the program-wide objects (settings, the topic store and its id
// lists, the viewer registry, the channels) and the timers, and composes the parts: the
// layout of panels, the topic tree with its menu and toolbar, and the pages.
//
// Adding a page: give the widget the object name of its page ("panelPreferences", ...) and
// call pageArea()->setPage(widget); selectionChanged(node) says which topic is selected, and
// saveCurrentPage() is the moment to write what the page holds.
#pragma once

#include <QCursor>
#include <QMainWindow>
#include <functional>
#include <memory>
#include <string>

#include "fileio/DataFolderLock.h"
#include "ipc/ChannelFolder.h"
#include "ipc/ShutdownFlags.h"
#include "shell/ClosingSequence.h"
#include "shell/PageController.h"
#include "shell/SaveController.h"
#include "shell/TimerPasses.h"
#include "shell/TopicEditController.h"
#include "shell/core/MainLog.h"
#include "store/Clock.h"
#include "store/TNimbusNode.h" // complete for signals that carry a node
#include "store/TPreferences.h"
#include "store/TScreenSetup.h"
#include "tree/TAppPaths.h"

class QPlainTextEdit;
class QPushButton;
class QToolButton;
class QTimer;

namespace nimbus {

namespace viewer {
class DisplayControl;
}
class CalendarActions;
class CalendarFiles;
class ActivityLogPanel;
class CommandDispatcher;
class EventSoundPlayer;
class LanPrompts;
class LanSharing;
class MainLayout;
class MainTreeView;
class SoftwarePanel;
class UpdateController;
namespace recurrence {
class RecurrenceFile;
}
namespace update {
class CryptoLog;
}
class PageArea;
class ProgramChannels;
class StoreLog;
class TNimbusNode;
class TNimbusStructure;
class TreeActions;
class TreeController;
class TreeToolbar;
class ToolsPanel;
class HistoryButtons;
class SummaryLists;
class ShellPrompts;
namespace summarypage {
class InfoGrids;
class SummaryPage;
} // namespace summarypage
namespace searchui {
class SearchController;
}
namespace caldavui {
class CalendarSyncController;
}
namespace reminderui {
class WindowReminders;
}
namespace pages {
class AboutPage;
class PagePrompts;
class PreferencesPage;
class TopicPage;
} // namespace pages

class TformMain : public QMainWindow {
    Q_OBJECT
public:
    // Where start-up looks for the world outside the program; tests give their own.
    struct Environment {
        EnvironmentReader env = readProcessEnvironment;
        std::string executablePath = currentExecutablePath();
        // The folder of the channels between copies of the program and other processes; empty
        // when no usable one was found (start-up then says why).
        std::string channelFolder = ipc::channelFolderFromEnvironment();
        // How the window asks the user and tells them things; empty: the program's dialogs.
        std::shared_ptr<ShellPrompts> prompts;
        // LAN sharing's questions and the event sound player; empty: the program's own.
        std::shared_ptr<LanPrompts> lanPrompts = nullptr;
        std::shared_ptr<EventSoundPlayer> sounds = nullptr;
    };

    TformMain(const Clock &clock, Environment environment, QWidget *parent = nullptr);
    explicit TformMain(const Clock &clock) : TformMain(clock, Environment{}) {}
    ~TformMain() override;

    // Set when start-up decided that this copy must end at once.
    bool terminated() const { return terminated_; }
    bool closing() const { return closing_; }
    bool started() const { return started_; }

    const TAppPaths &paths() const { return paths_; }
    MainLog &mainLog() { return *log_; }
    StoreLog &storeLog() { return *storeLog_; }
    const Clock &clock() const { return clock_; }
    // The registry of open viewer windows; none once the window has closed.
    viewer::DisplayControl *displayControl() const { return displayControl_.get(); }
    // Set once when the program closes (or closes for an update); the channel thread reads them.
    ipc::ShutdownFlags &shutdownFlags() { return shutdownFlags_; }
    CommandDispatcher *commandDispatcher() const;
    // Where start-up looked for the world outside, and how the window asks the user.
    const Environment &environment() const { return environment_; }

    // The settings records and the topic store with its id lists; the store and the tree are
    // gone once the window has closed.
    TPreferences &preferences() { return preferences_; }
    TScreenSetup &screenSetup() { return screenSetup_; }
    TNimbusStructure *store() const { return store_.get(); }
    SummaryLists *summaryLists() const { return lists_.get(); }

    // The parts of the window.
    MainLayout *mainLayout() const { return layout_; }
    PageArea *pageArea() const;
    TreeController *treeController() const { return tree_.get(); }
    TreeActions *treeActions() const { return treeActions_; }
    TreeToolbar *treeToolbar() const { return treeToolbar_; }
    HistoryButtons *historyButtons() const { return historyButtons_; }
    // Calendar files: export, import and the tree's items for them.
    CalendarFiles *calendarFiles() const { return calendarFiles_; }
    CalendarActions *calendarActions() const { return calendarActions_; }
    summarypage::SummaryPage *summaryPage() const { return summary_; }
    summarypage::InfoGrids *infoGrids() const { return grids_; }
    // The version register with the software monitor, and its panel on the about page.
    UpdateController *updateController() const { return updates_.get(); }
    SoftwarePanel *softwarePanel() const { return softwarePanel_; }
    update::CryptoLog *cryptoLog() const { return cryptoLog_.get(); }
    pages::TopicPage *topicPage() const { return topicPage_; }
    pages::PreferencesPage *preferencesPage() const { return preferencesPage_; }
    pages::AboutPage *aboutPage() const { return aboutPage_; }
    // LAN sharing with the network page, and the add-on packs.
    LanSharing *lanSharing() const { return lan_; }
    // The search field, its results page and the index worker.
    searchui::SearchController *searchController() const { return search_; }
    // Calendar sync with a CalDAV server: the worker, the status line and "Sync now".
    caldavui::CalendarSyncController *calendarSync() const { return calendarSync_; }
    // Reminders: notifications, snooze, their files, the tray entry.
    reminderui::WindowReminders *reminders() const { return reminders_; }
    // The rich recurrences of the topics ("Recurrence.dat"), attached to them at start-up.
    recurrence::RecurrenceFile *recurrenceFile() const { return recurrence_.get(); }
    // The details editor's highlighting cursor (screen cursor 20).
    const QCursor &highlightCursor() const { return highlightCursor_; }

    void AddToLog(const std::string &message) { log_->AddToLog(message); }
    void AddErrorToLog(const std::string &message) { log_->AddErrorToLog(message); }
    // Writes the store when it is modified; a failure is logged.
    void SaveStore() { saving_.SaveStore(); }
    // "Save": the tree into the store and the store to disk when modified, then the page.
    void SaveAll() { saving_.SaveAll(); }
    // Writes what the shown page holds (the topic page's current page, the preferences).
    void SaveCurrentPage() { saving_.SaveCurrentPage(); }
    // "Edit details": the topic options dialog for the node, and its values applied.
    void editTopic(TNimbusNode *node) { topicEdits_.editTopic(node); }
    // "Change topic type ...": the type chooser for the node.
    void changeTopicType(TNimbusNode *node) { topicEdits_.changeTopicType(node); }

    // Components other parts of the window reach.
    QPlainTextEdit *reLog = nullptr;
    QPushButton *buttonClosel = nullptr;
    QPushButton *buttonMainLog = nullptr;
    QToolButton *buttonHelp = nullptr;
    QTimer *timerStart = nullptr;
    QTimer *timerSave = nullptr;
    QTimer *timerCheckInbox = nullptr;
    QTimer *timerTree = nullptr;
    QTimer *timerDeadline = nullptr;
    QTimer *timerAddon = nullptr;
    QTimer *timerVersionReg = nullptr;
    QTimer *timerRichEdit = nullptr;

signals:
    // The tree's selection moved to another node (null: none).
    void selectionChanged(TNimbusNode *node);
    // The shown page must write what it holds (save action, timerSave, closing).
    void saveCurrentPage();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // Closing takes the program-wide objects down in its own order.
    friend class ClosingSequence;

    void createComponents();
    void createTimers();
    void loadSettings();
    void loadTopics();
    void createTree();
    void createPages();
    void createSummary();
    void createSearch();
    void createCalendarSync();
    void createVersionRegister(bool installerJustRan);
    // Tab follows the window from top to bottom, whatever order its parts were made in.
    void setKeyboardOrder();
    void timerDeadlineTimer() { timerPasses_.deadlinePass(); }
    void FormShow() { timerPasses_.windowShown(); }
    void FormClose() { closer_.run(); }
    void timerStartTimer() { timerPasses_.startStep(); }
    void timerSaveTimer() { saving_.timerSaveTimer(); }
    void timerTreeTimer();
    void treeMainChange(TNimbusNode *node) { pages_.selectionMoved(node); }

    const Clock &clock_;
    Environment environment_;
    TAppPaths paths_;
    std::unique_ptr<MainLog> log_;
    std::unique_ptr<StoreLog> storeLog_;
    TPreferences preferences_;
    TScreenSetup screenSetup_;
    bool screenLoaded_ = false;
    std::unique_ptr<viewer::DisplayControl> displayControl_;
    // The store outlives the lists that point into it and the tree that shows it.
    std::unique_ptr<TNimbusStructure> store_;
    std::unique_ptr<recurrence::RecurrenceFile> recurrence_;
    std::unique_ptr<SummaryLists> lists_;
    std::unique_ptr<TreeController> tree_;
    MainLayout *layout_ = nullptr;
    ActivityLogPanel *logPanel_ = nullptr;
    ToolsPanel *tools_ = nullptr;
    TreeActions *treeActions_ = nullptr;
    TreeToolbar *treeToolbar_ = nullptr;
    HistoryButtons *historyButtons_ = nullptr;
    CalendarFiles *calendarFiles_ = nullptr;
    CalendarActions *calendarActions_ = nullptr;
    summarypage::SummaryPage *summary_ = nullptr;
    summarypage::InfoGrids *grids_ = nullptr;
    pages::TopicPage *topicPage_ = nullptr;
    pages::PreferencesPage *preferencesPage_ = nullptr;
    pages::AboutPage *aboutPage_ = nullptr;
    LanSharing *lan_ = nullptr;
    searchui::SearchController *search_ = nullptr;
    caldavui::CalendarSyncController *calendarSync_ = nullptr;
    reminderui::WindowReminders *reminders_ = nullptr;
    QCursor highlightCursor_;
    ipc::ShutdownFlags shutdownFlags_;
    std::unique_ptr<update::CryptoLog> cryptoLog_;
    // Lives until the window is destroyed: a pass may still be on the stack while it closes.
    std::unique_ptr<UpdateController> updates_;
    SoftwarePanel *softwarePanel_ = nullptr;
    fileio::DataFolderLock dataFolderLock_;
    bool terminated_ = false;
    bool started_ = false;
    bool closing_ = false;
    // The pages' dialogs and the desktop's document handler.
    std::shared_ptr<pages::PagePrompts> pagePrompts_;
    // The behaviour the window's handlers hand on to.
    TopicEditController topicEdits_{*this};
    PageController pages_{*this};
    SaveController saving_{*this};
    TimerPasses timerPasses_{*this};
    ClosingSequence closer_{*this};
    // Declared last: its server thread ends first, and it carries commands to everything above.
    std::unique_ptr<ProgramChannels> channels_;
};

} // namespace nimbus
