// Start-up and closing sequence of the main window, its timers and the parts it composes.
#include "shell/TformMain.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "recurrence/RecurrenceFile.h"
#include "recurrence/TopicRecurrence.h"
#include "shell/ActivityLogPanel.h"
#include "shell/HistoryButtons.h"
#include "shell/LogLineView.h"
#include "shell/MainLayout.h"
#include "shell/PageArea.h"
#include "shell/ProgramChannels.h"
#include "shell/ShellPrompts.h"
#include "shell/StartupChecks.h"
#include "shell/ToolsPanel.h"
#include "shell/TopicIcons.h"
#include "shell/TopicTreeModel.h"
#include "shell/TreeActions.h"
#include "shell/TreeController.h"
#include "shell/TreeGridLink.h"
#include "shell/TreeHistory.h"
#include "shell/TreeToolbar.h"
#include "shell/caldav/CalendarPreferencesBox.h"
#include "shell/caldav/CalendarSyncController.h"
#include "shell/calendar/CalendarActions.h"
#include "shell/calendar/CalendarFiles.h"
#include "shell/core/DataFolderLayout.h"
#include "shell/core/MainLogStoreLog.h"
#include "shell/lan/LanSharing.h"
#include "shell/pages/AboutPage.h"
#include "shell/pages/FormatIcons.h"
#include "shell/pages/PagePrompts.h"
#include "shell/pages/PreferencesPage.h"
#include "shell/pages/TopicPage.h"
#include "shell/reminders/WindowReminders.h"
#include "shell/search/SearchController.h"
#include "shell/software/SoftwarePanel.h"
#include "shell/software/UpdateController.h"
#include "shell/summary/InfoGrids.h"
#include "shell/summary/SummaryPage.h"
#include "store/SummaryLists.h"
#include "store/TContent.h"
#include "store/TNimbusStructure.h"
#include "update/CryptoLog.h"
#include "viewer/DisplayControl.h"
#include "widgets/KeyboardAccess.h"

