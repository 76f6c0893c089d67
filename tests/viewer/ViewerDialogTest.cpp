// The viewer's dialogs and message boxes under the offscreen platform, and printing.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPdfWriter>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include "support/TempFolder.h"
#include "viewer/QtViewerPrompts.h"
#include "viewer/TFileDisplayColumnForm.h"
#include "viewer/TFormSelectVersion.h"
#include "viewer/TformFileDisplayOptions.h"
#include "viewer/ViewerPrinting.h"

using namespace nimbus;
using namespace nimbus::viewer;

namespace {

// Clicks a check box or radio button on its indicator: only the indicator and the caption
// take clicks, not the whole width a layout gives the widget.
void clickIndicator(QAbstractButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

FileDisplayOptions twoColumns()
{
    FileDisplayOptions options;
    options.columns = true;
    options.infoType = "table";
    options.columnHeadings = {"Name", "When"};
    options.columnTypes = {"number", "date2"};
    options.columnDisplay = {"hidden", "visible"};
    return options;
}

// Presses a button of the message box that is up, once it is up.
void answerMessageBox(QMessageBox::StandardButton answer, QString *text = nullptr,
                      QString *title = nullptr)
{
    QTimer::singleShot(0, [=] {
        QMessageBox *box = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT(
            (box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())), 10000);
        if (text)
            *text = box->text();
        if (title)
            *title = box->windowTitle();
        box->button(answer)->click();
    });
}

} // namespace

class ViewerDialogTest : public QObject {
    Q_OBJECT

private slots:
    void optionsDialogShowsTheRecordAndCancelKeepsIt()
    {
        const FileDisplayOptions options = twoColumns();
        TformFileDisplayOptions dialog(options, -1, true);
        QVERIFY(dialog.checkOptionColumns->isChecked());
        QCOMPARE(dialog.comboFont->currentText(), QStringLiteral("8"));
        QCOMPARE(dialog.ListView1->topLevelItemCount(), 2);
        QCOMPARE(dialog.ListView1->topLevelItem(0)->text(1), QStringLiteral("number"));
        QCOMPARE(dialog.ListView1->topLevelItem(0)->text(2), QStringLiteral("hidden"));
        QCOMPARE(dialog.ListView1->topLevelItem(1)->text(1),
                 QStringLiteral("date - mm/dd/yy or mm/dd/yyyy"));

        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        clickIndicator(dialog.checkRotated);
        QVERIFY(dialog.checkRotated->isChecked());
        QTest::mouseClick(dialog.buttonCancel, Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(!dialog.options().rotated);
        QVERIFY(!dialog.options().changed);
    }

    void resetColumnsAndOkWriteTheRowsBack()
    {
        TformFileDisplayOptions dialog(twoColumns(), -1, true);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::mouseClick(dialog.buttonResetColumns, Qt::LeftButton);
        QCOMPARE(dialog.ListView1->topLevelItem(0)->text(0), QStringLiteral("Name"));
        QCOMPARE(dialog.ListView1->topLevelItem(0)->text(1), QStringLiteral("text"));
        QCOMPARE(dialog.ListView1->topLevelItem(0)->text(2), QStringLiteral("visible"));
        dialog.comboFont->setCurrentText(QStringLiteral("huge")); // not a number: 10
        dialog.chooseHeadingFile = [](const QString &) { return QStringLiteral("/tmp/heads.csv"); };
        QTest::mouseClick(dialog.buttonSelectFile, Qt::LeftButton);
        QCOMPARE(dialog.editHeadingsFile->text(), QStringLiteral("/tmp/heads.csv"));
        QTest::mouseClick(dialog.buttonClose, Qt::LeftButton);

        const FileDisplayOptions &result = dialog.options();
        QVERIFY(result.changed);
        QVERIFY(result.columnsChanged);
        QCOMPARE(result.fontSize, 10);
        QCOMPARE(result.headingFile, std::string("/tmp/heads.csv"));
        QCOMPARE(result.columnTypes, (std::vector<std::string>{"text", "text"}));
        QCOMPARE(result.columnDisplay, (std::vector<std::string>{"visible", "visible"}));
    }

    void columnFormReturnsWhatItShows()
    {
        TFileDisplayColumnForm form({"Amount", ColumnType::Date3, false});
        QCOMPARE(form.editHeadingText->text(), QStringLiteral("Amount"));
        QVERIFY(form.radioHidden->isChecked());
        QVERIFY(form.radioTypes[4]->isChecked());
        QCOMPARE(form.radioTypes[2]->text(), QStringLiteral("date - dd/mm/yy or dd/mm/yyyy"));
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        clickIndicator(form.radioVisible);
        clickIndicator(form.radioTypes[1]);
        const ColumnDetails details = form.details();
        QVERIFY(details.visible);
        QCOMPARE(details.type, ColumnType::Number);
        QCOMPARE(details.heading, std::string("Amount"));
    }

    void versionChooserOffersDisplayOnlyAfterAChoice()
    {
        test::TempFolder dir;
        test::writeFile(dir / "a.txt", "x");
        test::writeFile(dir / "a(1).txt", "y");
        const QStringList files = {QString::fromStdString(dir / "a.txt"),
                                   QString::fromStdString(dir / "a(1).txt")};

        TFormSelectVersion chooser(files);
        chooser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chooser));
        QCOMPARE(chooser.listFiles->topLevelItemCount(), 2);
        QCOMPARE(chooser.listFiles->topLevelItem(1)->text(0), QStringLiteral("a(1).txt"));
        QVERIFY(!chooser.listFiles->topLevelItem(1)->text(1).isEmpty());
        QVERIFY(!chooser.buttonOpen->isVisible());
        const QRect row = chooser.listFiles->visualItemRect(chooser.listFiles->topLevelItem(1));
        QTest::mouseClick(chooser.listFiles->viewport(), Qt::LeftButton, {}, row.center());
        QVERIFY(chooser.buttonOpen->isVisible());
        QTest::mouseClick(chooser.buttonOpen, Qt::LeftButton);
        QVERIFY(!chooser.cancelled());
        QCOMPARE(chooser.selectedFile(), files[1]);

