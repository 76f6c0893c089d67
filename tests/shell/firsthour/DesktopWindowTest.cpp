// The real main window on a user's desktop: a dark palette leaves every text readable, a
// picture on the clipboard goes into a details page, a task becomes an event with a start, the
// window quits when the tray it would hide in has gone, and screen readers hear names.
#include <QAccessible>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QStyleFactory>
#include <QTableWidget>
#include <QTextBlock>
#include <QTimeEdit>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>
#include <map>

#include "shell/MainLayout.h"
#include "shell/TreeActions.h"
#include "shell/TreeToolbar.h"
#include "shell/caldav/CalendarAccountDialog.h"
#include "shell/core/ColourContrast.h"
#include "shell/dialogs/ClickLabel.h"
#include "shell/dialogs/ColourPanel.h"
#include "shell/dialogs/TformProgress.h"
#include "shell/dialogs/TformTopicSelect.h"
#include "shell/dialogs/TimePicker.h"
#include "shell/pages/DetailsEditor.h"
#include "shell/pages/DetailsTextEdit.h"
#include "shell/pages/HighlightControl.h"
#include "shell/pages/TopicPage.h"
#include "shell/reminders/ReminderController.h"
#include "shell/reminders/ReminderTray.h"
#include "shell/reminders/WindowReminders.h"
#include "shell/tree/WindowFixture.h"
#include "widgets/ElidedLabel.h"

using namespace nimbus;
using namespace nimbus::test;

namespace {

QPalette darkFusionPalette()
{
    QPalette p;
    const QColor window(53, 53, 53), base(35, 35, 35), text(230, 230, 230);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::ToolTipBase, base);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, window);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::BrightText, Qt::red);
    p.setColor(QPalette::Light, QColor(80, 80, 80));
    p.setColor(QPalette::Midlight, QColor(70, 70, 70));
    p.setColor(QPalette::Mid, QColor(45, 45, 45));
    p.setColor(QPalette::Dark, QColor(25, 25, 25));
    p.setColor(QPalette::Shadow, Qt::black);
    p.setColor(QPalette::Highlight, QColor(42, 130, 218));
    p.setColor(QPalette::HighlightedText, Qt::black);
    p.setColor(QPalette::Link, QColor(42, 130, 218));
    return p;
}

double contrast(QRgb a, QRgb b)
{
    return look::contrastRatio({qRed(a), qGreen(a), qBlue(a)}, {qRed(b), qGreen(b), qBlue(b)});
}

// What the user sees of a widget: its commonest colour (the background) and the contrast of
// the pixel that stands out most from it (the core of a letter or a line).
struct Rendered {
    QRgb background = 0;
    double contrast = 1;
};

Rendered rendered(QWidget *widget, QRect area = {})
{
    QImage image = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (area.isValid())
        image = image.copy(area);
    std::map<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y) & 0xFFFFFF];
    Rendered out;
    int most = 0;
    for (const auto &[colour, count] : counts)
        if (count > most) {
            most = count;
            out.background = colour;
        }
    for (const auto &[colour, count] : counts)
        out.contrast = std::max(out.contrast, contrast(colour, out.background));
    return out;
}

bool darkPixel(QRgb colour)
{
    return look::isDark({qRed(colour), qGreen(colour), qBlue(colour)});
}

QString describe(const Rendered &r)
{
    return QStringLiteral("background %1, contrast %2")
        .arg(QColor(r.background).name())
        .arg(r.contrast, 0, 'f', 2);
}

QByteArray pngOf(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

int pictureCount(const QTextDocument &document)
{
    int count = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat())
                count += it.fragment().length();
    return count;
}

// Topics with a task, a note and (for topic 101, the task) a details page the test writes.
struct Desk {
    TempFolder dir;
    FixedClock clock{DateTime::fromCivil(2026, 3, 10, 9, 30, 0)};
    std::shared_ptr<FakePrompts> prompts = std::make_shared<FakePrompts>();
    std::unique_ptr<TformMain> window;

