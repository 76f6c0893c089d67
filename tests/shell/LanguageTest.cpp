// The window in the user's language: German and French from the environment, English where the
// user asked for it or nothing is translated, and the data files the same in every language.
#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "EveryDialog.h"
#include "fileio/LanguageChoice.h"
#include "fileio/UiText.h"
#include "shell/TformMain.h"
#include "shell/TopicOptionsSample.h"
#include "shell/UiTranslations.h"
#include "shell/dialogs/TformProgress.h"
#include "store/DateFormat.h"
#include "store/TopicOptions.h"
#include "support/TempFolder.h"

using namespace nimbus;

namespace {

LanguageChoice choiceOf(std::map<std::string, std::string> environment)
{
    return LanguageChoice([environment](const char *name) -> const char * {
        const auto found = environment.find(name);
        return found == environment.end() ? nullptr : found->second.c_str();
    });
}

TformMain::Environment environmentFor(const test::TempFolder &dir)
{
    const std::string home = dir / "home";
    std::filesystem::create_directories(home);
    return {[home](const std::string &name) { return name == "HOMEDRIVE" ? home : ""; },
            dir / "prog/nimbus",
            dir / "channels",
            {}};
}

QString actionText(const TformMain &window, const char *name)
{
    const auto *action = window.findChild<QAction *>(QString::fromLatin1(name));
    return action ? action->text() : QStringLiteral("<no action %1>").arg(QLatin1String(name));
}

std::string fileBytes(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Starts a window on a new data folder, lets it start and closes it; returns what it wrote to
// the store and to the main log.
std::string filesWrittenBy(const test::TempFolder &dir)
{
    FixedClock clock(DateTime::fromCivil(2026, 12, 5, 14, 3, 9));
    std::string logFile;
    {
        TformMain window(clock, environmentFor(dir));
        window.timerStart->setInterval(0);
        window.show();
        if (!QTest::qWaitFor([&window] { return window.timerSave->isActive(); }))
            return {};
        logFile = window.paths().MainLogFile;
        window.close();
    }
    return fileBytes(dir / "home/$Nimbus/Structure.dat") + "\n--\n" + fileBytes(logFile);
}

// The width a text needs on one line, without the '&' that marks its Alt key.
int textWidth(const QFontMetrics &metrics, QString text)
{
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove(QLatin1Char('&'));
    int widest = 0;
    for (const QString &line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest;
}

// Every label, button and group title shown in the window that is narrower than its text.
QStringList textsCutOff(const QWidget *root, int *checked = nullptr)
{
    QStringList cut;
    const auto report = [&cut, checked](const QWidget *w, const QString &text, int need, int have) {
        if (checked)
            ++*checked;
        if (need > have)
            cut << QStringLiteral("%1 %2 \"%3\": needs %4 px, has %5")
                       .arg(QLatin1String(w->metaObject()->className()), w->objectName(), text)
                       .arg(need)
                       .arg(have);
    };
    for (const QWidget *w : root->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(root) || w->width() <= 0)
            continue;
        if (const auto *label = qobject_cast<const QLabel *>(w)) {
            // Rich text and wrapped labels break their lines themselves.
            if (!label->wordWrap() && !label->text().isEmpty() &&
                !Qt::mightBeRichText(label->text()))
                report(w, label->text(), textWidth(label->fontMetrics(), label->text()),
                       label->contentsRect().width() - 2 * label->margin());
        } else if (const auto *button = qobject_cast<const QAbstractButton *>(w)) {
            const auto *tool = qobject_cast<const QToolButton *>(w);
            if (button->text().isEmpty() ||
                (tool && tool->toolButtonStyle() == Qt::ToolButtonIconOnly))
                continue;
            int extra = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
            if (qobject_cast<const QCheckBox *>(w) || qobject_cast<const QRadioButton *>(w))
                extra += w->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, w) +
                         w->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, w);
            report(w, button->text(), textWidth(button->fontMetrics(), button->text()) + extra,
                   button->width());
        } else if (const auto *group = qobject_cast<const QGroupBox *>(w)) {
            if (!group->title().isEmpty())
                report(w, group->title(), textWidth(group->fontMetrics(), group->title()),
                       group->width());
        }
    }
    return cut;
}

using test::taskWithEverything;

} // namespace

class LanguageTest : public QObject {
    Q_OBJECT

private slots:
    void theProgramHasGermanAndFrench()
    {
        const QStringList languages = UiTranslations::available();
        QVERIFY2(languages.contains(QStringLiteral("de")), qPrintable(languages.join(',')));
        QVERIFY2(languages.contains(QStringLiteral("fr")), qPrintable(languages.join(',')));
    }

