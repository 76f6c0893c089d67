// The viewer window under the offscreen platform: display kinds, sorting, options, refresh,
// old versions, saving a copy, backup and clear, and the viewer registry.
#include <QAbstractButton>
#include <QAbstractItemModelTester>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>
#include <fstream>
#include <functional>
#include <memory>

#include "FakePrompts.h"
#include "fileio/FolderOps.h"
#include "support/TempFolder.h"
#include "viewer/DisplayControl.h"
#include "viewer/TFileDisplayColumnForm.h"
#include "viewer/TextLinesView.h"
#include "viewer/TformFileDisplayOptions.h"
#include "viewer/TformTextDisplay.h"
#include "viewer/ViewerTableModel.h"

using namespace nimbus;
using namespace nimbus::viewer;

namespace {

// Clicks a check box or radio button on its indicator: only the indicator and the caption
// take clicks, not the whole width a layout gives the widget.
void clickIndicator(QAbstractButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

const char *const kReport = "Name,Amount,Date\r\n"
                            "beta,10,31/12/99\r\n"
                            "alpha,9,01/01/2000\r\n"
                            "gamma,100,15/06/2001\r\n";

QString column0(const ViewerTableModel &model)
{
    QStringList names;
    for (int row = 0; row < model.rowCount(); ++row)
        names << model.cellText(row, 0);
    return names.join(',');
}

QString shownText(const TformTextDisplay &window)
{
    return window.displayedLines().join(QLatin1Char('\n'));
}

void clickHeader(QTableView *view, int section)
{
    QHeaderView *header = view->horizontalHeader();
    const QPoint at(header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
                    header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

// Runs action on the modal dialog of type T as soon as it is up.
template <typename T> void whenModal(std::function<void(T *)> action)
{
    QTimer::singleShot(0, [action] {
        T *dialog = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT((dialog = qobject_cast<T *>(QApplication::activeModalWidget())),
                                 10000);
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        action(dialog);
    });
}

} // namespace

class ViewerWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::TempFolder> dir_;
    std::shared_ptr<test::FakePrompts> prompts_;

    std::unique_ptr<TformTextDisplay> open(const std::string &file,
                                           const std::string &infoType = "text")
    {
        auto window =
            std::make_unique<TformTextDisplay>(file, dir_->path() + "data/", infoType, prompts_);
        window->Timer1->setInterval(100);
        return window;
    }

private slots:
    void init()
    {
        dir_ = std::make_unique<test::TempFolder>();
        fileio::createFolder(dir_->path() + "data/");
        prompts_ = std::make_shared<test::FakePrompts>();
    }
    void cleanup() { dir_.reset(); }

    void fileWithoutOptionsOpensAsTextAtSizeEight()
    {
        const std::string file = *dir_ / "MainLog.txt";
        test::writeFile(file, "first line\r\nsecond, with a comma\r\n");
        auto window = open(file);
        window->show();
        QCOMPARE(window->labelTitle->text(), QStringLiteral("MainLog.txt"));
        QVERIFY(window->Memo1->isVisible());
        QVERIFY(!window->ListView1->isVisible());
        QCOMPARE(window->Memo1->font().pointSize(), 8);
        QCOMPARE(shownText(*window), QStringLiteral("first line\nsecond, with a comma"));
        window->Memo1->selectRow(1);
        QCOMPARE(window->Memo1->selectedText(), QStringLiteral("second, with a comma"));
        QVERIFY(!window->buttonVersions->isVisible());
        QVERIFY(!window->buttonClear->isVisible());
        window->close();
        QVERIFY(!fileio::fileExists(dir_->path() + "data/MainLog.~txt"));
    }

    void tableWithHeadingsSortsByNumberAndDateBothWays()
    {
        const std::string file = *dir_ / "report.csv";
        test::writeFile(file, kReport);
        test::writeFile(dir_->path() + "data/report.~csv",
                        "InfoType=table\r\nColumns=Y\r\nHeadings=Y\r\nCT1=number\r\nCT2=date1\r\n");
        auto window = open(file);
        ViewerTableModel &model = *window->model();
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        window->show();
        QVERIFY(window->ListView1->isVisible());
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Amount"));
        QCOMPARE(column0(model), QStringLiteral("beta,alpha,gamma"));

        window->ListView1->selectRow(0); // the selection follows its row through sorts
        clickHeader(window->ListView1, 1);
        QCOMPARE(column0(model), QStringLiteral("alpha,beta,gamma"));
        QCOMPARE(model.headerData(1, Qt::Horizontal, ViewerTableModel::ImageIndexRole).toInt(), 1);
        QCOMPARE(window->ListView1->currentIndex().row(), 1);
        clickHeader(window->ListView1, 1);
        QCOMPARE(column0(model), QStringLiteral("gamma,beta,alpha"));
        QCOMPARE(model.headerData(1, Qt::Horizontal, ViewerTableModel::ImageIndexRole).toInt(), 0);

        clickHeader(window->ListView1, 2); // 31/12/99 is 2099, the latest
        QCOMPARE(column0(model), QStringLiteral("alpha,gamma,beta"));
        QCOMPARE(model.headerData(1, Qt::Horizontal, ViewerTableModel::ImageIndexRole).toInt(), -1);
        clickHeader(window->ListView1, 2);
        QCOMPARE(column0(model), QStringLiteral("beta,gamma,alpha"));
    }

    void optionsRoundTripThroughTheDialogsAndTheFile()
    {
        const std::string file = *dir_ / "report.csv";
        test::writeFile(file, kReport);
        DisplayControl registry(dir_->path() + "data/", "Nimbus Desk"); // the real dialogs
        QPointer<TformTextDisplay> window = registry.OpenViewer(file, "Report", "text");
        window->present();
        QVERIFY(window->Memo1->isVisible());

        whenModal<TformFileDisplayOptions>([](TformFileDisplayOptions *dialog) {
            clickIndicator(dialog->checkOptionColumns);
            clickIndicator(dialog->checkOptionsHeadings);
            dialog->comboFont->setCurrentText(QStringLiteral("12"));
            QTest::mouseClick(dialog->buttonClose, Qt::LeftButton);
        });
        QTest::mouseClick(window->buttonDefineColumns, Qt::LeftButton);
        QVERIFY(window->ListView1->isVisible());
        QCOMPARE(window->ListView1->font().pointSize(), 12);
        QCOMPARE(window->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Name"));

        // Second round: the column list shows the table's columns; one is renamed and made a
        // number column through the column dialog.
        whenModal<TformFileDisplayOptions>([](TformFileDisplayOptions *dialog) {
            QCOMPARE(dialog->ListView1->topLevelItemCount(), 3);
            QCOMPARE(dialog->ListView1->topLevelItem(1)->text(0), QStringLiteral("Amount"));
            whenModal<TFileDisplayColumnForm>([](TFileDisplayColumnForm *form) {
                form->editHeadingText->setText(QStringLiteral("Sum"));
                clickIndicator(form->radioTypes[1]);
                QTest::mouseClick(form->buttonOK, Qt::LeftButton);
            });
            dialog->ListView1DblClick(dialog->ListView1->topLevelItem(1));
            QCOMPARE(dialog->ListView1->topLevelItem(1)->text(1), QStringLiteral("number"));
            QTest::mouseClick(dialog->buttonClose, Qt::LeftButton);
        });
        QTest::mouseClick(window->buttonDefineColumns, Qt::LeftButton);
        QCOMPARE(window->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Sum"));

        const std::string saved = test::readFile(dir_->path() + "data/report.~csv");
        for (const char *line :
             {"InfoType=table\r\n", "Columns=Y\r\n", "Headings=Y\r\n", "FontSize=12\r\n",
              "CH0=Name\r\nCH1=Sum\r\nCH2=Date\r\n", "CT0=text\r\nCT1=number\r\n"})
            QVERIFY2(saved.find(line) != std::string::npos, line);
        QVERIFY(!fileio::fileExists(dir_->path() + "data/report.~tmp"));

        // A new window on the file reads the same options back.
        window->close();
        QTRY_VERIFY(window.isNull());
        auto again = open(file);
        again->show();
        QVERIFY(again->ListView1->isVisible());
        QCOMPARE(again->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Sum"));
        QCOMPARE(again->options().columnType(1), ColumnType::Number);
    }

    void autorefreshFollowsTheFileButNeverAnOldVersion()
    {
        const std::string file = *dir_ / "grow.txt";
        test::writeFile(file, "one\r\n");
        test::writeFile(*dir_ / "grow(1).txt", "old\r\n");
        auto window = open(file);
        window->setVersionsEnabled(true);
        window->show();
        QVERIFY(window->buttonVersions->isVisible());
        QCOMPARE(window->versionFiles().size(), std::size_t{2});

        test::writeFile(file, "one\r\ntwo\r\n");
        QTest::qWait(300);
        QVERIFY(!shownText(*window).contains("two")); // not followed unless ticked

        clickIndicator(window->CheckRefresh);
        QTRY_VERIFY_WITH_TIMEOUT(shownText(*window).contains("two"), 10000);
        std::ofstream(file, std::ios::app) << "three\r\n"; // same second, larger file
        QTRY_VERIFY_WITH_TIMEOUT(shownText(*window).contains("three"), 10000);

        prompts_->version = QString::fromStdString(*dir_ / "grow(1).txt");
        QTest::mouseClick(window->buttonVersions, Qt::LeftButton);
        QCOMPARE(window->labelTitle->text(), QStringLiteral("grow(1).txt"));
        QCOMPARE(shownText(*window), QStringLiteral("old"));
        const int displays = window->displayCount();
        std::ofstream(file, std::ios::app) << "four\r\n";
        std::ofstream(*dir_ / "grow(1).txt", std::ios::app) << "changed\r\n";
        QTest::qWait(500);
        QCOMPARE(window->displayCount(), displays);
        QCOMPARE(shownText(*window), QStringLiteral("old"));
    }

    void saveCopyAsksBeforeOverwriting()
    {
        const std::string file = *dir_ / "log.txt";
        test::writeFile(file, "content\r\n");
        const std::string target = *dir_ / "existing.txt";
        test::writeFile(target, "keep me");
        auto window = open(file);
        window->show();

        prompts_->saveFile = QString::fromStdString(target);
        QTest::mouseClick(window->buttonSave, Qt::LeftButton);
        QCOMPARE(prompts_->overwriteQuestions, 1);
        QCOMPARE(test::readFile(target), std::string("keep me"));

        prompts_->overwrite = true;
        QTest::mouseClick(window->buttonSave, Qt::LeftButton);
        QCOMPARE(test::readFile(target), std::string("content\r\n"));

        prompts_->saveFile = QString::fromStdString(*dir_ / "no/such/folder/x.txt");
        QTest::mouseClick(window->buttonSave, Qt::LeftButton);
        QCOMPARE(prompts_->writeErrors, 1);
    }

    void backupAndClearKeepsTheContentAsANewVersion()
    {
        const std::string file = *dir_ / "Update.log";
        test::writeFile(file, "entry 1\r\nentry 2\r\n");
        test::writeFile(*dir_ / "Update(1).log", "older\r\n");
        auto window = open(file);
        window->setVersionsEnabled(true);
        window->setClearEnabled(true);
        window->show();
        QVERIFY(window->buttonClear->isVisible());

        QTest::mouseClick(window->buttonClear, Qt::LeftButton);
        QCOMPARE(fileio::fileSize(file), std::int64_t{0});
        QCOMPARE(test::readFile(*dir_ / "Update(2).log"), std::string("entry 1\r\nentry 2\r\n"));
        QCOMPARE(test::readFile(*dir_ / "Update(1).log"), std::string("older\r\n"));
        QVERIFY(shownText(*window).isEmpty());
        QCOMPARE(window->versionFiles().size(), std::size_t{3});
    }

    void refreshUpdatesTableRowsInPlace()
    {
        const std::string file = *dir_ / "rows.csv";
        test::writeFile(file, "a,1\r\nb,2\r\n");
        auto window = open(file, "table");
        ViewerTableModel &model = *window->model();
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        window->show();
        const QPersistentModelIndex first(model.index(0, 1));
        QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
        QSignalSpy inserts(&model, &QAbstractItemModel::rowsInserted);

        test::writeFile(file, "a,10\r\nb,2\r\nc,3\r\n");
        clickIndicator(window->CheckRefresh);
        QTRY_COMPARE_WITH_TIMEOUT(model.rowCount(), 3, 10000);
        QCOMPARE(resets.count(), 0);
        QCOMPARE(inserts.count(), 1);
        QVERIFY(first.isValid());
        QCOMPARE(first.data().toString(), QStringLiteral("10"));

        test::writeFile(file, "z,9\r\n");
        QTRY_COMPARE_WITH_TIMEOUT(model.rowCount(), 1, 10000);
        QCOMPARE(model.cellText(0, 0), QStringLiteral("z"));
    }

    void fileListShowsRecordsSideBySide()
    {
        test::writeFile(*dir_ / "prod.txt", "name=\r\n");
        test::writeFile(*dir_ / "prod-a.txt", "name=Alpha\r\n");
        test::writeFile(*dir_ / "prod-b.txt", "name=Beta\r\n");
        test::writeFile(*dir_ / "other.txt", "name=Other\r\n");
        auto window = open(*dir_ / "prod.txt");
        window->setFileListMode(true);
        window->show();
        QCOMPARE(window->ListView2->count(), 3);
        QCOMPARE(window->model()->columnCount(), 3); // Name, prod-a.txt, prod-b.txt
        QCOMPARE(window->model()->cellText(0, 2), QStringLiteral("Beta"));

        QTest::mouseClick(window->buttonInvert, Qt::LeftButton);
        QTest::mouseClick(window->buttonOpen, Qt::LeftButton);
        QCOMPARE(window->model()->columnCount(), 1);
        QTest::mouseClick(window->buttonAll, Qt::LeftButton);
        QTest::mouseClick(window->buttonOpen, Qt::LeftButton);
        QCOMPARE(window->model()->columnCount(), 3);
    }

    void registryKeepsOneWindowPerFileAndClosesAll()
    {
        auto registry =
            std::make_unique<DisplayControl>(dir_->path() + "data/", "Nimbus Desk", prompts_);
        TformTextDisplay *log = registry->OpenViewer(*dir_ / "Log.txt", "Log file - 1", "text");
        QCOMPARE(registry->OpenViewer(*dir_ / "LOG.TXT", "Log file - 2", "text"), log);
        QCOMPARE(log->windowTitle(), QStringLiteral("Log file - 2"));
        QPointer<TformTextDisplay> other =
            registry->OpenViewer(*dir_ / "Other.txt", "Other", "text");
        QVERIFY(other.data() != log);
        QCOMPARE(registry->count(), 2);

        log->present();
        log->close(); // a closed viewer leaves the registry
        QTRY_COMPARE(registry->count(), 1);
        QVERIFY(registry->find(*dir_ / "Log.txt") == nullptr);

        other->present();
        registry.reset();
        QVERIFY(other.isNull());
    }
};

QTEST_MAIN(ViewerWindowTest)
#include "ViewerWindowTest.moc"
