// The user manual's part of the test run: a first start from the shipped template, the help
// file beside the program and the manual's links, and the screenshots the manual shows.
#include <QApplication>
#include <cctype>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QPushButton>
#include <QTabBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include "shell/PageArea.h"
#include "shell/MainLayout.h"
#include "shell/TreeActions.h"
#include "shell/checklist/ChecklistPage.h"
#include "shell/core/TAppPaths.h"
#include "shell/dialogs/TformProgress.h"
#include "shell/pages/AboutPage.h"
#include "shell/pages/DetailsEditor.h"
#include "shell/pages/DetailsTextEdit.h"
#include "shell/pages/FakePagePrompts.h"
#include "shell/pages/TopicPage.h"
#include "shell/software/SoftwarePanel.h"
#include "shell/summary/SummaryPage.h"
#include "shell/tree/WindowFixture.h"
#include "store/TopicOptions.h"
#include "viewer/DisplayControl.h"
#include "viewer/TformTextDisplay.h"

using namespace nimbus;
using namespace nimbus::test;

namespace {

const DateTime kNow = DateTime::fromCivil(2026, 3, 10, 9, 30, 0);

// Every screenshot the manual shows; the test makes each of them.
const char *const kScreenshots[] = {
    "main-window.png", "first-run.png",  "details-page.png", "checklist.png",  "summary-page.png",
    "network-page.png", "about-page.png", "topic-options.png", "viewer.png",
};

class ManualPrompts : public FakePrompts {
public:
    std::shared_ptr<pages::PagePrompts> pagePrompts() override { return pages; }
    std::shared_ptr<FakePagePrompts> pages = std::make_shared<FakePagePrompts>();
};

// A program folder made of the build's shipped files, and a home with no data folder yet.
struct Installation {
    Installation()
    {
        const std::string prog = dir / "prog";
        std::filesystem::create_directories(prog);
        std::filesystem::copy_file(NIMBUS_PROGRAM_FOLDER "Structure.dat", prog + "/Structure.dat");
        std::filesystem::copy(NIMBUS_PROGRAM_FOLDER "Template", prog + "/Template",
                              std::filesystem::copy_options::recursive);
    }
    std::unique_ptr<TformMain> open()
    {
        auto window = std::make_unique<TformMain>(clock, windowEnvironment(dir, prompts));
        window->resize(1100, 720);
        window->mainLayout()->showSummary(false);
        return window;
    }
    std::string data(const std::string &name) const { return dataFolder(dir) + name; }

    TempFolder dir;
    FixedClock clock{kNow};
    std::shared_ptr<ManualPrompts> prompts = std::make_shared<ManualPrompts>();
};

// The tree of the manual's pictures: a few weeks of someone's work and home.
void writeSampleStore(const std::string &folder, const Clock &clock)
{
    StoreWriter w(folder);
    w.add(0, "Topics").expanded();
    w.add(1, "Work", 1).type(kTopicGeneral).expanded();
    w.add(2, "Quarterly report").status(kStatusInProgress, 60).due(clock, 5).priority(2);
    w.add(2, "Prepare budget review").status(kStatusNotStarted).due(clock, 12).urgent();
    w.add(2, "Team offsite").type(kTopicEvent).status(kStatusNotStarted).due(clock, 20);
    w.add(2, "Client meetings").status(kStatusNotStarted).expanded();
    w.add(3, "Call Hartmann and Co").status(kStatusCompleted, 100);
    w.add(3, "Proposal for Linden Ltd").status(kStatusWaiting).priority(3);
    w.add(3, "Contract renewal").status(kStatusNotStarted).due(clock, -3).priority(1);
    w.add(1, "Home").type(kTopicGeneral).expanded();
    w.add(2, "Renew car insurance").status(kStatusNotStarted).due(clock, 2).priority(1).favourite();
    w.add(2, "Dentist appointment").type(kTopicEvent).status(kStatusNotStarted).due(clock, 0);
    w.add(2, "Garden ideas").type(kTopicIdea);
    w.add(2, "Household budget").type(kTopicFinancial).favourite();
    w.add(1, "Reading list").type(kTopicInformation);
    w.add(1, "Learning Spanish").status(kStatusOnHold, 30);
    w.add(0, "Local network information", kSectionNetwork);
    w.add(0, "Preferences", kSectionPreferences);
    w.add(0, "Product information", kSectionProduct);
    w.add(0, "Contacts", kSectionContacts);
    w.write();
    writeFile(folder + "VersionReg.lst",
              "supplier=Nimbus Desk\r\nproduct=Nimbus Desk\r\napplication=Nimbus Desk\r\n"
              "version=1.17.0\r\nstatus=A\r\ndateinstalled=20260105\r\ndatelastchecked=20260301\r\n"
              "errorcodes=Up to date\r\n");
}

TNimbusNode *findNamed(TformMain &window, const std::string &text)
{
    for (const auto &entry : window.store()->Entries())
        if (entry.node && entry.node->text == text)
            return entry.node;
    return nullptr;
}

bool save(QWidget *widget, const char *name)
{
    QDir().mkpath(NIMBUS_MANUAL_IMAGES);
    return widget->grab().save(QString(NIMBUS_MANUAL_IMAGES) + name);
}

QString readText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

class ManualScreenshotTest : public QObject {
    Q_OBJECT

private slots:
    void firstRunShowsGettingStartedWithItsPages()
    {
        Installation install;
        auto window = install.open();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));

