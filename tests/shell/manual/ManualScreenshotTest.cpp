// The user manual's part of the test run: a first start from the shipped template, the help
// file beside the program and the manual's links, and the screenshots the manual shows.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QLabel>
#include <QMenu>
#include <QPalette>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTabBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>
#include <cctype>

#include "reminders/ReminderActions.h"
#include "shell/MainLayout.h"
#include "shell/MainTreeView.h"
#include "shell/PageArea.h"
#include "shell/TreeActions.h"
#include "shell/checklist/ChecklistPage.h"
#include "shell/core/TreeLook.h"
#include "shell/dialogs/TformProgress.h"
#include "shell/pages/AboutPage.h"
#include "shell/pages/DetailsEditor.h"
#include "shell/pages/DetailsTextEdit.h"
#include "shell/pages/FakePagePrompts.h"
#include "shell/pages/TopicPage.h"
#include "shell/reminders/ReminderTray.h"
#include "shell/reminders/WindowReminders.h"
#include "shell/software/SoftwarePanel.h"
#include "shell/summary/InfoGrid.h"
#include "shell/summary/InfoGrids.h"
#include "shell/summary/SummaryPage.h"
#include "shell/tree/WindowFixture.h"
#include "store/TopicOptions.h"
#include "tree/TAppPaths.h"
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
    "main-window-dark.png", "summary-page-dark.png",
};

// A dark desktop palette, as dark themes set it.
QPalette darkPalette()
{
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(45, 45, 48));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    dark.setColor(QPalette::Base, QColor(30, 30, 32));
    dark.setColor(QPalette::AlternateBase, QColor(40, 40, 44));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    dark.setColor(QPalette::Button, QColor(50, 50, 54));
    dark.setColor(QPalette::ButtonText, QColor(230, 230, 230));
    dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
    dark.setColor(QPalette::HighlightedText, QColor(255, 255, 255));
    return dark;
}

QRgb rgbOf(look::Rgb c)
{
    return qRgb(c.red, c.green, c.blue);
}

double contrast(QRgb a, QRgb b)
{
    return look::contrastRatio({qRed(a), qGreen(a), qBlue(a)}, {qRed(b), qGreen(b), qBlue(b)});
}

// What a reader sees in an area of a picture: the colour most of it has (the background) and
// the colour that stands out most from it (the cores of the text's strokes).
struct Reading {
    QRgb background = 0;
    QRgb text = 0;
    QPoint where; // a pixel of the text's colour
    double ratio() const { return contrast(text, background); }
};

Reading readArea(const QImage &image, const QRect &area)
{
    QHash<QRgb, int> counts;
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            ++counts[image.pixel(x, y) | 0xff000000];
    Reading reading;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most) {
            most = it.value();
            reading.background = it.key();
        }
    reading.text = reading.background;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (contrast(it.key(), reading.background) > reading.ratio())
            reading.text = it.key();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if ((image.pixel(x, y) | 0xff000000) == reading.text)
                return reading.where = QPoint(x, y), reading;
    return reading;
}