    explicit Desk(const std::string &page = {})
    {
        StoreWriter w(dataFolder(dir));
        w.add(0, "Topics").expanded();
        w.add(1, "Dentist").type(kTopicTask).status(kStatusNotStarted); // uni 101
        w.add(1, "Holiday notes").type(kTopicInformation);              // uni 102
        w.write();
        if (!page.empty()) {
            for (const char *folder : {"Packs", "CheckList", "Text"})
                std::filesystem::create_directories(file(folder));
            writeFile(file("Packs/101.pkt"), "con=0\r\nuni=1\r\nfile=101-1.txt\r\n");
            writeFile(file("CheckList/101-1.~txt"),
                      "cre=20260101-090000\r\name=20260101-090000\r\ndata=1\r\nrtf=1\r\n");
            writeFile(file("Text/101-1.txt"), page);
        }
        open();
    }
    // The program started (again) on the data folder.
    void open()
    {
        window.reset();
        window = std::make_unique<TformMain>(clock, windowEnvironment(dir, prompts));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    std::string file(const std::string &name) const { return dataFolder(dir) + name; }
    TNimbusNode *node(const char *uni) { return window->store()->Find(uni); }
    void select(const char *uni) { window->treeController()->selectNode(node(uni)); }
    pages::DetailsEditor *details() { return window->topicPage()->details; }
};

} // namespace

class DesktopWindowTest : public QObject {
    Q_OBJECT

private slots:
    void aDarkPaletteLeavesEveryTextReadable()
    {
        const QPalette before = QApplication::palette();
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(darkFusionPalette());
        // A page written as most pages are: its text coloured black explicitly, large enough
        // that the letters' cores are drawn in their full colour.
        Desk desk("{\\rtf1\\ansi{\\fonttbl{\\f0 Sans;}}{\\colortbl;\\red0\\green0\\blue0;}"
                  "\\f0\\fs48\\cf1 Dark words here\\par}");
        desk.select("101");
        QApplication::processEvents();
        pages::DetailsEditor *details = desk.details();
        QVERIFY(details->RichEdit1->toPlainText().contains("Dark words"));

        // Each piece of text against its own background, as drawn.
        const Rendered page = rendered(details->RichEdit1->viewport());
        QVERIFY2(darkPixel(page.background), qPrintable(describe(page)));
        QVERIFY2(page.contrast >= 4.5, qPrintable("page text: " + describe(page)));

        QLabel *title = desk.window->topicPage()->labelTopicName;
        const Rendered heading = rendered(title);
        QVERIFY2(heading.contrast >= 4.5, qPrintable("page title: " + describe(heading)));

        auto *caption = desk.window->findChild<QLabel *>(QStringLiteral("labelActivityLog"));
        QVERIFY(caption);
        const Rendered log = rendered(caption);
        QVERIFY2(log.contrast >= 4.5, qPrintable("activity log caption: " + describe(log)));

        // The tree's heading is no white strip, and its caption reads on it.
        QLabel *treeHeading = desk.window->mainLayout()->structHeading;
        const Rendered strip = rendered(treeHeading);
        QVERIFY2(darkPixel(strip.background), qPrintable("tree heading: " + describe(strip)));
        QVERIFY2(strip.contrast >= 4.5, qPrintable("tree heading: " + describe(strip)));

        // Every format button's picture stands out from the button.
        int checked = 0;
        for (QAction *action : details->toolbarFormat->actions()) {
            auto *button =
                qobject_cast<QToolButton *>(details->toolbarFormat->widgetForAction(action));
            if (!button || action->icon().isNull() || action->objectName() == "TextColour")
                continue;
            const Rendered drawn = rendered(button);
            QVERIFY2(drawn.contrast >= 3.0, qPrintable(action->text() + ": " + describe(drawn)));
            ++checked;
        }
        QVERIFY(checked >= 5);

        // What the user types onto the dark page reads as well as what was there.
        details->RichEdit1->moveCursor(QTextCursor::End);
        QTest::keyClicks(details->RichEdit1, " and more");
        QTextCursor typed(details->RichEdit1->document());
        typed.movePosition(QTextCursor::End);
        const QColor ink = typed.charFormat().foreground().style() == Qt::NoBrush
                               ? details->RichEdit1->palette().color(QPalette::Text)
                               : typed.charFormat().foreground().color();
        QVERIFY(contrast(ink.rgb(), page.background) >= 4.5);

        desk.window->close();
        QApplication::setPalette(before);
    }

