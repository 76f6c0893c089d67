// The window in the user's language: German and French from the environment, English where the
// user asked for it or nothing is translated, and the data files the same in every language.
#include <QAction>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "fileio/LanguageChoice.h"
#include "fileio/UiText.h"
#include "shell/TformMain.h"
#include "shell/UiTranslations.h"
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
};

QTEST_MAIN(LanguageTest)
#include "LanguageTest.moc"
