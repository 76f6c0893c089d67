// Start-up and closing sequence of the main window, its timers and the parts it composes.
#include "shell/TformMain.h"

#include <cstdio>

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "fileio/FolderOps.h"
#include "history/StepNames.h"
#include "ipc/Channels.h"
#include "ipc/SingleCopyTurn.h"
#include "recurrence/RecurrenceFile.h"
#include "recurrence/SkipOccurrence.h"
#include "recurrence/TopicRecurrence.h"
#include "recurrence/TopicRuleOptions.h"
#include "shell/ChecklistSteps.h"
#include "shell/CliChangeApplier.h"
#include "shell/CommandDispatcher.h"
#include "shell/DetailsPageSteps.h"
#include "shell/HistoryButtons.h"
#include "shell/LogLineView.h"
#include "shell/MainLayout.h"
#include "shell/PageArea.h"
#include "shell/ShellPrompts.h"
#include "shell/TopicIcons.h"
#include "shell/TopicTreeModel.h"
#include "shell/TreeActions.h"
#include "shell/TreeController.h"
#include "shell/TreeHistory.h"
#include "shell/TreeToolbar.h"
#include "shell/caldav/CalendarPreferencesBox.h"
#include "shell/caldav/CalendarSyncController.h"
#include "shell/calendar/CalendarActions.h"
#include "shell/calendar/CalendarFiles.h"
#include "shell/core/DataFolderLayout.h"
#include "shell/core/DataUpgrade.h"
#include "shell/core/MainLogStoreLog.h"
#include "shell/dialogs/OperationProgressDialog.h"
#include "shell/lan/LanSharing.h"
#include "shell/pages/AboutPage.h"
#include "shell/pages/DetailsEditor.h"
#include "shell/pages/FormatIcons.h"
#include "shell/pages/PagePrompts.h"
#include "shell/pages/PreferencesPage.h"
#include "shell/pages/ThemeText.h"
#include "shell/pages/TopicPage.h"
#include "shell/reminders/WindowReminders.h"
#include "shell/search/SearchController.h"
#include "shell/software/SoftwarePanel.h"
#include "shell/software/UpdateController.h"
#include "shell/summary/InfoGrids.h"
#include "shell/summary/SummaryPage.h"
#include "shell/summary/TopicGrid.h"
#include "store/DateFormat.h"
#include "store/SummaryLists.h"
#include "store/TContent.h"
#include "store/TNimbusStructure.h"
#include "store/TopicOptions.h"
#include "store/TopicOptionsMerge.h"
#include "tree/TreeRules.h"
#include "update/CryptoLog.h"
#include "viewer/DisplayControl.h"
#include "viewer/TformTextDisplay.h"
#include "widgets/KeyboardAccess.h"