    // The desktop switches to a dark theme while the program runs.
    void aPaletteChangedWhileRunningIsFollowed()
    {
        const QPalette before = QApplication::palette();
        Desk desk;
        desk.select("101");
        QApplication::setPalette(darkFusionPalette());
        QApplication::processEvents();
        pages::DetailsEditor *details = desk.details();
        const Rendered title = rendered(desk.window->topicPage()->labelTopicName);
        QVERIFY2(title.contrast >= 4.5, qPrintable("page title: " + describe(title)));
        const Rendered log = rendered(desk.window->findChild<QLabel *>("labelActivityLog"));
        QVERIFY2(log.contrast >= 4.5, qPrintable("activity log caption: " + describe(log)));
        const Rendered strip = rendered(desk.window->mainLayout()->structHeading);
        QVERIFY2(darkPixel(strip.background), qPrintable("tree heading: " + describe(strip)));
        QVERIFY2(strip.contrast >= 4.5, qPrintable("tree heading: " + describe(strip)));
        auto *bold = qobject_cast<QToolButton *>(details->toolbarFormat->widgetForAction(
            details->findChild<QAction *>(QStringLiteral("RichEditBold"))));
        QVERIFY(bold);
        const Rendered drawn = rendered(bold);
        QVERIFY2(drawn.contrast >= 3.0, qPrintable("bold button: " + describe(drawn)));
        desk.window->close();
        QApplication::setPalette(before);
    }