namespace nimbus {

TformMain::TformMain(const Clock &clock, Environment environment, QWidget *parent)
    : QMainWindow(parent), clock_(clock), environment_(std::move(environment))
{
    if (!environment_.prompts)
        environment_.prompts = makeDialogPrompts();
    pagePrompts_ = environment_.prompts->pagePrompts();
    if (!pagePrompts_)
        pagePrompts_ = pages::makeDesktopPagePrompts(QStringLiteral("Nimbus Desk"));
    createComponents();
    createTimers();
    // Only one copy runs; a second one hands over to it and ends before touching any file.
    channels_ = std::make_unique<ProgramChannels>(*this, environment_.channelFolder, shutdownFlags_,
                                                  *environment_.prompts,
                                                  [this](const std::string &message) {
                                                      if (log_)
                                                          AddToLog(message);
                                                  });
    if (!channels_->start()) {
        terminated_ = true;
        return;
    }

    // System values, the data folder and the program folder.
    setSystemValues(paths_, environment_.env);
    setDataFolder(paths_, homeFolder(environment_.env));
    setProgramFolder(paths_, environment_.executablePath);
    setWindowTitle(tr("Nimbus Desk Information Assistant"));
    createDataFolders(paths_);

    log_ = std::make_unique<MainLog>(paths_.MainLogFile, clock_);
    if (!channels_->notice().empty())
        AddToLog("*** " + channels_->notice());
    log_->setView([this](const std::string &line) { appendLogLine(reLog, line); });
    storeLog_ = std::make_unique<MainLogStoreLog>(*log_);
    StartupChecks checks(*this);
    checks.checkDataFolder();
    checks.lockDataFolder(dataFolderLock_);
    loadSettings();

    // The topic store, its id lists and the tree that shows it.
    loadTopics();
    checks.checkTopics();
    lists_->LoadRecentLists(*store_);
    createTree();
    // The maker's encryption library, when it is installed.
    cryptoLog_ = std::make_unique<update::CryptoLog>();

    // Files an installation leaves next to the program, then the installation record.
    seedInstallFiles(paths_);
    const bool installerJustRan = checks.reportInstallRecord(loadInstallRecord(paths_));
    // The viewer registry; its message boxes carry the product title just read.
    displayControl_ =
        std::make_unique<viewer::DisplayControl>(paths_.DataFolder, paths_.ProductTitle);

    // The layout the user left, or the designed one recorded for the first close.
    layout_->restore(screenSetup_, screenLoaded_, this);
    highlightCursor_ = pages::icons::highlightCursor();
    createPages();
    // An installer that left its record next to the program has just run: no update check.
    createVersionRegister(installerJustRan);
    // The summary first, when the user wants it at start-up.
    createSummary();
    createSearch();
    createCalendarSync();
    reminders_ = new reminderui::WindowReminders(*this);
    setKeyboardOrder();

    AddToLog(paths_.ProductTitle + " started");
    started_ = true;
}

PageArea *TformMain::pageArea() const
{
    return layout_->pageArea;
}

CommandDispatcher *TformMain::commandDispatcher() const
{
    return channels_ ? channels_->dispatcher() : nullptr;
}

TformMain::~TformMain()
{
    // A window destroyed without being closed still writes back what it holds.
    FormClose();
}

void TformMain::createComponents()
{
    setWindowIcon(icons::application());
    layout_ = new MainLayout(this);
    setCentralWidget(layout_);

    tools_ = new ToolsPanel(layout_->panelTools, this, paths_, *pagePrompts_);
    buttonHelp = tools_->buttonHelp;
    buttonClosel = tools_->buttonClosel;

    logPanel_ = new ActivityLogPanel(layout_->panelFoot, paths_, clock_,
                                     [this] { return displayControl(); });
    buttonMainLog = logPanel_->buttonMainLog;
    reLog = logPanel_->reLog;
    resize(900, 600);
}

void TformMain::createTimers()
{
    auto make = [this](const char *name, int interval, bool running) {
        auto *timer = new QTimer(this);
        timer->setObjectName(name);
        timer->setInterval(interval);
        if (running)
            timer->start();
        return timer;
    };
    timerStart = make("timerStart", 1000, false);
    timerSave = make("timerSave", 60000, false);
    timerCheckInbox = make("timerCheckInbox", 10000, false);
    timerTree = make("timerTree", 20, false);
    timerDeadline = make("timerDeadline", 10000, false);
    timerAddon = make("timerAddon", 5000, true);
    timerVersionReg = make("timerVersionReg", 1000, false);
    timerRichEdit = make("timerRichEdit", 100, false);

    connect(timerStart, &QTimer::timeout, this, &TformMain::timerStartTimer);
    connect(timerSave, &QTimer::timeout, this, &TformMain::timerSaveTimer);
    connect(timerTree, &QTimer::timeout, this, &TformMain::timerTreeTimer);
    connect(timerDeadline, &QTimer::timeout, this, &TformMain::timerDeadlineTimer);
}

void TformMain::loadSettings()
{
    preferences_.SetDataFolder(paths_.DataFolder);
    preferences_.Load();
    log_->setDateOrder(preferences_.date);
    screenSetup_.SetDataFolder(paths_.DataFolder);
    screenLoaded_ = screenSetup_.Load();
}

void TformMain::loadTopics()
{
    store_ = std::make_unique<TNimbusStructure>();
    store_->setLog(storeLog_.get());
    store_->setClock(&clock_);
    lists_ = std::make_unique<SummaryLists>();
    lists_->SetDataFolder(paths_.DataFolder);
    store_->SetPaths(paths_.DataFolder, paths_.ProgramFolder);
    store_->LoadStructure();
    // Rich recurrences before the first schedule pass, so that rolls follow them.
    recurrence_ = std::make_unique<recurrence::RecurrenceFile>(paths_.DataFolder);
    recurrence_->Load(*storeLog_);
    recurrence::attachSeries(*store_, *recurrence_);
}

void TformMain::createTree()
{
    auto *view = new MainTreeView(layout_->panelStruct);
    layout_->structContent()->addWidget(view);
    view->setAccessibleName(layout_->structHeading->text());
    layout_->structHeading->setBuddy(view);
    tree_ = std::make_unique<TreeController>(*store_, *lists_, clock_, *storeLog_, view);
    tree_->setRecurrenceFile(recurrence_.get());
    treeActions_ = new TreeActions(*tree_, this);
    treeToolbar_ = new TreeToolbar(*tree_, clock_, layout_->panelTools);
    tools_->addAtStart(treeToolbar_, 1);
    // The undo history's buttons sit in the tree's heading, at its right end.
    historyButtons_ = new HistoryButtons(treeActions_->MVUndo, treeActions_->MVRedo,
                                         treeActions_->MVUndoHistory, layout_->structHeading);
    layout_->setHeadingButtons(historyButtons_);
    // A removal puts the topics' pages aside: the shown page is written first.
    connect(tree_->history(), &TreeHistory::aboutToChangeStructure, this,
            &TformMain::SaveCurrentPage);
    connect(treeActions_, &TreeActions::saveRequested, this, &TformMain::SaveAll);
    connect(treeActions_, &TreeActions::editRequested, this, &TformMain::editTopic);
    connect(treeActions_, &TreeActions::changeTypeRequested, this, &TformMain::changeTopicType);
    connect(tree_.get(), &TreeController::propertiesRequested, this, &TformMain::editTopic);

    // The grids beside the tree, row for row with the tree's rows on screen.
    grids_ = new summarypage::InfoGrids(layout_->panelInfo, layout_->panelDue, this);
    layout_->infoContent()->addWidget(grids_->gridInfo);
    layout_->dueContent()->addWidget(grids_->gridDue);
    new TreeGridLink(*this, *grids_);
    treeActions_->setRemoveConfirmation([this](const TNimbusNode &node, int subTopics) {
        return topicEdits_.confirmRemoval(node, subTopics);
    });
    connect(tree_.get(), &TreeController::selectionChanged, this, &TformMain::treeMainChange);
    // Calendar files: export and import, and the tree's items for them.
    calendarFiles_ = new CalendarFiles(*this, *environment_.prompts);
    calendarActions_ = new CalendarActions(*calendarFiles_, *tree_, treeActions_->popMainView, this);
    calendarFiles_->followTree(*view, *tree_);
    tree_->BuildTree();
}

void TformMain::createPages()
{
    PageArea *pages = layout_->pageArea;
    pages::PagePrompts &prompts = *pagePrompts_;
    pages::TopicPageContext context{ContentFolders::inDataFolder(paths_.DataFolder),
                                    &clock_,
                                    storeLog_.get(),
                                    lists_.get(),
                                    &preferences_,
                                    [this] {
                                        if (store_)
                                            store_->modified = true;
                                    }};
    topicPage_ = new pages::TopicPage(std::move(context), prompts, screenSetup_, highlightCursor_);
    pages->setPage(topicPage_);
    connect(this, &TformMain::saveCurrentPage, this, &TformMain::SaveCurrentPage);
    pages_.connectTopicPage();
    pages->setPage(
        PageArea::placeholder("panelNetwork", tr("Local network information"),
                              tr("Share topics with colleagues through a shared folder.")));
    preferencesPage_ = new pages::PreferencesPage(preferences_, prompts, *storeLog_);
    pages_.connectPreferencesPage();
    pages->setPage(preferencesPage_);
    aboutPage_ = new pages::AboutPage(paths_, clock_, prompts);
    pages->setPage(aboutPage_);
    pages->setPage(PageArea::placeholder("panelContacts", tr("Contacts"), QString()));
    // The LAN details and the network page; the page may connect at once.
    lan_ = new LanSharing(*this, environment_.lanPrompts, environment_.sounds);
    lan_->StartUp(environment_.env);
    treeMainChange(tree_ ? tree_->selectedNode() : nullptr);
}

void TformMain::createVersionRegister(bool installerJustRan)
{
    updates_ = std::make_unique<UpdateController>(
        paths_.DataFolder, preferences_.date,
        UpdateController::realSettings(paths_, environment_.env), clock_, shutdownFlags_,
        UpdateController::realServices(environment_.channelFolder), this);
    updates_->monitor().skipUpdateThisRun = installerJustRan;
    // Replacing the running program closes the window the normal way, which saves the store.
    connect(updates_.get(), &UpdateController::shutDownForUpdate, this, &QWidget::close);
    updates_->start();

    softwarePanel_ = new SoftwarePanel(*updates_, [this] { return displayControl(); });
    if (aboutPage_)
        aboutPage_->setSoftwarePanel(softwarePanel_);
}

void TformMain::createSearch()
{
    search_ = new searchui::SearchController(*this);
    search_->followChanges(*tree_, *lan_);
    // Built or checked on the worker thread; the tree is already there.
    search_->start();
}

void TformMain::createCalendarSync()
{
    caldavui::CalendarSyncController::Hooks hooks;
    hooks.passwords = std::make_shared<caldavui::SecretServicePasswords>();
    hooks.askPassword = [this](const std::string &question) {
        return environment_.prompts->askPassword(this, paths_.ProductTitle, question);
    };
    hooks.confirmRemovals = [this](const std::string &question) {
        return environment_.prompts->confirm(this, paths_.ProductTitle, question);
    };
    calendarSync_ = new caldavui::CalendarSyncController(*this, std::move(hooks));
    // Beside the activity log's title: the sync's status line and its two buttons.
    logPanel_->addBesideTitle(calendarSync_->labelCalendarSync, 1);
    logPanel_->addBesideTitle(calendarSync_->buttonSyncNow);
    logPanel_->addBesideTitle(calendarSync_->buttonCalendarAccount);
    // The account on the preferences page.
    if (preferencesPage_ != nullptr)
        preferencesPage_->addSection(
            new caldavui::CalendarPreferencesBox(*calendarSync_,
                                                 [this](const std::string &id) {
                                                     const TNimbusNode *node =
                                                         store() ? store()->Find(id) : nullptr;
                                                     return node ? node->text : std::string();
                                                 }),
            QStringLiteral("scrollCalendarSync"));
    connect(tree_.get(), &TreeController::nodeChanged, calendarSync_,
            &caldavui::CalendarSyncController::localChange);
    connect(tree_.get(), &TreeController::topicsRemoving, calendarSync_,
            &caldavui::CalendarSyncController::localChange);
}

void TformMain::setKeyboardOrder()
{
    access::orderTabChain(this, {treeToolbar_, summary_ ? summary_->buttonSummary : nullptr,
                                 buttonHelp, buttonClosel, search_ ? search_->editSearch : nullptr,
                                 tree_ ? tree_->treeMain() : nullptr,
                                 layout_->pageArea, buttonMainLog, reLog});
}

void TformMain::createSummary()
{
    summary_ = new summarypage::SummaryPage(*store_, *lists_, layout_);
    layout_->setSummaryPage(summary_);
    summary_->setGroupChooser(
        [this](const TNimbusStructure &topics, const QString &title, QWidget *parent) {
            return environment_.prompts->chooseTopic(parent, topics, title);
        });
    tools_->addBeforeExit(summary_->CreateSummaryButton(layout_->panelTools));
    connect(summary_, &summarypage::SummaryPage::GoToTopic, this, [this](const QByteArray &uni) {
        if (tree_ && store_)
            tree_->goToTopic(store_->Find(uni.toStdString()));
    });
    summary_->showAtStart(preferences_.sum);
}

void TformMain::timerTreeTimer()
{
    if (tree_)
        tree_->timerTreeTick();
}

void TformMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TformMain::keyPressEvent(QKeyEvent *event)
{
    // An Enter that no control took does nothing (no default button closes the window).
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void TformMain::closeEvent(QCloseEvent *event)
{
    if (!closer_.mayClose(event->spontaneous())) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

} // namespace nimbus