namespace nimbus {

namespace {

// The page a section kind shows on the right-hand side.
QString pageForSection(int kind)
{
    switch (kind) {
    case kSectionTopics:
        return QStringLiteral("panelToDoNew");
    case kSectionNetwork:
        return QStringLiteral("panelNetwork");
    case kSectionPreferences:
        return QStringLiteral("panelPreferences");
    case kSectionProduct:
        return QStringLiteral("panelAbout");
    case kSectionContacts:
        return QStringLiteral("panelContacts");
    default:
        return {};
    }
}

} // namespace

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
    if (!startChannels()) {
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
    if (!channelNotice_.empty())
        AddToLog("*** " + channelNotice_);
    log_->setView([this](const std::string &line) { appendLogLine(reLog, line); });
    storeLog_ = std::make_unique<MainLogStoreLog>(*log_);
    // An unusable data folder is said at once: nothing the program writes can be kept there.
    if (const std::string problem = dataFolderProblem(paths_); !problem.empty()) {
        log_->setErrorDetail(problem);
        AddErrorToLog("*** The data folder cannot be written: " + paths_.DataFolder);
    }
    // nimbus-cli asks this lock too before it writes the store without the program. A copy
    // that is closing has let go of its channels but still writes its last save: the store is
    // read only once that is on disk.
    if (!dataFolderLock_.take(paths_.DataFolder, true, std::chrono::seconds(10), [this] {
            AddToLog("Waiting for the copy of Nimbus Desk that still holds the data folder " +
                     paths_.DataFolder);
        }))
        reportDataFolderLock();
    loadSettings();

    // The topic store, its id lists and the tree that shows it.
    loadTopics();
    createTree();
    // The maker's encryption library, when it is installed.
    cryptoLog_ = std::make_unique<update::CryptoLog>();

    // Files an installation leaves next to the program, then the installation record.
    seedInstallFiles(paths_);
    const InstallRecord record = loadInstallRecord(paths_);
    if (!record.problem.empty())
        AddToLog("*** " + record.problem);
    else if (!record.source.empty() && record.source != paths_.DataFolder + "Install.dat")
        AddToLog("Installation record taken from " + record.source);
    // The viewer registry; its message boxes carry the product title just read.
    displayControl_ =
        std::make_unique<viewer::DisplayControl>(paths_.DataFolder, paths_.ProductTitle);

    // The layout the user left, or the designed one recorded for the first close.
    layout_->restore(screenSetup_, screenLoaded_, this);
    highlightCursor_ = pages::icons::highlightCursor();
    createPages();
    // An installer that left its record next to the program has just run: no update check.
    createVersionRegister(record.source == paths_.InstallFolder + "Install.pre");
    // The summary first, when the user wants it at start-up.
    createSummary();
    createSearch();
    createCalendarSync();
    reminders_ = new reminderui::WindowReminders(*this);
    setKeyboardOrder();

    AddToLog(paths_.ProductTitle + " started");
    started_ = true;
}

TformMain::~TformMain()
{
    // A window destroyed without being closed still writes back what it holds.
    FormClose();
}

void TformMain::reportDataFolderLock()
{
    if (dataFolderLock_.heldByOther()) {
        AddToLog("*** Another Nimbus Desk runs on the data folder " + paths_.DataFolder +
                 " with another channel folder than " + environment_.channelFolder +
                 "; the later save of either overwrites the other's changes");
        return;
    }
    // The program runs on without its lock; nimbus-cli then refuses to write beside it.
    const std::string lockFile = paths_.DataFolder + fileio::DataFolderLock::kFileName;
    log_->setErrorDetail(dataFolderLock_.problem());
    AddErrorToLog("*** The data folder's lock file cannot be used: " + lockFile);
    // An unwritable data folder has been reported already; this is only its consequence.
    if (dataFolderProblem(paths_).empty())
        environment_.prompts->tellUser(
            this, "Nimbus Desk",
            "The lock file " + lockFile + " cannot be used (" + dataFolderLock_.problem() +
                "). Nimbus Desk runs, but nimbus-cli refuses to write your topics itself while "
                "this is not a plain file: remove it, and Nimbus Desk makes a new one at its "
                "next start.");
}

// The marker channel says that a copy runs; the served channel takes commands from other
// processes. False when this copy must end.
bool TformMain::startChannels()
{
    // A folder another account took would look like a running copy: say what is wrong
    // instead of ending without a word.
    const std::string &folder = environment_.channelFolder;
    const ipc::ChannelFolderChoice usual = ipc::channelFolderChoiceFromEnvironment();
    std::string notice = folder == usual.folder ? usual.notice : std::string();
    const std::string problem = ipc::channelFolderProblem(folder);
    if (folder.empty() || !problem.empty()) {
        if (notice.empty() || !problem.empty())
            notice = "The folder " + folder +
                     ", where this program finds its running copy, cannot be used: " + problem +
                     ".";
        std::fprintf(stderr, "%s\n", notice.c_str());
        environment_.prompts->tellUser(this, "Nimbus Desk", notice);
        return false;
    }
    if (!notice.empty()) {
        std::fprintf(stderr, "%s\n", notice.c_str());
        channelNotice_ = notice;
    }
    pipes_ = std::make_unique<ipc::PipeList>(nullptr, environment_.channelFolder, &shutdownFlags_);
    // nimbus-cli writing the store while no copy ran is waited for: it lets go in moments.
    const ipc::SingleCopyTurn turn = ipc::takeSingleCopyTurn(
        *pipes_, "nimbus_active", "nimbusslavemode", std::chrono::seconds(20), [&folder] {
            std::fprintf(stderr, "Waiting for the program that holds %snimbus_active...\n",
                         folder.c_str());
        });
    if (turn == ipc::SingleCopyTurn::HandOver) {
        ipc::SendToChannel(ipc::PipeLine("nimbusslavemode", true, environment_.channelFolder),
                           nullptr, {"wakeup=now"});
        return false;
    }
    if (turn == ipc::SingleCopyTurn::Stuck) {
        const std::string stuck = "Another program holds " + folder +
                                  "nimbus_active and does not answer: Nimbus Desk does not start "
                                  "beside it.";
        std::fprintf(stderr, "%s\n", stuck.c_str());
        environment_.prompts->tellUser(this, "Nimbus Desk", stuck);
        return false;
    }
    dispatcher_ = new CommandDispatcher(
        this, shutdownFlags_,
        [this](const std::string &message) {
            if (log_)
                AddToLog(message);
        },
        this);
    cliChanges_ = std::make_unique<CliChangeApplier>(*this, environment_.channelFolder);
    dispatcher_->setTopicChanger([this](const std::string &word, const std::string &value) {
        // A change that arrives before the topics are loaded, or after they are gone, is
        // answered by the applier as such.
        cliChanges_->apply(word, value);
    });
    commandHandler_ = std::make_unique<ipc::CommandHandler>(*dispatcher_, shutdownFlags_);
    pipes_->onRefused = [this](const std::string &text) { dispatcher_->refused(text); };
    return !ipc::CreateServerChannel(
        *pipes_, "nimbusslavemode",
        [this](const std::vector<std::string> &batch) { (*commandHandler_)(batch); });
}

void TformMain::createComponents()
{
    setWindowIcon(icons::application());
    layout_ = new MainLayout(this);
    setCentralWidget(layout_);

    auto *tools = new QHBoxLayout(layout_->panelTools);
    tools->setContentsMargins(0, 0, 0, 0);
    tools->addStretch();
    buttonHelp = new QToolButton(layout_->panelTools);
    buttonHelp->setObjectName("buttonHelp");
    buttonHelp->setText(QStringLiteral("?"));
    buttonHelp->setToolTip(tr("Help and information"));
    buttonHelp->setAutoRaise(true);
    access::iconButton(buttonHelp);
    tools->addWidget(buttonHelp);
    buttonClosel = new QPushButton(tr("Exit"), layout_->panelTools);
    buttonClosel->setObjectName("buttonClosel");
    buttonClosel->setToolTip(tr("Close the program"));
    tools->addWidget(buttonClosel);

    auto *foot = new QVBoxLayout(layout_->panelFoot);
    foot->setContentsMargins(4, 0, 4, 4);
    foot->setSpacing(2);
    auto *footBar = new QHBoxLayout;
    auto *footTitle = new QLabel(tr("Activity log"), layout_->panelFoot);
    footTitle->setObjectName("labelActivityLog");
    QFont footFont = footTitle->font();
    footFont.setBold(true);
    footTitle->setFont(footFont);
    pages::theme::followPalette(footTitle, pages::theme::TextRole::Caption);
    footBar->addWidget(footTitle);
    footBar->addStretch();
    buttonMainLog = new QPushButton(tr("Log"), layout_->panelFoot);
    buttonMainLog->setObjectName("buttonMainLog");
    buttonMainLog->setToolTip(tr("Show the whole log"));
    footBar->addWidget(buttonMainLog);
    foot->addLayout(footBar);
    reLog = new QPlainTextEdit(layout_->panelFoot);
    reLog->setObjectName("reLog");
    reLog->setReadOnly(true);
    reLog->setMaximumBlockCount(5000);
    reLog->setAccessibleName(footTitle->text());
    foot->addWidget(reLog);
    resize(900, 600);

    connect(buttonClosel, &QPushButton::clicked, this, &TformMain::buttonCloselClick);
    connect(buttonMainLog, &QPushButton::clicked, this, &TformMain::buttonMainLogClick);
    connect(buttonHelp, &QToolButton::clicked, this, &TformMain::buttonHelpClick);
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
    if (!store_->LoadProblems().empty()) {
        // The log has each problem; the user hears of them once, with where to look.
        std::string message = "Some topics could not be read from the structure file:\n";
        for (std::size_t i = 0; i < store_->LoadProblems().size() && i < 5; ++i)
            message += "\n" + store_->LoadProblems()[i];
        if (store_->LoadProblems().size() > 5)
            message += "\n...";
        message += "\n\nThe main log lists every problem.";
        tellUser(message);
    }

    // Older data: count the pages of each topic that hold something.
    if (NeedsDataUpgrade(preferences_.lv, paths_.CurrentDataVersion)) {
        UpgradePageCounts(*store_, ContentFolders::inDataFolder(paths_.DataFolder), *storeLog_);
        preferences_.lv = paths_.CurrentDataVersion;
        if (StoreResult saved = preferences_.Save(); !saved) {
            log_->setErrorDetail(saved.errorText);
            AddErrorToLog("*** A problem occurred while saving the preferences: ");
        }
    }
    lists_->LoadRecentLists(*store_);
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
    static_cast<QHBoxLayout *>(layout_->panelTools->layout())->insertWidget(0, treeToolbar_, 1);
    // The undo history's buttons sit in the tree's heading, at its right end.
    historyButtons_ = new HistoryButtons(treeActions_->MVUndo, treeActions_->MVRedo,
                                         treeActions_->MVUndoHistory, layout_->structHeading);
    auto *headingRow = new QHBoxLayout(layout_->structHeading);
    headingRow->setContentsMargins(0, 0, 2, 0);
    // The panel may still be made as narrow as before; the buttons then cover the heading.
    headingRow->setSizeConstraint(QLayout::SetNoConstraint);
    headingRow->addStretch();
    headingRow->addWidget(historyButtons_);
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
    connect(tree_.get(), &TreeController::visibleRowsChanged, this,
            [this](const std::vector<TreeRow> &rows) {
                const TNimbusNode *selected = tree_->selectedNode();
                // Rows come in the tree's viewport, below the heading and the search field;
                // the grids draw theirs below their own heading: the difference moves them
                // level with the tree's rows.
                const QWidget *viewport = tree_->treeMain()->viewport();
                const int shift = viewport->mapToGlobal(QPoint()).y() -
                                  grids_->gridInfo->mapToGlobal(QPoint()).y() -
                                  summarypage::TopicGrid::kHeaderHeight;
                std::vector<summarypage::GridRow> gridRows;
                gridRows.reserve(rows.size());
                for (const TreeRow &row : rows) {
                    const auto *item = static_cast<const tree::TreeItem *>(row.node->treeItem);
                    gridRows.push_back({row.node, row.rect.top() + shift, row.rect.height(),
                                        row.node == selected, !item || !item->expanded});
                }
                grids_->SyncInfoGrids(gridRows);
            });
    connect(grids_, &summarypage::InfoGrids::RowClicked, this, [this](TNimbusNode *node) {
        if (tree_)
            tree_->selectNode(node);
    });
    connect(grids_, &summarypage::InfoGrids::RowDoubleClicked, this, &TformMain::editTopic);
    connect(grids_, &summarypage::InfoGrids::RowMenuRequested, this,
            [this](TNimbusNode *node, const QPoint &globalPos) {
                if (!tree_ || !node)
                    return;
                tree_->selectNode(node);
                treeActions_->popupForSelection(globalPos);
            });
    treeActions_->setRemoveConfirmation([this](const TNimbusNode &node, int subTopics) {
        const QString title = QString::fromLocal8Bit(node.text.c_str());
        // The removal is one step of the undo history, pages and all: nothing is lost for
        // good, and the question says how to get it back.
        const QString question =
            subTopics > 1 ? tr("Remove the topic \"%1\" and its %2 sub-topics?\n\n\"Undo\" "
                               "(Ctrl+Z) brings it back.")
                                .arg(title, QString::number(subTopics))
            : subTopics == 1
                ? tr("Remove the topic \"%1\" and its 1 sub-topic?\n\n\"Undo\" (Ctrl+Z) brings it "
                     "back.")
                      .arg(title)
                : tr("Remove the topic \"%1\"?\n\n\"Undo\" (Ctrl+Z) brings it back.").arg(title);
        return environment_.prompts->confirm(this, paths_.ProductTitle,
                                             question.toLocal8Bit().toStdString());
    });
    connect(tree_.get(), &TreeController::selectionChanged, this, &TformMain::treeMainChange);
    createCalendarFiles(view);
    tree_->BuildTree();
}

void TformMain::createCalendarFiles(MainTreeView *view)
{
    calendarFiles_ = new CalendarFiles(*this, *environment_.prompts);
    calendarActions_ = new CalendarActions(*calendarFiles_, *tree_, treeActions_->popMainView, this);
    connect(view, &MainTreeView::calendarFilesDropped, this,
            [this](const QStringList &files, tree::TreeItem *target) {
                calendarFiles_->importFiles(files, target ? target->node : tree_->selectedNode());
            });
    tree_->model()->setDragExtras([this](const TNimbusNode *node, QMimeData *data) {
        calendarFiles_->addDragData(node, data);
    });
}

PageArea *TformMain::pageArea() const
{
    return layout_->pageArea;
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
    // The details page normal font of the preferences, at the caret of an empty page too.
    if (!preferences_.font.empty())
        topicPage_->details->setNormalFont(pages::fontFromPreferences(preferences_));
    connect(this, &TformMain::saveCurrentPage, this, &TformMain::SaveCurrentPage);
    connect(tree_.get(), &TreeController::topicsRemoving, topicPage_, &pages::TopicPage::forget);
    // Each change of a checklist is a step of the undo history.
    if (tree_) {
        new ChecklistSteps(*topicPage_->panelToDoCheckList, *tree_, *store_, topicPage_);
        wirePageSteps();
    }
    connect(tree_.get(), &TreeController::nodeChanged, topicPage_, &pages::TopicPage::topicChanged);
    // The page area carries the shown page's name, which a rename has just changed.
    connect(tree_.get(), &TreeController::nodeChanged, pages, &PageArea::nameAfterShownPage);
    connect(topicPage_, &pages::TopicPage::nodeProgressChanged, this, [this](TNimbusNode *node) {
        if (store_)
            store_->modified = true;
        if (tree_)
            tree_->nodeEdited(node);
    });

    pages->setPage(
        PageArea::placeholder("panelNetwork", tr("Local network information"),
                              tr("Share topics with colleagues through a shared folder.")));
    preferencesPage_ = new pages::PreferencesPage(preferences_, prompts, *storeLog_);
    preferencesPage_->fontAtCaret = [this] { return topicPage_->details->fontAtCaret(); };
    connect(preferencesPage_, &pages::PreferencesPage::dateOrderChanged, this,
            [this](int order) {
                log_->setDateOrder(order);
                if (updates_)
                    updates_->reg().dateOrder = order;
            });
    connect(preferencesPage_, &pages::PreferencesPage::normalFontChanged, this,
            [this](const pages::FontChoice &font) { topicPage_->details->setNormalFont(font); });
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
    update::UpdateSettings settings;
    settings.ProgramFolder = paths_.ProgramFolder;
    settings.InstallFolder = paths_.InstallFolder;
    settings.ExeBaseName = paths_.ExeBaseName;
    settings.ProductTitle = paths_.ProductTitle;
    settings.downloadSite =
        update::downloadSiteAddress(environment_.env(update::kDownloadSiteVariable));
    settings.installPause =
        update::installPauseSeconds(environment_.env(update::kInstallPauseVariable));
    updates_ = std::make_unique<UpdateController>(
        paths_.DataFolder, preferences_.date, settings, clock_, shutdownFlags_,
        UpdateController::realServices(environment_.channelFolder), this);
    updates_->monitor().skipUpdateThisRun = installerJustRan;
    // Replacing the running program closes the window the normal way, which saves the store.
    connect(updates_.get(), &UpdateController::shutDownForUpdate, this, &QWidget::close);
    updates_->start();

    softwarePanel_ = new SoftwarePanel(*updates_, [this] { return displayControl(); });
    if (aboutPage_)
        aboutPage_->setSoftwarePanel(softwarePanel_);
}

void TformMain::wirePageSteps()
{
    // Typing in a details page: the run from showing the page to leaving it is one step.
    auto *pageSteps = new DetailsPageSteps(*topicPage_, *tree_, *store_,
                                           ContentFolders::inDataFolder(paths_.DataFolder),
                                           *storeLog_, topicPage_);
    TreeHistory *history = tree_->history();
    // Before going back or forward, and before the tree changes shape (after the page was
    // written for it), the run of edits becomes a step of its own.
    connect(history, &TreeHistory::aboutToReplay, pageSteps, [this, pageSteps] {
        SaveCurrentPage();
        pageSteps->closeRun();
    });
    connect(history, &TreeHistory::aboutToChangeStructure, pageSteps, &DetailsPageSteps::closeRun);
    // A step that rewrites the shown topic's pages: the page lets go of them unsaved and
    // shows them again from the files.
    connect(history, &TreeHistory::pagesReplacing, topicPage_, [this](const std::string &id) {
        if (topicPage_->node() && topicPage_->node()->uni == id) {
            topicPage_->details->setModified(false);
            topicPage_->ShowTopicPage(nullptr);
        }
    });
    connect(history, &TreeHistory::pagesReplaced, topicPage_, [this](const std::string &id) {
        TNimbusNode *selected = tree_ ? tree_->selectedNode() : nullptr;
        if (!topicPage_->node() && selected && selected->uni == id)
            topicPage_->ShowTopicPage(selected);
    });
}

void TformMain::SaveCurrentPage()
{
    if (!topicPage_)
        return;
    TNimbusNode *node = topicPage_->node();
    topicPage_->SaveCurrentPage();
    // The index takes the topic again on its worker; an unchanged topic costs a file check.
    if (search_ && node)
        search_->topicSaved(node->uni);
}

void TformMain::createSearch()
{
    search_ = new searchui::SearchController(*this);
    connect(tree_.get(), &TreeController::nodeChanged, this, [this](TNimbusNode *node) {
        if (node)
            search_->topicSaved(node->uni);
    });
    connect(tree_.get(), &TreeController::topicsRemoving, this,
            [this](const std::vector<TNimbusNode *> &nodes) {
                for (const TNimbusNode *node : nodes)
                    search_->service().TopicRemoved(node->uni);
            });
    connect(lan_, &LanSharing::merged, search_, &searchui::SearchController::refresh);
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
    if (auto *footBar = qobject_cast<QHBoxLayout *>(layout_->panelFoot->layout()->itemAt(0)->layout())) {
        footBar->insertWidget(1, calendarSync_->labelCalendarSync, 1);
        footBar->insertWidget(2, calendarSync_->buttonSyncNow);
        footBar->insertWidget(3, calendarSync_->buttonCalendarAccount);
    }
    // The account on the preferences page, in a scroll area of its own so that the page asks
    // for no more height than before.
    if (preferencesPage_ != nullptr) {
        auto *scroll = new QScrollArea(preferencesPage_);
        scroll->setObjectName(QStringLiteral("scrollCalendarSync"));
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setWidgetResizable(true);
        scroll->setFocusPolicy(Qt::NoFocus);
        // Even the scroll area's own minimum (its scroll bars) would make the window taller; it
        // takes the page's spare height instead.
        scroll->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Ignored);
        auto *box = new caldavui::CalendarPreferencesBox(
            *calendarSync_,
            [this](const std::string &id) {
                const TNimbusNode *node = store() ? store()->Find(id) : nullptr;
                return node ? node->text : std::string();
            },
            scroll);
        scroll->setWidget(box);
        auto *layout = static_cast<QVBoxLayout *>(preferencesPage_->layout());
        layout->insertWidget(layout->count() - 1, scroll, 1); // takes the page's spare height
    }
    connect(tree_.get(), &TreeController::nodeChanged, calendarSync_,
            [this] { calendarSync_->localChange(); });
    connect(tree_.get(), &TreeController::topicsRemoving, calendarSync_,
            [this] { calendarSync_->localChange(); });
}