    void aPictureOnTheClipboardPastesIntoThePage()
    {
        std::string saved;
        Desk desk("{\\rtf1\\ansi Before the picture.\\par}");
        {
            desk.select("101");
            pages::DetailsEditor *details = desk.details();
            QImage picture(40, 30, QImage::Format_RGB32);
            picture.fill(QColor(200, 40, 40));
            // As a screenshot tool offers it: PNG bytes only, no text.
            auto *mime = new QMimeData;
            mime->setData(QStringLiteral("image/png"), pngOf(picture));
            QGuiApplication::clipboard()->setMimeData(mime);

            // The menu offers Paste.
            QAction *paste = nullptr;
            for (QAction *action : details->popNotes->actions())
                if (action->text() == "Paste")
                    paste = action;
            QVERIFY(paste);
            emit details->popNotes->aboutToShow();
            QVERIFY(paste->isEnabled());

            details->RichEdit1->setFocus();
            details->RichEdit1->moveCursor(QTextCursor::End);
            QTest::keyClick(details->RichEdit1, Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(pictureCount(*details->RichEdit1->document()), 1);
            QVERIFY(details->RichEdit1->toPlainText().contains("Before the picture."));
            desk.select("102"); // the page is written as the user moves on
            saved = readFile(desk.file("Text/101-1.txt"));
            QVERIFY2(saved.find("\\pngblip") != std::string::npos, saved.substr(0, 200).c_str());

            // Text beside a picture is pasted as text.
            desk.select("101");
            auto *both = new QMimeData;
            both->setData(QStringLiteral("image/png"), pngOf(picture));
            both->setText(QStringLiteral("words to paste"));
            QGuiApplication::clipboard()->setMimeData(both);
            QTest::keyClick(details->RichEdit1, Qt::Key_V, Qt::ControlModifier);
            QVERIFY(details->RichEdit1->toPlainText().contains("words to paste"));
            QCOMPARE(pictureCount(*details->RichEdit1->document()), 1);
            desk.window->close();
        }
        // The picture comes back with the page, as it was pasted.
        desk.open();
        desk.select("101");
        QCOMPARE(pictureCount(*desk.details()->RichEdit1->document()), 1);
        QVERIFY(desk.details()->RichEdit1->toPlainText().contains("words to paste"));
        QGuiApplication::clipboard()->clear();
    }

    void aTaskBecomesAnEventThatStartsLater()
    {
        Desk desk;
        TreeToolbar &bar = *desk.window->treeToolbar();
        desk.select("101");
        QVERIFY(bar.buttonEvent->isEnabled());
        QVERIFY(bar.buttonInfo->isEnabled());
        QVERIFY(!bar.buttonTask->isEnabled());
        bar.buttonEvent->click();
        TNimbusNode *event = desk.node("101");
        QCOMPARE(event->ttype, int(kTopicEvent));
        QCOMPARE(event->dlDate, std::string("20260310"));
        QCOMPARE(event->dlTime, std::string("10:00:00"));
        QCOMPARE(event->status, int(kStatusNotStarted));
        QVERIFY(event->statusText != "In progress");

        // "Change topic type ..." offers events too, and gives one its start the same way.
        dialogs::TformTopicSelect chooser(kTopicTask);
        QTest::mouseClick(chooser.buttonEvents, Qt::LeftButton);
        QVERIFY(chooser.labelEvents->font().bold());
        chooser.buttonOKClick();
        QCOMPARE(chooser.chosenType(), int(kTopicEvent));

        desk.prompts->chosenType = kTopicEvent;
        desk.select("102");
        desk.window->treeActions()->MVChangeTopicType->trigger();
        TNimbusNode *note = desk.node("102");
        QCOMPARE(note->ttype, int(kTopicEvent));
        QCOMPARE(note->dlTime, std::string("10:00:00"));
        QVERIFY(note->statusText != "In progress");
    }

    void closingQuitsWhenTheTrayHasGone()
    {
        Desk desk;
        reminderui::WindowReminders *reminders = desk.window->reminders();
        QVERIFY(reminders);
        reminders->controller()->preferences().keepInTray = true;
        bool trayThere = true;
        reminderui::ReminderTray *tray = reminders->tray();
        tray->trayAvailable = [&trayThere] { return trayThere; };
        QVERIFY(tray->showInTray());

        // The title bar's close button while the tray is there: the window hides.
        QCloseEvent close;
        QApplication::sendEvent(desk.window->windowHandle(), &close);
        QVERIFY(!desk.window->isVisible());
        QVERIFY(!desk.window->closing());
        // The tray's host goes while the window is hidden: the window comes back.
        trayThere = false;
        QTRY_VERIFY_WITH_TIMEOUT(desk.window->isVisible(), 5000);

        // Closed now, it quits: nothing stays running unseen.
        QCloseEvent again;
        QApplication::sendEvent(desk.window->windowHandle(), &again);
        QVERIFY(desk.window->closing());
    }

    void screenReadersHearNamesNotValues()
    {
        Desk desk;
        TopicOptions values;
        values.topicType = kTopicEvent;
        dialogs::TformProgress dialog(values, desk.clock);
        auto name = [](QWidget *widget) {
            QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
            return face ? face->text(QAccessible::Name) : QString();
        };
        QCOMPARE(name(dialog.pickerDeadDate), QStringLiteral("Date due"));
        QCOMPARE(name(dialog.pickerDeadTime->check), QStringLiteral("Time due set"));
        QCOMPARE(name(dialog.pickerDeadTime->edit), QStringLiteral("Time due"));
        // A combo box's name on this desktop is its value; a screen reader names it by the
        // label it is "labelled by".
        auto labelledBy = [](QWidget *widget) {
            QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
            QStringList labels;
            for (const auto &[other, relation] : face->relations(QAccessible::Label))
                labels << other->text(QAccessible::Name);
            return labels.join(' ');
        };
        QCOMPARE(labelledBy(dialog.comboReminder), QStringLiteral("Remind me:"));
        QCOMPARE(labelledBy(dialog.comboPercent), QStringLiteral("Percentage complete:"));
        QCOMPARE(name(dialog.editDurationNo), QStringLiteral("Duration"));

        desk.select("101");
        pages::DetailsEditor *details = desk.details();
        QCOMPARE(name(details->RichEdit1), QStringLiteral("Details"));
        QVERIFY(!name(details->highlighter->buttonColour).isEmpty());
        // The highlight switches are tick boxes that say whether they are on.
        for (QWidget *toggle : {static_cast<QWidget *>(details->highlighter->panelFore),
                                static_cast<QWidget *>(details->highlighter->panelBack)}) {
            QAccessibleInterface *face = QAccessible::queryAccessibleInterface(toggle);
            QVERIFY(face);
            QCOMPARE(face->role(), QAccessible::CheckBox);
            QVERIFY(!face->text(QAccessible::Name).isEmpty());
            QVERIFY(face->state().checkable);
        }

        // The calendar account's table reads its choices, which are topics, never the
        // program's own sections.
        caldav::CalendarAccount account;
        account.server = "https://calendar.example.org/";
        account.calendars = {{"https://calendar.example.org/alice/work/", "Work", "101"}};
        caldavui::CalendarAccountDialog accountDialog(account, *desk.window->store(),
                                                      desk.window.get());
        QTableWidget *table = accountDialog.tableCalendars;
        auto *choice = qobject_cast<QComboBox *>(table->cellWidget(0, 1));
        QVERIFY(choice);
        QCOMPARE(choice->currentText().trimmed(), QStringLiteral("Dentist"));
        QAccessibleInterface *grid = QAccessible::queryAccessibleInterface(table);
        QAccessibleTableInterface *cells = grid->tableInterface();
        QVERIFY(cells);
        QCOMPARE(cells->cellAt(0, 1)->text(QAccessible::Name), QStringLiteral("Dentist"));
        for (int i = 0; i < choice->count(); ++i)
            QVERIFY2(choice->itemText(i).trimmed() != "Preferences", "a system section is offered");
        choice->setCurrentIndex(0);
        QCOMPARE(cells->cellAt(0, 1)->text(QAccessible::Name), QStringLiteral("(not synced)"));
    }
};

QTEST_MAIN(DesktopWindowTest)
#include "DesktopWindowTest.moc"
