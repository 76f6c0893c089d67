// The recurrence editor in the real "Topic options" dialog over the real main window: a custom
// weekly rule chosen, previewed and stored (the recurrence file, the store file's plain rule,
// the tree's due date) as one step that undoes and redoes, and a rule from another program
// that survives OK untouched and goes when the topic becomes one-off.
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QtTest>

#include "recurrence/TopicRecurrence.h"
#include "shell/TreeActions.h"
#include "shell/dialogs/RecurrenceEditor.h"
#include "shell/dialogs/TformProgress.h"
#include "shell/summary/InfoGrids.h"
#include "shell/tree/WindowFixture.h"

using namespace nimbus;
using namespace nimbus::test;

namespace {

// The real dialog, handed to the test's hands as soon as it is up.
class EditorPrompts : public FakePrompts {
public:
    bool editTopicOptions(QWidget *parent, TopicOptions &values, const Clock &clock) override
    {
        QTimer answer;
        answer.setInterval(10);
        QObject::connect(&answer, &QTimer::timeout, [&] {
            auto *dialog =
                qobject_cast<dialogs::TformProgress *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            answer.stop();
            hands(*dialog);
        });
        answer.start();
        return real->editTopicOptions(parent, values, clock);
    }

    std::unique_ptr<ShellPrompts> real = makeDialogPrompts();
    std::function<void(dialogs::TformProgress &)> hands;
};

// What a screen reader reads for each row of the due grid beside the tree.
QStringList dueRows(TformMain &window)
{
    window.treeController()->timerTreeTick();
    QStringList rows;
    QAccessibleInterface *list =
        QAccessible::queryAccessibleInterface(window.infoGrids()->gridInfo);
    for (int i = 0; list && i < list->childCount(); ++i)
        rows << list->child(i)->text(QAccessible::Name);
    return rows;
}

} // namespace

class RecurrenceEditorWindowTest : public QObject {
    Q_OBJECT

    struct Scene {
        TempFolder dir;
        FixedClock clock{DateTime::fromCivil(2026, 3, 10, 9, 30, 0)}; // a Tuesday
        std::shared_ptr<EditorPrompts> prompts = std::make_shared<EditorPrompts>();
        std::unique_ptr<TformMain> window;
        TNimbusNode *topic = nullptr;
        std::string recurrenceFile;

        explicit Scene(const std::function<void(TNimbusNode &)> &fill,
                       const std::string &rules = {})
        {
            StoreWriter w(dataFolder(dir));
            w.add(0, "Topics").expanded();
            fill(*w.add(1, "Water plants").type(kTopicTask).status(kStatusNotStarted).node);
            w.write();
            recurrenceFile = dataFolder(dir) + "Recurrence.dat";
            if (!rules.empty())
                writeFile(recurrenceFile, rules);
            window = std::make_unique<TformMain>(clock, windowEnvironment(dir, prompts));
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window.get()));
            for (int i = 0; i < window->store()->Count(); ++i)
                if (window->store()->Node(i)->text == "Water plants")
                    topic = window->store()->Node(i);
            QVERIFY(topic);
        }
        void editOptions(std::function<void(dialogs::TformProgress &)> hands)
        {
            prompts->hands = std::move(hands);
            window->treeController()->selectNode(topic);
            window->treeActions()->MVEdit->trigger();
        }
        std::string savedRules()
        {
            window->SaveStore();
            return std::filesystem::exists(recurrenceFile) ? readFile(recurrenceFile) : "";
        }
        // The topic's repeat as the store file keeps it.
        std::string savedRepeat()
        {
            window->SaveStore();
            TNimbusStructure saved;
            saved.SetFileName(dataFolder(dir) + "Structure.dat");
            saved.LoadStructure();
            const TNimbusNode *node = saved.Find(topic->uni);
            return node ? "recur=" + std::to_string(node->recur) + " every " +
                              std::to_string(node->rno) + " unit " + std::to_string(node->rtype) +
                              " due " + node->dlDate
                        : "gone";
        }
    };