void TformMain::buttonHelpClick()
{
    // Without a help file the button does nothing, and says nothing.
    if (fileio::fileExists(paths_.HelpFile))
        pagePrompts_->openDocument(paths_.HelpFile);
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
    QToolButton *button = summary_->CreateSummaryButton(layout_->panelTools);
    auto *tools = static_cast<QHBoxLayout *>(layout_->panelTools->layout());
    tools->insertWidget(tools->indexOf(buttonClosel), button);
    connect(summary_, &summarypage::SummaryPage::GoToTopic, this, [this](const QByteArray &uni) {
        if (tree_ && store_)
            tree_->goToTopic(store_->Find(uni.toStdString()));
    });
    // The first run opens on the template's "Getting started" topic, which says what to do
    // first; a page of nine zero counts would say nothing. Later starts follow the preference.
    if (preferences_.sum && !store_->seededFromTemplate)
        summary_->buttonSummaryClick();
    else
        summary_->HideSummary();
}

void TformMain::timerDeadlineTimer()
{
    if (!summary_ || !tree_)
        return;
    // Reminders first: an event that starts now is reminded of before the pass finishes it.
    // The tray waits for the pass's new schedules.
    if (reminders_)
        reminders_->tick(false);
    const DeadlineResult result = summary_->timerDeadlineTimer(clock_);
    tree_->schedulesChanged(result);
    if (reminders_)
        reminders_->refreshTray();
}

