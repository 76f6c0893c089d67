// Every text the window shows goes through the translation system. A pseudo-translation marks
// each text it is asked for; walking every widget and action of the real window then finds any
// text that never asked.
#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTextDocumentFragment>
#include <QTranslator>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <set>

#include "EveryDialog.h"
#include "fileio/UiText.h"
#include "shell/TformMain.h"
#include "shell/TopicOptionsSample.h"
#include "shell/dialogs/TformProgress.h"
#include "store/DateFormat.h"
#include "store/SummaryRules.h"
#include "store/TNimbusStructure.h"
#include "store/TopicOptions.h"
#include "support/TempFolder.h"

using namespace nimbus;

namespace {

const QString kOpen = QStringLiteral("\u27e6");
const QString kClose = QStringLiteral("\u27e7");

class PseudoTranslator : public QTranslator {
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *, const char *source, const char *, int) const override
    {
        if (!source || !*source)
            return {};
        return kOpen + QString::fromUtf8(source) + kClose;
    }
};

TformMain::Environment environmentFor(const test::TempFolder &dir)
{
    const std::string home = dir / "home";
    std::filesystem::create_directories(home);
    return {[home](const std::string &name) { return name == "HOMEDRIVE" ? home : ""; },
            dir / "prog/nimbus",
            dir / "channels",
            {}};
}

// Texts that are the same in every language: the program's name, the address of its site, the
// system's name and the date orders the preferences offer, whose letters name the forms the
// program writes.
bool isLanguageFree(const QString &text)
{
    static const QStringList kSame = {QStringLiteral("Nimbus Desk"), QStringLiteral("Linux"),
                                      QStringLiteral("dd/mm/yyyy"), QStringLiteral("mm/dd/yyyy"),
                                      QStringLiteral("yyyy/mm/dd")};
    static const QRegularExpression colourName(QStringLiteral("^#[0-9a-fA-F]{6}$"));
    // Day names come from the locale's own data, in the locale's language.
    for (int day = 1; day <= 7; ++day)
        if (text == QLocale().dayName(day, QLocale::LongFormat) ||
            text == QLocale().dayName(day, QLocale::ShortFormat))
            return true;
    // Folders and web addresses are names, not words.
    return kSame.contains(text) || text.startsWith(QStringLiteral("<a href=")) ||
           text.startsWith(QLatin1Char('/')) || text.contains(QStringLiteral("://")) ||
           colourName.match(text).hasMatch();
}

// A text a user reads in some language: letters, and not one of the texts the pseudo
// translation marked (a marked piece may be joined with data such as a number or a title).
bool needsTranslation(const QString &text)
{
    if (text.contains(kOpen) || isLanguageFree(text))
        return false;
    int letters = 0;
    for (QChar c : text)
        letters += c.isLetter() ? 1 : 0;
    return letters >= 2;
}

} // namespace

class UntranslatedTextTest : public QObject {
    Q_OBJECT

private:
    std::set<QString> found_;
    std::set<QString> data_; // texts that are the user's own data (topic titles, the log)

    void note(const QObject *where, const QString &kind, const QString &text)
    {
        if (needsTranslation(text) && !data_.count(text))
            found_.insert(kind + QStringLiteral(" ") + where->metaObject()->className() +
                          QStringLiteral(": ") + text);
    }

    void walk(const QWidget *root)
    {
        note(root, QStringLiteral("caption"), root->windowTitle());
        for (const QWidget *w : root->findChildren<QWidget *>()) {
            if (auto *b = qobject_cast<const QAbstractButton *>(w))
                note(w, QStringLiteral("button"), b->text());
            if (auto *l = qobject_cast<const QLabel *>(w))
                note(w, QStringLiteral("label"), l->text());
            if (auto *g = qobject_cast<const QGroupBox *>(w))
                note(w, QStringLiteral("group"), g->title());
            if (auto *e = qobject_cast<const QLineEdit *>(w))
                note(w, QStringLiteral("placeholder"), e->placeholderText());
            if (auto *m = qobject_cast<const QMenu *>(w))
                note(w, QStringLiteral("menu"), m->title());
            if (auto *t = qobject_cast<const QTabWidget *>(w))
                for (int i = 0; i < t->count(); ++i)
                    note(w, QStringLiteral("tab"), t->tabText(i));
            if (auto *c = qobject_cast<const QComboBox *>(w))
                for (int i = 0; i < c->count(); ++i)
                    note(w, QStringLiteral("choice"), c->itemText(i));
            note(w, QStringLiteral("tooltip"), w->toolTip());
            note(w, QStringLiteral("accessible"), w->accessibleName());
            if (w->isWindow())
                note(w, QStringLiteral("caption"), w->windowTitle());
        }
        for (const QAction *a : root->findChildren<QAction *>()) {
            if (a->isSeparator())
                continue;
            note(a, QStringLiteral("action"), a->text());
            if (a->toolTip() != a->text() && !a->toolTip().startsWith(a->text()))
                note(a, QStringLiteral("action-tip"), a->toolTip());
        }
    }

