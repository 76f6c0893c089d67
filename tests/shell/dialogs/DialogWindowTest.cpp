// The topic dialogs driven through their real widgets under the offscreen platform: controls
// set, OK or Cancel pressed, values and nodes checked.
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimeEdit>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include "shell/dialogs/ClickLabel.h"
#include "shell/dialogs/TformProgress.h"
#include "shell/dialogs/TformSelection.h"
#include "shell/dialogs/TformTitle.h"
#include "shell/dialogs/TformTopicSelect.h"
#include "shell/dialogs/TimePicker.h"
#include "store/Clock.h"
#include "store/DateFormat.h"
#include "store/TNimbusNode.h"

using namespace nimbus;
using namespace nimbus::dialogs;

namespace {

const FixedClock kClock(DateTime::fromCivil(2024, 3, 10, 12, 0, 0));

TNimbusNode makeTask(int status, int percent)
{
    TNimbusNode node("42");
    node.lev = 1;
    node.type = kSectionTopics;
    node.text = "Write report";
    node.status = status;
    node.percent = percent;
    node.dl = true;
    node.dlDate = "20240320";
    return node;
}

// Clicks a check box or radio button on its indicator, where a user clicks.
void clickIndicator(QAbstractButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

void typeInto(QLineEdit *edit, const QString &text)
{
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

// Shows the dialog for a node, lets the test work the controls, presses OK and applies.
template <typename Work> TopicOptionsApplied editNode(TNimbusNode &node, Work work)
{
    TformProgress dialog(topicOptionsFromNode(node, dates::DayMonthYear, false), kClock);
    dialog.show();
    if (!QTest::qWaitForWindowExposed(&dialog))
        return {};
    work(dialog);
    QTest::mouseClick(dialog.buttonOK, Qt::LeftButton);
    if (dialog.result() != QDialog::Accepted)
        return {};
    return applyTopicOptions(dialog.values(), node, kClock);
}

} // namespace

class DialogWindowTest : public QObject {
    Q_OBJECT

private slots:
    void progressShowsTheTopic()
    {
        TNimbusNode node = makeTask(kStatusInProgress, 30);
        node.dlTime = "16:45:00";
        node.from = "Robin";
        node.sent = "20240301-101112";
        node.pri = 4;
        TformProgress dialog(topicOptionsFromNode(node, dates::YearMonthDay, false), kClock);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Topic options"));
        QCOMPARE(dialog.editTopicName->text(), QStringLiteral("Write report"));
        QCOMPARE(dialog.labelTopicType->text(), QStringLiteral("Task in progress"));
        QCOMPARE(dialog.labelSentBy->text(), QStringLiteral("Sent from: Robin"));
        QCOMPARE(dialog.labelSentDate->text(), QStringLiteral("2024/03/01 10:11:12"));
        QCOMPARE(dialog.pickerDeadDate->displayFormat(), QStringLiteral("yyyy'/'MM'/'dd"));
        QCOMPARE(dialog.pickerDeadDate->date(), QDate(2024, 3, 20));
        QVERIFY(dialog.pickerDeadTime->isChecked());
        QCOMPARE(dialog.pickerDeadTime->time(), QTime(16, 45));
        QVERIFY(dialog.radioOneOff->isChecked());
        QVERIFY(dialog.radioOneOff->font().bold());
        QCOMPARE(dialog.comboPercent->currentText(), QStringLiteral("30"));
        QCOMPARE(dialog.comboPriority->currentText(), QStringLiteral("4"));
        QCOMPARE(dialog.comboPriority->count(), 9);
        QCOMPARE(dialog.comboPercent->count(), 11);

        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(dialog.labelPercent->isVisible());
        QVERIFY(!dialog.editDurationNo->isVisible());
        QVERIFY(!dialog.panelLastDone->isVisible());
        QVERIFY(!dialog.panelRecur->isEnabled());
    }

    void okOnTaskAtFortyPercentPutsItInProgress()
    {
        TNimbusNode node = makeTask(kStatusNotStarted, 0);
        const TopicOptionsApplied done =
            editNode(node, [](TformProgress &d) { d.comboPercent->setCurrentIndex(4); });
        QVERIFY(done.applied);
        QCOMPARE(node.status, int(kStatusInProgress));
        QCOMPARE(node.percent, 40);
        QVERIFY(node.prog);
        QCOMPARE(QString::fromStdString(node.statusText), QStringLiteral("10 days"));
    }

    void okOnTaskAtHundredPercentCompletesIt()
    {
        TNimbusNode node = makeTask(kStatusInProgress, 60);
        editNode(node, [](TformProgress &d) { d.comboPercent->setCurrentIndex(10); });
        QCOMPARE(node.status, int(kStatusCompleted));
        QCOMPARE(node.percent, 100);
        QVERIFY(node.statusText.empty());
        QCOMPARE(node.sortKey.front(), 'X');

        // A completed task's percentage cannot be changed in the dialog.
        TformProgress again(topicOptionsFromNode(node, 0, false), kClock);
        QVERIFY(!again.comboPercent->isEnabled());
    }

    void okMakesATaskRecurring()
    {
        TNimbusNode node = makeTask(kStatusNotStarted, 0);
        editNode(node, [](TformProgress &d) {
            clickIndicator(d.radioRecur);
            QVERIFY(d.panelRecur->isEnabled());
            QVERIFY(!d.checkDeadLine->isEnabled());
            QVERIFY(d.radioRecur->font().bold());
            typeInto(d.editRecurNo, QStringLiteral("2"));
            d.comboRecurPeriod->setCurrentIndex(kUnitWeeks);
            d.pickerRecurDate->setDate(QDate(2024, 3, 14));
            d.pickerRecurTime->setChecked(true);
            d.pickerRecurTime->setTime(QTime(9, 15));
        });
        QVERIFY(node.recur);
        QVERIFY(node.dl);
        QCOMPARE(node.rno, 2);
        QCOMPARE(node.rtype, int(kUnitWeeks));
        QCOMPARE(QString::fromStdString(node.rsDate), QStringLiteral("20240314"));
        QCOMPARE(QString::fromStdString(node.dlDate), QStringLiteral("20240314"));
        QCOMPARE(QString::fromStdString(node.dlTime), QStringLiteral("09:15:00"));

        // Completed and confirmed again: not started, 0 %, same date.
        node.status = kStatusCompleted;
        editNode(node, [](TformProgress &d) {
            QCOMPARE(d.editRecurNo->text(), QStringLiteral("2"));
            QCOMPARE(d.comboRecurPeriod->currentText(), QStringLiteral("Weeks"));
        });
        QCOMPARE(node.status, int(kStatusNotStarted));
        QCOMPARE(node.percent, 0);
        QCOMPARE(QString::fromStdString(node.dlDate), QStringLiteral("20240314"));
    }

    void choosingRecurringCarriesAFutureDueDateOverAPastNextDate()
    {
        TNimbusNode node = makeTask(kStatusNotStarted, 0);
        node.dlTime = "08:00:00";
        node.rsDate = "20240101"; // left over from an earlier recurrence
        node.rno = 1;
        node.rtype = kUnitDays;
        node.recur = true;
        TformProgress dialog(topicOptionsFromNode(node, 0, false), kClock);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.pickerRecurDate->date(), QDate(2024, 1, 1));
        clickIndicator(dialog.radioOneOff);
        dialog.pickerDeadDate->setDate(QDate(2024, 3, 25));
        clickIndicator(dialog.radioRecur);
        QCOMPARE(dialog.pickerRecurDate->date(), QDate(2024, 3, 25));
        QVERIFY(dialog.pickerRecurTime->isChecked());
        QCOMPARE(dialog.pickerRecurTime->time(), QTime(8, 0));
    }

    void layoutFollowsTheBoxesAndCounts()
    {
        TNimbusNode node = makeTask(kStatusInProgress, 50);
        node.childCount = 3;
        node.calpr = false;
        TformProgress dialog(topicOptionsFromNode(node, 0, true), kClock);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));