void TformMain::editTopic(TNimbusNode *node)
{
    // Sections have no properties, wherever the double-click lands (tree or grid row).
    if (!tree_ || !node || !node->treeItem || node->lev == 0)
        return;
    const auto *item = static_cast<const tree::TreeItem *>(node->treeItem);
    const TopicOptions opened = [&] {
        TopicOptions v = topicOptionsFromNode(*node, preferences_.date, item->hasChildren());
        v.reminderLead = reminders_ ? reminders_->leadOf(node->uni) : 0;
        v.richRule = recurrence::richRuleText(*node);
        return v;
    }();
    TopicOptions edited = opened;
    const std::string uni = node->uni;
    if (!environment_.prompts->editTopicOptions(this, edited, clock_))
        return;
    // While the dialog was open, a sync, a colleague's packet or nimbus-cli may have removed
    // or changed the topic: it is looked up again, and only what was changed here is written.
    node = store_ ? store_->Find(uni) : nullptr;
    if (node == nullptr || node->treeItem == nullptr) {
        tellUser(tr("The topic was removed while its options were open; nothing was changed.")
                     .toStdString());
        return;
    }
    const auto *itemNow = static_cast<const tree::TreeItem *>(node->treeItem);
    TopicOptions now = topicOptionsFromNode(*node, preferences_.date, itemNow->hasChildren());
    now.reminderLead = opened.reminderLead;
    now.richRule = recurrence::richRuleText(*node);
    // A value the user changed that was also changed elsewhere meanwhile: the user chooses.
    bool theirs = false;
    if (const std::vector<std::string> both = clashingGroups(opened, edited, now); !both.empty()) {
        std::string named;
        for (const std::string &group : both)
            named += (named.empty() ? "" : ", ") + group;
        theirs = !environment_.prompts->confirm(
            this, paths_.ProductTitle,
            "While its options were open, \"" + node->text +
                "\" was also changed elsewhere (by calendar sync, a colleague or nimbus-cli) in: " +
                named +
                ".\n\nKeep your changes there? No keeps the other change; your other changes are "
                "kept either way.");
        node = store_ ? store_->Find(uni) : nullptr;
        if (node == nullptr || node->treeItem == nullptr) {
            tellUser(tr("The topic was removed while its options were open; nothing was changed.")
                         .toStdString());
            return;
        }
    }
    const TopicOptions values = mergeTopicOptions(opened, edited, now, theirs);
    tree_->beginEdit(node, history::optionsStepName(node->text));
    if (reminders_)
        reminders_->setLead(node->uni, values.reminderLead);
    // The series goes with the dates: the recurrence file and the node change together, as
    // one step of the history.
    recurrence::SeriesChange series;
    const TopicOptionsApplied done =
        recurrence_
            ? recurrence::applyTopicOptionsWithSeries(values, *node, clock_, *recurrence_, &series)
            : applyTopicOptions(values, *node, clock_);
    if (series.changed)
        tree_->joinEdit(std::make_unique<recurrence::SeriesEdit>(*recurrence_, node->uni,
                                                                 series.before, series.after));
    if (done.applied)
        tree_->nodeEdited(node);
}