    void installPseudoTranslation(PseudoTranslator &pseudo)
    {
        qApp->installTranslator(&pseudo);
        // The core's texts for the user take the same way as the window's.
        text::setTranslator([](const char *context, const char *source) {
            return QCoreApplication::translate(context, source).toStdString();
        });
        text::setCountTranslator(
            [](const char *context, const char *source, const char *comment, int n) {
                return QCoreApplication::translate(context, source, comment, n).toStdString();
            });
    }

    void removePseudoTranslation(PseudoTranslator &pseudo)
    {
        text::setTranslator(nullptr);
        text::setCountTranslator(nullptr);
        qApp->removeTranslator(&pseudo);
    }

    void verifyNothingFound()
    {
        QStringList lines;
        for (const QString &line : found_)
            lines << line;
        found_.clear();
        if (!lines.isEmpty())
            qWarning().noquote() << "texts that are never translated:\n" + lines.join('\n');
        QVERIFY2(lines.isEmpty(), qPrintable(QStringLiteral("texts that are never translated:\n") +
                                             lines.join('\n')));
    }

private slots:
    void everyTextOfTheMainWindowIsTranslatable()
    {
        PseudoTranslator pseudo;
        installPseudoTranslation(pseudo);
        test::TempFolder dir;
        FixedClock clock(DateTime::fromCivil(2026, 12, 5, 14, 3, 9));
        TformMain window(clock, environmentFor(dir));
        window.timerStart->setInterval(0);
        window.show();
        QTRY_VERIFY(window.timerSave->isActive());
        walk(&window);
        removePseudoTranslation(pseudo);
        verifyNothingFound();
    }

    void everyDialogIsTranslatable()
    {
        PseudoTranslator pseudo;
        installPseudoTranslation(pseudo);
        test::TempFolder dir;
        QString chosenFolder;
        TNimbusStructure store;
        std::vector<std::unique_ptr<QWidget>> dialogs =
            test::everyDialog(chosenFolder, store, dir.path());
        for (const auto &dialog : dialogs)
            walk(dialog.get());
        dialogs.clear();
        removePseudoTranslation(pseudo);
        verifyNothingFound();
    }

    // The options dialog shows different texts for a task, an event and a repeating topic, and
    // the heading's history lines only when the topic has them.
    void theTopicOptionsDialogIsTranslatable()
    {
        PseudoTranslator pseudo;
        installPseudoTranslation(pseudo);
        const DateTime now = DateTime::fromCivil(2026, 12, 5, 14, 3, 9);
        FixedClock clock(now);
        TopicOptions task = test::taskWithEverything(now);
        task.reminderLead = 15;
        TopicOptions event = task;
        event.topicType = kTopicEvent;
        event.status = kStatusNone;
        event.hasChildren = false;
        event.urgent = false;
        event.durationCount = 2;
        event.durationUnit = kUnitHours;
        TopicOptions repeating = task;
        repeating.deadline = false;
        repeating.recur = true;
        repeating.recurCount = 1;
        repeating.recurUnit = kUnitWeeks;
        repeating.nextDate = task.dueDate;
        for (const TopicOptions &values : {task, event, repeating}) {
            dialogs::TformProgress dialog(values, clock);
            walk(&dialog);
        }
        removePseudoTranslation(pseudo);
        verifyNothingFound();
    }
};

QTEST_MAIN(UntranslatedTextTest)
#include "UntranslatedTextTest.moc"