    void aGermanDesktopGetsAGermanWindowAndGermanCoreTexts()
    {
        test::TempFolder dir;
        FixedClock clock;
        {
            const UiTranslations translations(*qApp, choiceOf({{"LANG", "de_DE.UTF-8"}}));
            QCOMPARE(translations.language(), QStringLiteral("de"));
            TformMain window(clock, environmentFor(dir));
            QCOMPARE(actionText(window, "MVAddItem"), QStringLiteral("Neues Thema einfügen"));
            QCOMPARE(actionText(window, "MVSkipOccurrence"),
                     QStringLiteral("Diesen Termin überspringen"));
            // Texts the core makes for the user go through the same translations.
            const auto *overdue = window.findChild<QLabel *>(QStringLiteral("labOverdue"));
            QVERIFY(overdue);
            QCOMPARE(overdue->text(), QStringLiteral("Überfällig: 0"));
            QCOMPARE(text::translate("nimbus::TreeActions", "Undo"), std::string("Rückgängig"));
            // Qt's standard texts come from the system's Qt translations.
            QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"),
                     QStringLiteral("Abbrechen"));
        }
        // Gone with the object: a later window is English again.
        QCOMPARE(text::translate("nimbus::TreeActions", "Undo"), std::string("Undo"));
        QCOMPARE(QCoreApplication::translate("nimbus::TreeActions", "Undo"),
                 QStringLiteral("Undo"));
    }

    void theFirstLanguageWeHaveInTheUsersListWins()
    {
        test::TempFolder dir;
        FixedClock clock;
        const UiTranslations translations(
            *qApp, choiceOf({{"LANG", "fr_FR.UTF-8"}, {"LANGUAGE", "pt_BR:fr:de"}}));
        QCOMPARE(translations.language(), QStringLiteral("fr"));
        TformMain window(clock, environmentFor(dir));
        QCOMPARE(actionText(window, "MVAddItem"), QStringLiteral("Insérer un nouveau sujet"));
    }

    void englishWhereTheUserAskedForItOrHasNoLanguage()
    {
        for (const auto &environment : std::vector<std::map<std::string, std::string>>{
                 {{"LANG", "de_DE.UTF-8"}, {"LANGUAGE", "en_GB:de"}},
                 {{"LANG", "C.UTF-8"}, {"LANGUAGE", "de"}},
                 {{"LANG", "pt_BR.UTF-8"}},
                 {}}) {
            test::TempFolder dir;
            FixedClock clock;
            const UiTranslations translations(*qApp, choiceOf(environment));
            QVERIFY(translations.language().isEmpty());
            TformMain window(clock, environmentFor(dir));
            QCOMPARE(actionText(window, "MVAddItem"), QStringLiteral("Insert new topic"));
        }
    }

    // Files are read by copies of the program in other languages: the language of the window
    // never reaches them.
    void theDataFilesAreTheSameInEveryLanguage()
    {
        test::TempFolder english;
        const std::string englishBytes = filesWrittenBy(english);
        QVERIFY(englishBytes.find("Nimbus Desk started") != std::string::npos);
        for (const char *language : {"de_DE.UTF-8", "fr_FR.UTF-8"}) {
            const UiTranslations translations(*qApp, choiceOf({{"LANG", language}}));
            QVERIFY(!translations.language().isEmpty());
            test::TempFolder translated;
            QVERIFY2(filesWrittenBy(translated) == englishBytes, language);
        }
    }

    // The longest texts are German and French: at the window's default size, in the topic
    // options dialog and in every other dialog, none of them may be cut off.
    void noTranslatedTextIsCutOff()
    {
        // The check itself finds a text that does not fit.
        QWidget probe;
        auto *tight = new QLabel(QStringLiteral("Fertigstellung in Prozent:"), &probe);
        tight->setFixedWidth(40);
        probe.show();
        QCOMPARE(textsCutOff(&probe).size(), 1);
        for (const char *language : {"de_DE.UTF-8", "fr_FR.UTF-8"}) {
            const UiTranslations translations(*qApp, choiceOf({{"LANG", language}}));
            QVERIFY(!translations.language().isEmpty());
            test::TempFolder dir;
            const DateTime now = DateTime::fromCivil(2026, 12, 5, 14, 3, 9);
            FixedClock clock(now);
            QStringList cut;
            {
                TformMain window(clock, environmentFor(dir));
                window.timerStart->setInterval(0);
                window.show();
                QTRY_VERIFY(window.timerSave->isActive());
                int checked = 0;
                cut << textsCutOff(&window, &checked);
                QVERIFY2(checked > 10, qPrintable(QString::number(checked)));
            }
            TopicOptions event = taskWithEverything(now);
            event.topicType = kTopicEvent;
            event.hasChildren = false;
            TopicOptions repeating = taskWithEverything(now);
            repeating.recur = true;
            repeating.recurCount = 2;
            repeating.recurUnit = kUnitWeeks;
            repeating.nextDate = repeating.dueDate;
            for (const TopicOptions &values : {taskWithEverything(now), event, repeating}) {
                dialogs::TformProgress dialog(values, clock);
                dialog.show();
                QVERIFY(QTest::qWaitForWindowExposed(&dialog));
                cut << textsCutOff(&dialog);
            }
            QString chosenFolder;
            TNimbusStructure store;
            int inDialogs = 0;
            for (const auto &dialog : test::everyDialog(chosenFolder, store, dir.path())) {
                if (auto *progress = dynamic_cast<fileio::OperationProgress *>(dialog.get())) {
                    progress->allowCancel(true);
                    progress->report(1, 3, text::translate("nimbus::LanSharing", "Sending topics"));
                } else {
                    dialog->show();
                }
                QVERIFY2(QTest::qWaitForWindowExposed(dialog.get()),
                         dialog->metaObject()->className());
                cut << textsCutOff(dialog.get(), &inDialogs);
            }
            QVERIFY2(inDialogs > 40, qPrintable(QString::number(inDialogs)));
            cut.removeDuplicates();
            QVERIFY2(cut.isEmpty(), qPrintable(QString::fromLatin1(language) +
                                               QStringLiteral(":\n") + cut.join('\n')));
        }
    }
};

QTEST_MAIN(LanguageTest)
#include "LanguageTest.moc"