void TformMain::changeTopicType(TNimbusNode *node)
{
    if (!tree_ || !node || node->lev == 0)
        return;
    const std::optional<int> chosen = environment_.prompts->chooseTopicType(this, node->ttype);
    if (!chosen || *chosen == node->ttype)
        return;
    tree_->beginEdit(node);
    // An event needs its start and status, as its toolbar button gives it.
    if (*chosen == kTopicEvent)
        tree::ApplyTopicType(*node, kTopicEvent, clock_.now());
    node->ttype = *chosen;
    node->UpdateSortKey();
    tree_->nodeEdited(node);
}

void TformMain::treeMainChange(TNimbusNode *node)
{
    // The page that was shown is written before another topic's page takes its place.
    SaveCurrentPage();
    if (topicPage_ && node != topicPage_->node())
        topicPage_->ShowTopicPage(node && node->type == kSectionTopics ? node : nullptr);
    if (node)
        pageArea()->showPage(pageForSection(node->type));
    pageArea()->nameAfterShownPage();
    emit selectionChanged(node);
}

void TformMain::tellUser(const std::string &message)
{
    environment_.prompts->tellUser(this, paths_.ProductTitle, message);
}

void TformMain::AddToLog(const std::string &message)
{
    log_->AddToLog(message);
}