        // The fixed sections, and the topic that teaches the basics under "Topics".
        TNimbusNode *guide = window->store()->Find("STD020");
        QVERIFY(guide);
        QCOMPARE(guide->text, std::string("Getting started"));
        QCOMPARE(guide->lev, 1);
        QCOMPARE(window->store()->Node(window->store()->IndexOf("STD020") - 1)->uni,
                 std::string("STD0001"));
        for (const char *file : {"Packs/STD020.pkt", "Text/STD020-1.txt", "CheckList/STD020-1.~txt",
                                 "CheckList/STD020-2.lst", "CheckList/STD020-2.~lst"})
            QVERIFY2(std::filesystem::exists(install.data(file)), file);

        window->treeController()->selectNode(guide);
        pages::TopicPage *page = window->topicPage();
        QCOMPARE(window->pageArea()->currentPageName(), QStringLiteral("panelToDoNew"));
        QCOMPARE(page->tabsData->count(), 2);
        QCOMPARE(page->tabsData->tabText(0), QStringLiteral("Details"));
        QCOMPARE(page->tabsData->tabText(1), QStringLiteral("Checklist"));
        const QString text = page->details->RichEdit1->toPlainText();
        QVERIFY2(text.startsWith("Welcome to Nimbus Desk"), qPrintable(text));
        QVERIFY(text.contains("Insert new topic"));
        QVERIFY(!page->details->modified());
        QVERIFY(save(window.get(), "first-run.png"));
        QVERIFY(save(window.get(), "details-page.png"));

        page->tabsData->setCurrentIndex(1);
        QCOMPARE(page->panelToDoCheckList->items().size(), std::size_t(6));
        QVERIFY(save(window.get(), "checklist.png"));

        // A topic made now gets a number from the counter, never the template's id.
        window->treeActions()->MVAddItem->trigger();
        TNimbusNode *made = window->treeController()->selectedNode();
        QVERIFY(made && made != guide);
        QVERIFY(!made->uni.empty() && std::isdigit(static_cast<unsigned char>(made->uni[0])));
        window->close();

        // The user's edited page survives the next start: seeding happens once.
        writeFile(install.data("Text/STD020-1.txt"), "my own notes");
        auto again = install.open();
        QCOMPARE(readFile(install.data("Text/STD020-1.txt")), std::string("my own notes"));
        again->close();
    }

    void screenshotsOfEveryPart()
    {
        Installation install;
        writeSampleStore(dataFolder(install.dir), install.clock);
        auto window = install.open();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        TreeController &tree = *window->treeController();

        tree.selectNode(findNamed(*window, "Quarterly report"));
        tree.timerTreeTick();
        QVERIFY(save(window.get(), "main-window.png"));

        window->summaryPage()->buttonSummaryClick();
        QVERIFY(window->mainLayout()->summaryShown());
        QVERIFY(save(window.get(), "summary-page.png"));
        window->mainLayout()->showSummary(false);

        tree.selectNode(window->store()->Find("STD0002"));
        QCOMPARE(window->pageArea()->currentPageName(), QStringLiteral("panelNetwork"));
        QVERIFY(save(window.get(), "network-page.png"));

        tree.selectNode(window->store()->Find("STD0005"));
        QCOMPARE(window->pageArea()->currentPageName(), QStringLiteral("panelAbout"));
        QCOMPARE(window->softwarePanel()->listSoftware->topLevelItemCount(), 1);
        QVERIFY(save(window.get(), "about-page.png"));

        TNimbusNode *report = findNamed(*window, "Quarterly report");
        dialogs::TformProgress dialog(topicOptionsFromNode(*report, window->preferences().date, false),
                             install.clock, window.get());
        dialog.adjustSize();
        QVERIFY(save(&dialog, "topic-options.png"));

        window->buttonMainLog->click();
        viewer::TformTextDisplay *viewer =
            window->displayControl()->find(window->paths().MainLogFile);
        QVERIFY(viewer);
        viewer->resize(760, 420);
        QVERIFY(save(viewer, "viewer.png"));
        window->close();
    }

    void theManualIsTheHelpFileAndItsPicturesExist()
    {
        // The build puts the manual where the help button looks: beside the program.
        TAppPaths paths;
        setProgramFolder(paths, NIMBUS_PROGRAM_FOLDER "nimbus");
        QVERIFY2(QFile::exists(QString::fromStdString(paths.HelpFile)), paths.HelpFile.c_str());
        const QString manual = readText(QStringLiteral(NIMBUS_MANUAL_SOURCE "Nimbus Desk.html"));
        QCOMPARE(readText(QString::fromStdString(paths.HelpFile)), manual);

        // Every picture it shows ships with it, and every screenshot made here is shown.
        QStringList shown;
        const QRegularExpression image(QStringLiteral("<img[^>]*src=\"([^\"]+)\""));
        for (auto match = image.globalMatch(manual); match.hasNext();) {
            const QString source = match.next().captured(1);
            QVERIFY2(source.startsWith("manual-images/"), qPrintable(source));
            QVERIFY2(QFile::exists(NIMBUS_MANUAL_SOURCE + source), qPrintable(source));
            shown << source.mid(14);
        }
        for (const char *name : kScreenshots)
            QVERIFY2(shown.contains(QString::fromLatin1(name)), name);

        // The help button hands the file to the desktop's handler.
        Installation install;
        std::filesystem::copy_file(NIMBUS_PROGRAM_FOLDER "Nimbus Desk.html",
                                   install.dir / "prog/Nimbus Desk.html");
        auto window = install.open();
        window->buttonHelp->click();
        QCOMPARE(install.prompts->pages->opened, std::vector<std::string>{window->paths().HelpFile});
        window->close();
    }
};

QTEST_MAIN(ManualScreenshotTest)
#include "ManualScreenshotTest.moc"