QString describe(const Reading &r)
{
    return QStringLiteral("text #%1 (at %4,%5) on #%2: %3:1")
        .arg(r.text & 0xffffff, 6, 16, QLatin1Char('0'))
        .arg(r.background & 0xffffff, 6, 16, QLatin1Char('0'))
        .arg(r.ratio(), 0, 'f', 2)
        .arg(r.where.x())
        .arg(r.where.y());
}

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
        // The page names the tree menu's items as the menu shows them on a topic.
        window->treeActions()->ConfigureTreeMenu();
        QVERIFY2(text.contains(window->treeActions()->MVAddSubItem->text()),
                 qPrintable(window->treeActions()->MVAddSubItem->text()));
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

    // Captions on their rows, the due grid's text and the summary's labels, read from the
    // pixels of the real window: the documented colours under a light palette, and 4.5:1 or
    // better under a dark one.
    void colourContrastUnderLightAndDarkPalettes_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::newRow("light") << false;
        QTest::newRow("dark") << true;
    }
    void colourContrastUnderLightAndDarkPalettes()
    {
        QFETCH(bool, dark);
        const QPalette original = QApplication::palette();
        if (dark)
            QApplication::setPalette(darkPalette());
        Installation install;
        writeSampleStore(dataFolder(install.dir), install.clock);
        auto window = install.open();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        TreeController &tree = *window->treeController();
        tree.selectNode(findNamed(*window, "Quarterly report"));
        tree.timerTreeTick();
        const look::TreeLook &colours = look::treeLook(dark ? look::Shade::Dark : look::Shade::Light);

        MainTreeView *view = tree.treeMain();
        const QImage rows = view->viewport()->grab().toImage();
        struct Caption {
            const char *text;
            look::Rgb caption;
            look::Rgb background;
        };
        // Bold captions (sections, depth 1 and 2) have strokes whole pixels wide to read; rows
        // alternate from a band on the first.
        const Caption captions[] = {
            {"Topics", colours.sectionCaption, colours.bandBackground},
            {"Work", colours.topicCaption, colours.plainBackground},
            {"Quarterly report", colours.topicCaption, colours.selectedBackground},
            {"Prepare budget review", colours.urgentCaption, colours.plainBackground},
        };
        for (const Caption &caption : captions) {
            const QModelIndexList found =
                view->model()->match(view->model()->index(0, 0), Qt::DisplayRole,
                                     QString::fromLatin1(caption.text), 1,
                                     Qt::MatchExactly | Qt::MatchRecursive);
            QVERIFY2(found.size() == 1, caption.text);
            const QRect row = view->visualRect(found.first());
            // Right of the type icon: the caption alone.
            const Reading reading = readArea(rows, row.adjusted(22, 0, 0, 0));
            const QString seen = QString::fromLatin1(caption.text) + ": " + describe(reading);
            // The row's background is its colour, and the text's strokes are its colour.
            QVERIFY2(reading.background == rgbOf(caption.background), qPrintable(seen));
            QVERIFY2(reading.text == rgbOf(caption.caption), qPrintable(seen));
            if (dark)
                QVERIFY2(reading.ratio() >= 4.5, qPrintable(seen));
        }

        // The due grid's text on the schedule's highlight ("Renew car insurance": 2 days).
        summarypage::InfoGrid *due = window->infoGrids()->gridInfo;
        const QImage cells = due->grab().toImage();
        bool measured = false;
        for (const summarypage::GridRow &row : due->Rows())
            if (row.node && row.node->text == "Renew car insurance") {
                const QRect cell(2, summarypage::TopicGrid::kHeaderHeight + row.top + 2,
                                 due->width() - 4, row.height - 4);
                const Reading reading = readArea(cells, cell);
                const QString seen = QStringLiteral("due cell: ") + describe(reading);
                QVERIFY2(reading.text == rgbOf(colours.dueText), qPrintable(seen));
                if (dark)
                    QVERIFY2(reading.ratio() >= 4.5, qPrintable(seen));
                measured = true;
            }
        QVERIFY(measured);
        QVERIFY(save(window.get(), dark ? "main-window-dark.png" : "main-window.png"));

        window->summaryPage()->buttonSummaryClick();
        QVERIFY(window->mainLayout()->summaryShown());
        QVERIFY(save(window.get(), dark ? "summary-page-dark.png" : "summary-page.png"));
        if (dark) {
            // The badges' labels on the night sky.
            const QImage page = window->summaryPage()->grab().toImage();
            for (int i = 0; i < summary::kGroupCount; ++i) {
                const QLabel *label = window->summaryPage()->Label(summary::groupAt(i));
                const Reading reading = readArea(page, label->geometry());
                QVERIFY2(reading.ratio() >= 4.5,
                         qPrintable(label->text() + ": " + describe(reading)));
            }
        }
        window->mainLayout()->showSummary(false);
        window->close();
        QApplication::setPalette(original);
    }

    // The manual's menu items, buttons and keys are the window's: each name it presents (class
    // "menu" and "button", keys in class "keys") is an action or button of the running window,
    // and every item of the tree's menu is in the manual.
    void theManualNamesTheWindowsActionsAndKeys()
    {
        const QString manual = readText(QStringLiteral(NIMBUS_MANUAL_SOURCE "Nimbus Desk.html"));
        const auto marked = [&manual](const char *kind) {
            QStringList names;
            const QRegularExpression element(QStringLiteral("<b class=\"%1\">([^<]+)</b>")
                                                 .arg(QLatin1String(kind)));
            for (auto m = element.globalMatch(manual); m.hasNext();)
                names << m.next().captured(1).simplified();
            return names;
        };
        QStringList keys;
        const QRegularExpression keySpan(QStringLiteral("<span class=\"keys\">(.*?)</span>"));
        for (auto m = keySpan.globalMatch(manual); m.hasNext();)
            keys << QString(m.next().captured(1)).remove(QRegularExpression("<[^>]+>"));
        const QStringList menuNames = marked("menu");
        const QStringList buttonNames = marked("button");
        const QStringList noticeNames = marked("notice");
        const QStringList fieldNames = marked("field");
        QVERIFY(menuNames.size() > 20);
        QVERIFY(buttonNames.size() > 5);
        QVERIFY(keys.size() >= 4);

        Installation install;
        writeSampleStore(dataFolder(install.dir), install.clock);
        auto window = install.open();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        TreeController &tree = *window->treeController();
        TreeActions &actions = *window->treeActions();

        // Captions change with the selection: collect them over a section, a topic with
        // sub-tasks, a favourite and a plain topic, and over the checklist's page.
        QSet<QString> actionTexts;
        QSet<QString> shortcuts;
        QSet<QString> treeMenu;
        const auto collect = [&] {
            for (QAction *a : window->findChildren<QAction *>()) {
                actionTexts << a->text();
                if (!a->shortcut().isEmpty())
                    shortcuts << a->shortcut().toString(QKeySequence::PortableText);
            }
            for (QAction *a : actions.popMainView->actions())
                if (!a->isSeparator() && a->isVisible())
                    treeMenu << a->text();
            for (QAction *a : actions.menuRemove->actions())
                treeMenu << a->text();
        };
        for (const char *name : {"Topics", "Client meetings", "Household budget", "Garden ideas"}) {
            TNimbusNode *node = findNamed(*window, name);
            QVERIFY2(node, name);
            tree.selectNode(node);
            actions.ConfigureTreeMenu();
            collect();
        }
        QSet<QString> buttonTexts;
        const auto collectButtons = [&] {
            for (QWidget *w : QApplication::allWidgets())
                if (auto *b = qobject_cast<QAbstractButton *>(w))
                    buttonTexts << b->text().remove('&');
        };
        collectButtons();
        for (const char *section : {"STD0003", "STD0005"}) { // preferences, product information
            tree.selectNode(window->store()->Find(section));
            collectButtons();
        }
        window->buttonMainLog->click();
        collectButtons();
        // The tray's menu belongs to the desktop's tray, not to the window.
        reminderui::ReminderTray *tray = window->reminders()->tray();
        for (QAction *a : tray->menu()->actions())
            actionTexts << a->text();
        QSet<QString> fieldTexts;
        for (QWidget *w : QApplication::allWidgets())
            if (!w->accessibleName().isEmpty())
                fieldTexts << w->accessibleName();
        QSet<QString> noticeTexts;
        using reminders::ReminderAction;
        for (ReminderAction action :
             {ReminderAction::Open, ReminderAction::SnoozeTenMinutes, ReminderAction::SnoozeOneHour,
              ReminderAction::SnoozeTomorrow, ReminderAction::Complete})
            noticeTexts << QString::fromStdString(reminders::actionCaption(action));

        // Every action and button of search, reminders, undo, calendar files and calendar
        // sync is in the manual, under the caption the window gives it.
        QStringList required;
        for (QAction *a : {actions.MVUndo, actions.MVRedo, actions.MVUndoHistory})
            required << a->text();
        for (const char *name : {"MVExportCalendar", "MVExportSectionCalendar",
                                 "MVExportAllCalendar", "MVImportCalendar"}) {
            auto *a = window->findChild<QAction *>(QLatin1String(name));
            QVERIFY2(a, name);
            required << a->text();
        }
        required << tray->actionShow->text() << tray->actionExit->text();
        for (const char *name : {"buttonSyncNow", "buttonCalendarAccount"}) {
            auto *b = window->findChild<QAbstractButton *>(QLatin1String(name));
            QVERIFY2(b, name);
            required << b->text();
        }
        for (const char *name : {"buttonUndo", "buttonRedo"}) {
            auto *b = window->findChild<QAbstractButton *>(QLatin1String(name));
            QVERIFY2(b, name);
            required << b->text();
        }
        // The reminders' ticks on the preferences page.
        for (QCheckBox *b : window->findChildren<QCheckBox *>())
            if (b->parentWidget() &&
                b->parentWidget()->inherits("nimbus::reminderui::ReminderPreferencesBox"))
                required << b->text();
        const QStringList named = menuNames + buttonNames + noticeNames + fieldNames;
        for (const QString &caption : required)
            QVERIFY2(named.contains(caption), qPrintable("not in the manual: " + caption));
        for (const QString &caption : noticeTexts)
            QVERIFY2(noticeNames.contains(caption),
                     qPrintable("the reminder's action is not in the manual: " + caption));
        auto *search = window->findChild<QWidget *>(QStringLiteral("editSearch"));
        QVERIFY(search);
        QVERIFY2(fieldNames.contains(search->accessibleName()),
                 "the search field is not in the manual");
        for (const QString &name : noticeNames)
            QVERIFY2(noticeTexts.contains(name), qPrintable("no reminder offers " + name));
        for (const QString &name : fieldNames)
            QVERIFY2(fieldTexts.contains(name),
                     qPrintable("no field of the window is called " + name));

        for (const QString &name : menuNames)
            QVERIFY2(actionTexts.contains(name), qPrintable("menu item not in the window: " + name));
        for (const QString &name : buttonNames)
            QVERIFY2(buttonTexts.contains(name), qPrintable("button not in the window: " + name));
        for (const QString &key : keys)
            QVERIFY2(shortcuts.contains(key), qPrintable("no action has the key " + key));
        for (const QString &item : treeMenu)
            QVERIFY2(menuNames.contains(item),
                     qPrintable("the tree menu's item is not in the manual: " + item));
        for (QAction *a : {actions.MVSave, actions.MVRemoveItem, actions.MVMoveUp, actions.MVMoveDown})
            QVERIFY2(keys.contains(a->shortcut().toString(QKeySequence::PortableText)),
                     qPrintable("the manual does not give the key of " + a->text()));
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