private slots:
    void aWeeklyRuleChosenInTheDialogIsStoredAsOneStep()
    {
        Scene s([&](TNimbusNode &n) {
            n.dl = true;
            n.dlDate = "20260310";
        });
        // Cancel after choosing a rule changes nothing.
        s.editOptions([&](dialogs::TformProgress &d) {
            d.radioRecur->click();
            d.recurrenceEditor->checkCustomRule->click();
            d.recurrenceEditor->buttonEveryWeekday->click();
            d.buttonCancel->click();
        });
        QVERIFY(!s.topic->recur);
        QVERIFY(!recurrence::attachedSeries(*s.topic));
        QVERIFY(!s.window->treeActions()->MVUndo->isEnabled());
        QCOMPARE(QString::fromStdString(s.savedRules()), QString());

        QString preview;
        s.editOptions([&](dialogs::TformProgress &d) {
            dialogs::RecurrenceEditor *e = d.recurrenceEditor;
            QVERIFY(!e->panelRule->isVisibleTo(&d));
            d.radioRecur->click();
            e->checkCustomRule->click();
            QVERIFY(e->panelRule->isVisibleTo(&d));
            QVERIFY(!d.editRecurNo->isEnabled());
            e->comboFrequency->setCurrentIndex(1); // weekly, on the first date's Tuesday
            for (int weekday : {0, 1, 2, 4})       // Monday, Wednesday, Friday in; Tuesday out
                e->checkWeekday[static_cast<std::size_t>(weekday)]->click();
            e->radioEndCount->click();
            e->spinEndCount->setValue(10);
            preview = e->labelPreview->text();
            QCOMPARE(d.comboRecurPeriod->currentIndex(), int(kUnitWeeks));
            d.buttonOK->click();
        });
        QCOMPARE(preview,
                 QStringLiteral(
                     "Next dates: 11/03/2026, 13/03/2026, 16/03/2026, 18/03/2026, 20/03/2026"));

        const std::string rule =
            s.topic->uni + "\tSTART=20260311;FREQ=WEEKLY;BYDAY=MO,WE,FR;COUNT=10";
        QCOMPARE(QString::fromStdString(s.savedRules()), QString::fromStdString(rule + "\r\n"));
        QCOMPARE(s.savedRepeat(), std::string("recur=1 every 1 unit 3 due 20260311"));
        QVERIFY2(dueRows(*s.window).contains("Water plants: 1 day"),
                 qPrintable(dueRows(*s.window).join(" | ")));

        // One step takes the series off with the dates, and puts both back.
        s.window->treeActions()->MVUndo->trigger();
        QVERIFY(!recurrence::attachedSeries(*s.topic));
        QVERIFY(!s.topic->recur);
        QCOMPARE(s.topic->dlDate, std::string("20260310"));
        QCOMPARE(QString::fromStdString(s.savedRules()), QString::fromStdString(std::string()));
        QVERIFY(!s.window->treeActions()->MVUndo->isEnabled());
        s.window->treeActions()->MVRedo->trigger();
        QCOMPARE(QString::fromStdString(s.savedRules()), QString::fromStdString(rule + "\r\n"));
        QCOMPARE(s.topic->dlDate, std::string("20260311"));
        QVERIFY(recurrence::seriesOf(*s.topic));
    }

    void aRuleFromAnotherProgramSurvivesOkAndGoesWithTheRepeat()
    {
        // The last weekday of each month, the end of March skipped: next is Thursday 30 April.
        const std::string rule =
            "START=20260227;FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1;EXDATE=20260331";
        Scene s(
            [&](TNimbusNode &n) {
                n.recur = true;
                n.dl = true;
                n.rno = 1;
                n.rtype = kUnitMonths;
                n.dlDate = n.rsDate = "20260430";
            },
            "101\t" + rule + "\r\n");
        QCOMPARE(s.topic->uni, std::string("101"));
        const std::string before = readFile(s.recurrenceFile);

        QString words;
        QString preview;
        s.editOptions([&](dialogs::TformProgress &d) {
            dialogs::RecurrenceEditor *e = d.recurrenceEditor;
            QVERIFY(e->checkCustomRule->isChecked());
            QVERIFY(e->panelForeign->isVisibleTo(&d));
            QVERIFY(!e->panelRule->isVisibleTo(&d));
            QCOMPARE(d.editRecurNo->text(), QStringLiteral("1"));
            words = e->labelForeignRule->text();
            preview = e->labelPreview->text();
            d.buttonOK->click();
        });
        QVERIFY2(words.startsWith("Every month on Monday, Tuesday, Wednesday, Thursday and Friday, "
                                  "taking the last of those days in each month; 1 date skipped\n"),
                 qPrintable(words));
        QVERIFY(words.contains("kept as it is"));
        QCOMPARE(preview,
                 QStringLiteral(
                     "Next dates: 30/04/2026, 29/05/2026, 30/06/2026, 31/07/2026, 31/08/2026"));
        QCOMPARE(QString::fromStdString(s.savedRules()), QString::fromStdString(before));
        QCOMPARE(s.topic->dlDate, std::string("20260430"));
        QVERIFY(!s.window->treeActions()->MVUndo->isEnabled());

        // One-off: the rule goes from the topic and the file, and undo brings it back.
        s.editOptions([&](dialogs::TformProgress &d) {
            d.radioOneOff->click();
            d.buttonOK->click();
        });
        QVERIFY(!recurrence::attachedSeries(*s.topic));
        QCOMPARE(QString::fromStdString(s.savedRules()), QString::fromStdString(std::string()));
        s.window->treeActions()->MVUndo->trigger();
        QCOMPARE(QString::fromStdString(s.savedRules()), QString::fromStdString(before));
        QVERIFY(recurrence::seriesOf(*s.topic));
    }

    void everyWeekdayIsOneClickAndThePlainRuleComesBack()
    {
        TNimbusNode node("42");
        node.lev = 1;
        node.type = kSectionTopics;
        node.ttype = kTopicTask;
        node.recur = node.dl = true;
        node.rno = 2;
        node.rtype = kUnitWeeks;
        node.dlDate = node.rsDate = "20260310";
        const FixedClock clock(DateTime::fromCivil(2026, 3, 9, 12, 0, 0));
        dialogs::TformProgress d(topicOptionsFromNode(node, 0, false), clock);
        dialogs::RecurrenceEditor *e = d.recurrenceEditor;

        // The custom rule starts from "every 2 weeks" on the date's Tuesday.
        e->checkCustomRule->click();
        QCOMPARE(e->spinInterval->value(), 2);
        QVERIFY(e->checkWeekday[1]->isChecked());
        e->buttonEveryWeekday->click();
        QCOMPARE(e->spinInterval->value(), 1);
        QCOMPARE(e->labelPreview->text(),
                 QStringLiteral(
                     "Next dates: 10/03/2026, 11/03/2026, 12/03/2026, 13/03/2026, 16/03/2026"));
        QCOMPARE(d.editRecurNo->text(), QStringLiteral("1"));
        QCOMPARE(d.comboRecurPeriod->currentIndex(), int(kUnitDays));

        // Given up, the plain rule is back as it was, to be edited again.
        e->checkCustomRule->click();
        QCOMPARE(d.editRecurNo->text(), QStringLiteral("2"));
        QCOMPARE(d.comboRecurPeriod->currentIndex(), int(kUnitWeeks));
        QVERIFY(d.editRecurNo->isEnabled());

        e->checkCustomRule->click();
        d.buttonOK->click();
        QCOMPARE(QString::fromStdString(d.values().richRule),
                 QStringLiteral("START=20260310;FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR"));
        QCOMPARE(d.values().recurCount, 1);
        QCOMPARE(d.values().recurUnit, int(kUnitDays));
    }
};

QTEST_MAIN(RecurrenceEditorWindowTest)
#include "RecurrenceEditorWindowTest.moc"