        QVERIFY(dialog.pickerDeadDate->isEnabled());
        QVERIFY(dialog.editFlagNo->isEnabled());
        clickIndicator(dialog.checkDeadLine);
        QVERIFY(!dialog.checkDeadLine->isChecked());
        QVERIFY(!dialog.pickerDeadDate->isEnabled());
        QVERIFY(!dialog.pickerDeadTime->isEnabled());
        QVERIFY(!dialog.checkAutoComplete->isEnabled());
        QVERIFY(!dialog.editFlagNo->isEnabled());

        QVERIFY(dialog.checkCalcProgress->isEnabled());
        QVERIFY(dialog.comboPercent->isEnabled());
        clickIndicator(dialog.checkCalcProgress);
        QVERIFY(!dialog.comboPercent->isEnabled());

        // "1" switches the period names to the singular, keeping the chosen unit.
        clickIndicator(dialog.radioRecur);
        dialog.comboRecurPeriod->setCurrentIndex(kUnitMonths);
        typeInto(dialog.editRecurNo, QStringLiteral("1"));
        QCOMPARE(dialog.comboRecurPeriod->currentText(), QStringLiteral("Month"));
        QCOMPARE(dialog.comboRecurPeriod->itemText(kUnitHours), QStringLiteral("Hour"));
        typeInto(dialog.editRecurNo, QStringLiteral("12"));
        QCOMPARE(dialog.comboRecurPeriod->currentText(), QStringLiteral("Months"));
    }

    void eventShowsDurationAndKeepsAtLeastOnePeriod()
    {
        TNimbusNode node = makeTask(kStatusNotStarted, 0);
        node.ttype = kTopicEvent;
        node.dlDate = "20240310";
        node.durno = 1;
        node.durtype = kUnitDays;
        editNode(node, [](TformProgress &d) {
            QCOMPARE(d.labelType->text(), QStringLiteral("Choose type of event"));
            QVERIFY(d.editDurationNo->isVisible());
            QVERIFY(!d.comboPriority->isVisible());
            QCOMPARE(d.comboDurationPeriod->currentText(), QStringLiteral("Day"));
            typeInto(d.editDurationNo, QStringLiteral("0"));
            QCOMPARE(d.comboDurationPeriod->currentText(), QStringLiteral("Days"));
        });
        QCOMPARE(node.durno, 1);
        QCOMPARE(node.status, int(kStatusInProgress));
        QCOMPARE(QString::fromStdString(node.statusText), QStringLiteral("In progress"));
    }

    void cancelAndEscapeLeaveTheNodeAlone()
    {
        TNimbusNode node = makeTask(kStatusNotStarted, 0);
        TformProgress dialog(topicOptionsFromNode(node, 0, false), kClock);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        typeInto(dialog.editTopicName, QStringLiteral("Other"));
        dialog.comboPercent->setCurrentIndex(10);
        QTest::mouseClick(dialog.buttonCancel, Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(dialog.values().cancelled);
        QVERIFY(!applyTopicOptions(dialog.values(), node, kClock).applied);
        QCOMPARE(QString::fromStdString(node.text), QStringLiteral("Write report"));

        // Modal, as the main window opens it: Escape closes it without a change.
        TformProgress modal(topicOptionsFromNode(node, 0, false), kClock);
        QTimer::singleShot(0, &modal, [&modal] { QTest::keyClick(&modal, Qt::Key_Escape); });
        QCOMPARE(modal.exec(), int(QDialog::Rejected));
        QVERIFY(modal.values().cancelled);
    }

    void modalOkRenamesTheTopic()
    {
        TNimbusNode node = makeTask(kStatusNotStarted, 0);
        TformProgress modal(topicOptionsFromNode(node, 0, false), kClock);
        QTimer::singleShot(0, &modal, [&modal] {
            modal.editTopicName->setText(QStringLiteral("Final report"));
            modal.buttonOK->click();
        });
        QCOMPARE(modal.exec(), int(QDialog::Accepted));
        QVERIFY(applyTopicOptions(modal.values(), node, kClock).titleChanged);
        QCOMPARE(QString::fromStdString(node.text), QStringLiteral("Final report"));
    }

    void topicSelectReturnsTheBoldChoice()
    {
        TformTopicSelect dialog(kTopicInformation);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Select topic type"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(dialog.labelInfo->font().bold());
        QVERIFY(!dialog.labelThings->font().bold());
        QTest::mouseClick(dialog.labelIdeas, Qt::LeftButton);
        QVERIFY(dialog.labelIdeas->font().bold());
        QVERIFY(!dialog.labelInfo->font().bold());
        QTest::mouseClick(dialog.buttonMoney, Qt::LeftButton);
        QVERIFY(dialog.labelMoney->font().bold());
        QVERIFY(!dialog.labelIdeas->font().bold());
        QTest::mouseClick(dialog.buttonOK, Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.chosenType(), int(kTopicFinancial));

        // A preset outside the four choices comes back when nothing was chosen.
        TformTopicSelect general(kTopicGeneral);
        general.buttonOKClick();
        QCOMPARE(general.chosenType(), int(kTopicGeneral));
        TformTopicSelect cancelled(kTopicTask);
        cancelled.buttonCancel->click();
        QCOMPARE(cancelled.result(), int(QDialog::Rejected));
    }

    void selectionWithoutTopicsOffersNothing()
    {
        TformSelection dialog("Tasks overdue", {});
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Topic Selection"));
        QCOMPARE(dialog.labTitle->text(), QStringLiteral("Tasks overdue"));
        QCOMPARE(dialog.StringGrid1->rowCount(), 0);
        QCOMPARE(dialog.StringGrid1->horizontalHeaderItem(2)->text(), QStringLiteral("Topics"));
        QVERIFY(!dialog.buttonSelect->isEnabled());
        dialog.StringGrid1DblClick();
        dialog.buttonSelectClick();
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.chosenRow(), -1);
    }

    void selectionChoosesARow()
    {
        TNimbusNode a("1"), b("2"), c("3");
        a.text = "Alpha";
        b.text = "Beta";
        b.statusText = "2 days";
        b.highlightColour = kColourBlueGrey;
        c.text = "Gamma";
        std::vector<TNimbusNode *> nodes{&a, &b, &c};

        TformSelection dialog("Urgent topics", nodes);
        dialog.resize(500, 300);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.StringGrid1->rowCount(), 3);
        QCOMPARE(dialog.selectedRow(), 1);
        QVERIFY(dialog.buttonSelect->isEnabled());
        QCOMPARE(dialog.nodeOfRow(2), &b);
        QCOMPARE(dialog.StringGrid1->item(1, 0)->text(), QStringLiteral("2 days"));
        QCOMPARE(dialog.StringGrid1->item(1, 2)->text(), QStringLiteral("Beta"));

        // A double click on the heading chooses nothing; one on a row chooses it.
        QHeaderView *header = dialog.StringGrid1->horizontalHeader();
        QTest::mouseDClick(header->viewport(), Qt::LeftButton, {},
                           QPoint(20, header->height() / 2));
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.chosenRow(), -1);
        const QRect third = dialog.StringGrid1->visualItemRect(dialog.StringGrid1->item(2, 2));
        QTest::mouseClick(dialog.StringGrid1->viewport(), Qt::LeftButton, {}, third.center());
        QTest::mouseDClick(dialog.StringGrid1->viewport(), Qt::LeftButton, {}, third.center());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.chosenRow(), 3);
        QCOMPARE(nodes[static_cast<std::size_t>(dialog.chosenRow() - 1)], &c);

        TformSelection picked("Urgent topics", nodes);
        picked.StringGrid1->selectRow(1);
        picked.buttonSelect->click();
        QCOMPARE(picked.chosenRow(), 2);
        TformSelection cancelled("Urgent topics", nodes);
        cancelled.Cancel->click();
        QCOMPARE(cancelled.chosenRow(), -1);
        QCOMPARE(cancelled.result(), int(QDialog::Rejected));
    }

    void titleDialogTakesEnterAsOk()
    {
        TformTitle dialog("Details");
        QCOMPARE(dialog.editTitle->text(), QStringLiteral("Details"));
        QTimer::singleShot(0, &dialog, [&dialog] {
            dialog.editTitle->selectAll();
            QTest::keyClicks(dialog.editTitle, QStringLiteral("Minutes"));
            QTest::keyClick(dialog.editTitle, Qt::Key_Return);
        });
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QCOMPARE(QString::fromStdString(dialog.title()), QStringLiteral("Minutes"));
    }
};

QTEST_MAIN(DialogWindowTest)
#include "DialogWindowTest.moc"