        TFormSelectVersion cancelled(files);
        cancelled.show();
        QTest::mouseClick(cancelled.buttonCancel, Qt::LeftButton);
        QVERIFY(cancelled.cancelled());
    }

    void messageBoxesCarryTheProductTitle()
    {
        QtViewerPrompts prompts("Nimbus Desk");
        QString text;
        QString title;
        answerMessageBox(QMessageBox::No, &text, &title);
        QVERIFY(!prompts.confirmOverwrite(nullptr));
        QCOMPARE(title, QStringLiteral("Nimbus Desk Information"));
        QVERIFY(text.startsWith(QStringLiteral("The file name you have chosen already exists.")));

        answerMessageBox(QMessageBox::Yes);
        QVERIFY(prompts.confirmOverwrite(nullptr));

        answerMessageBox(QMessageBox::Ok, &text, &title);
        prompts.reportWriteError(nullptr);
        QCOMPARE(title, QStringLiteral("Nimbus Desk Problem"));
        QCOMPARE(text, QStringLiteral("*** Unable to write to the file name you chose"));
    }

    void printingStartsANewPageWhenOneIsFull()
    {
        test::TempFolder dir;
        QPdfWriter oneLine(QString::fromStdString(dir / "one.pdf"));
        QCOMPARE(printLines(oneLine, {QStringLiteral("only")}, 10), 1);

        QStringList many;
        for (int i = 0; i < 400; ++i)
            many << QStringLiteral("line %1").arg(i);
        QPdfWriter pages(QString::fromStdString(dir / "many.pdf"));
        const int printed = printLines(pages, many, 10);
        QVERIFY(printed > 1);
        QPdfWriter bigger(QString::fromStdString(dir / "bigger.pdf"));
        QVERIFY(printLines(bigger, many + many, 10) >= 2 * printed - 1);
    }
};

QTEST_MAIN(ViewerDialogTest)
#include "ViewerDialogTest.moc"
