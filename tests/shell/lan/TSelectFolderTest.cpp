// The folder chooser driven through its controls: where it opens, moving through folders,
// creating a sub-folder (and refusing a bad name with its message), OK and Cancel.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include "shell/lan/TSelectFolder.h"
#include "support/TempFolder.h"

using namespace nimbus;

class TSelectFolderTest : public QObject {
    Q_OBJECT

    static QString folderOf(const test::TempFolder &dir, const std::string &name = "")
    {
        return QDir::cleanPath(QString::fromStdString(dir / name));
    }

    static QStringList rows(QListWidget *list)
    {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text().trimmed();
        return out;
    }

private slots:
    void opensAtTheStartFolderOrAtHome()
    {
        test::TempFolder dir;
        std::filesystem::create_directories(dir / "projects/alpha");
        test::writeFile(dir / "projects/notes.txt", "x");
        QString result = "old";
        TSelectFolder dialog(result, "LANNimbus", folderOf(dir, "projects"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Choose a folder or create a new folder"));
        QCOMPARE(dialog.editNewProjPath->text(), folderOf(dir, "projects"));
        QVERIFY(rows(dialog.DirectoryListBox1).contains("alpha"));
        QCOMPARE(rows(dialog.FileListBox1), QStringList{"notes.txt"});
        QVERIFY2(result.isEmpty(), "nothing is chosen until OK");
        // The home folder is the first drive; the folder shown lies on one of the drives.
        QCOMPARE(dialog.DriveComboBox1->itemData(0).toString(), QDir::homePath());
        QVERIFY(dialog.DriveComboBox1->currentIndex() >= 0);

        TSelectFolder missing(result, "LANNimbus", folderOf(dir, "not-there"));
        QCOMPARE(missing.currentFolder(), QDir::cleanPath(QDir::homePath()));
        QVERIFY2(QDir::homePath().contains("test-home"), "the tests never look at a real home");
    }

    void clickingAFolderOpensItAndOkReturnsWhatIsShown()
    {
        test::TempFolder dir;
        std::filesystem::create_directories(dir / "projects/alpha");
        QString result;
        TSelectFolder dialog(result, "LANNimbus", folderOf(dir, "projects"));
        QListWidgetItem *alpha =
            dialog.DirectoryListBox1->findItems("alpha", Qt::MatchEndsWith).value(0);
        QVERIFY(alpha);
        dialog.DirectoryListBox1Click(alpha);
        QCOMPARE(dialog.editNewProjPath->text(), folderOf(dir, "projects/alpha"));
        // Going back up through the chain of parents shown above it.
        QListWidgetItem *up =
            dialog.DirectoryListBox1->findItems("projects", Qt::MatchEndsWith).value(0);
        dialog.DirectoryListBox1Click(up);
        QCOMPARE(dialog.currentFolder(), folderOf(dir, "projects"));

        dialog.editNewProjPath->setText("/typed/by/hand");
        QTest::mouseClick(dialog.buttonOK, Qt::LeftButton);
        QCOMPARE(result, QStringLiteral("/typed/by/hand"));
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void createsASubFolderOrSaysTheNameIsInvalid()
    {
        test::TempFolder dir;
        QString result;
        TSelectFolder dialog(result, "LANNimbus", folderOf(dir));
        QStringList warnings;
        dialog.setWarning([&](const QString &caption, const QString &message) {
            warnings << caption + ": " + message;
        });
        dialog.FormActivate();
        QCOMPARE(dialog.editNewSubFolder->text(), QStringLiteral("LANNimbus"));
        QTest::mouseClick(dialog.Button1, Qt::LeftButton);
        QVERIFY(QFileInfo(folderOf(dir, "LANNimbus")).isDir());
        QCOMPARE(dialog.currentFolder(), folderOf(dir, "LANNimbus"));
        QCOMPARE(dialog.editNewProjPath->text(), folderOf(dir, "LANNimbus"));
        QVERIFY(dialog.editNewSubFolder->text().isEmpty());
        QVERIFY(warnings.isEmpty());

        dialog.editNewSubFolder->setText("../sneaky");
        QTest::mouseClick(dialog.Button1, Qt::LeftButton);
        QCOMPARE(warnings, QStringList{"Waymark warning: The folder name is invalid and cannot be "
                                       "created."});
        QCOMPARE(dialog.currentFolder(), folderOf(dir, "LANNimbus"));
        QVERIFY(!QFileInfo(folderOf(dir, "sneaky")).exists());

        // The pop-up item offers the suggested name again.
        dialog.CreateNewFolder1->trigger();
        QCOMPARE(dialog.editNewSubFolder->text(), QStringLiteral("LANNimbus"));

        QTest::mouseClick(dialog.buttonCancel, Qt::LeftButton);
        QVERIFY(result.isEmpty());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(TSelectFolderTest)
#include "TSelectFolderTest.moc"