void TformMain::AddErrorToLog(const std::string &message)
{
    log_->AddErrorToLog(message);
}

void TformMain::SaveStore()
{
    if (recurrence_ && recurrence_->modified)
        recurrence_->Save(*storeLog_); // logs its own failure
    if (!store_ || !store_->modified)
        return;
    if (StoreResult saved = store_->SaveStructure(); !saved) {
        log_->setErrorDetail(saved.errorText);
        AddErrorToLog("*** A problem occurred while saving the structure: ");
    }
}

void TformMain::SaveAll()
{
    // The page first: saving it can change the topic's page counts, which the store holds.
    emit saveCurrentPage();
    if (store_ && store_->modified && tree_) {
        tree_->SyncStoreFromTree();
        SaveStore();
    }
}

void TformMain::timerSaveTimer()
{
    emit saveCurrentPage();
    if (store_ && store_->modified && tree_) {
        tree_->SyncStoreFromTree();
        SaveStore();
    }
    if (search_)
        search_->refresh();
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

void TformMain::FormShow()
{
    if (tree_)
        tree_->applyPendingScroll();
    // The keys go to the tree when the window opens.
    if (tree_ && !focusWidget())
        tree_->treeMain()->setFocus(Qt::ActiveWindowFocusReason);
    if (!closing_ && !startStepDone_ && !timerStart->isActive())
        timerStart->start();
}

// The one-shot start step: the periodic timers run from here on.
void TformMain::timerStartTimer()
{
    startStepDone_ = true;
    for (QTimer *timer : {timerStart, timerSave, timerCheckInbox, timerTree, timerDeadline})
        timer->stop();
    for (QTimer *timer : {timerSave, timerCheckInbox, timerTree, timerDeadline})
        timer->start();
    if (updates_)
        updates_->RunMonitorPass();
    if (calendarSync_)
        calendarSync_->start();
    // What fell due while the program was closed comes at start-up, not ten seconds later.
    if (reminders_)
        reminders_->tick();
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

void TformMain::buttonCloselClick()
{
    close();
}

void TformMain::buttonMainLogClick()
{
    if (!displayControl_ || !fileio::fileExists(paths_.MainLogFile))
        return;
    viewer::TformTextDisplay *viewer = displayControl_->OpenViewer(
        paths_.MainLogFile, "Log file - " + dates::logDateTime(clock_.now()), "text");
    viewer->setVersionsEnabled(true);
    viewer->present();
}

void TformMain::closeEvent(QCloseEvent *event)
{
    // Closed by the desktop (the title bar's button) with the tray preference on: the program
    // keeps running in the tray. "Exit" and requests from other programs still close it.
    if (event->spontaneous() && !closing_ && reminders_ && reminders_->keepsRunningOnClose()) {
        hide();
        reminders_->hiddenToTray();
        event->ignore();
        return;
    }
    // Every long operation under way stops at its next safe point. A send or merge holds the
    // store: the close comes back when it has ended.
    for (auto *progress : findChildren<dialogs::OperationProgressDialog *>())
        progress->requestCancel();
    if (lan_ && lan_->deferClose()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

void TformMain::FormClose()
{
    if (closed_)
        return;
    closed_ = true;
    closing_ = true;
    shutdownFlags_.setApplicationTerminating();
    // Each step runs even when an earlier one failed: nothing the user has is left unsaved
    // because of an unrelated problem.
    auto step = [this](const char *what, auto &&action) {
        try {
            action();
        } catch (const std::exception &e) {
            if (log_)
                log_->AddToLog(std::string("*** Closing: ") + what + ": " + e.what());
        } catch (...) {
            if (log_)
                log_->AddToLog(std::string("*** Closing: ") + what);
        }
    };
    step("timers", [this] {
        for (QTimer *timer : {timerStart, timerSave, timerCheckInbox, timerTree, timerDeadline,
                              timerAddon, timerVersionReg, timerRichEdit})
            timer->stop();
    });
    step("Destroy DisplayControl", [this] { displayControl_.reset(); });
    // The server thread ends here, before anything is saved: no command comes in meanwhile.
    step("channels", [this] { pipes_.reset(); });
    // A copy that ended during start-up has written nothing and writes nothing now.
    if (terminated_ || !log_)
        return;
    step("layout", [this] {
        layout_->record(screenSetup_, this);
        if (StoreResult saved = screenSetup_.Save(); !saved) {
            log_->setErrorDetail(saved.errorText);
            AddErrorToLog("*** A problem occurred while saving the window layout: ");
        }
    });
    // The page before the recent lists: saving it moves its topic to the front of the
    // recent changes, which must reach strchanges.dat.
    step("page", [this] { emit saveCurrentPage(); });
    step("recent lists", [this] {
        if (!lists_ || !store_)
            return;
        if (StoreResult saved = lists_->SaveRecentLists(*store_); !saved) {
            log_->setErrorDetail(saved.errorText);
            AddErrorToLog("*** A problem occurred while saving the recent topic lists: ");
        }
    });
    step("network details", [this] {
        if (lan_)
            lan_->saveDetails();
    });
    step("SyncStoreFromTree", [this] {
        if (tree_ && store_)
            tree_->SyncStoreFromTree();
    });
    step("SaveStore", [this] { SaveStore(); });
    step("reminders", [this] {
        if (reminders_)
            reminders_->close();
    });
    // The tree and the lists point into the store: they go first.
    step("store", [this] {
        if (topicPage_)
            topicPage_->ShowTopicPage(nullptr);
        tree_.reset();
        lists_.reset();
        store_.reset();
    });
    step("log", [this] { AddToLog(paths_.ProductTitle + " closed"); });
}

} // namespace nimbus
