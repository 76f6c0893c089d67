// nimbus-cli in German and French: the real executable under the locale settings a desktop
// gives it, and the catalogue it reads its texts from.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "CliRun.h"
#include "cli/CliTexts.h"
#include "cli/TextCatalogue.h"
#include "fileio/UiText.h"

using nimbus::test::CliHome;
using namespace nimbus::cli;

namespace {

// A build without QtCore has no catalogue: nimbus-cli is English there.
#define SKIP_WITHOUT_CATALOGUE()                                                                   \
    if (!kCatalogueLanguages[0].tag)                                                               \
    GTEST_SKIP() << "built without QtCore: no translations"

// Puts a language in place for one test and English back after it.
struct LanguageInUse {
    explicit LanguageInUse(const char *tag) { useLanguage(catalogueLanguage(tag)); }
    ~LanguageInUse() { useLanguage(nullptr); }
};

struct LanguageRun {
    const char *locale;
    const char *added;     // the confirmation of the first topic added
    const char *badField;  // the message for set 1 colour=red
    const char *usageHint; // the line after a usage error
    const char *overview;  // a line of the overview
};

const LanguageRun kGerman{
    "LANG=de_DE.UTF-8 LANGUAGE=de", "Hinzugefügt: 1\n",
    "nimbus-cli: unbekanntes Feld „colour“; Felder sind title, type, due, time, "
    "recur, priority, urgent, fav, status, percent\n",
    "(nimbus-cli set --help zeigt, wie er verwendet wird)\n", "  add       ein Thema hinzufügen\n"};
const LanguageRun kFrench{
    "LC_ALL=fr_FR.UTF-8", "Ajouté\u00a0: 1\n",
    "nimbus-cli: champ inconnu «\u00a0colour\u00a0»\u00a0; les champs sont title, "
    "type, due, time, recur, priority, urgent, fav, status, percent\n",
    "(nimbus-cli set --help montre comment l’utiliser)\n", "  add       ajouter un sujet\n"};
const LanguageRun kEnglish{
    "", "Added 1\n",
    "nimbus-cli: unknown field \"colour\"; fields are title, type, due, time, recur, "
    "priority, urgent, fav, status, percent\n",
    "(nimbus-cli set --help shows how it is used)\n", "  add       add a topic\n"};

} // namespace

TEST(CliLanguage, MessagesUsageAndConfirmationsFollowTheLanguageWhileMachineOutputStays)
{
    SKIP_WITHOUT_CATALOGUE();
    std::string englishList, englishSummary, englishJson;
    for (const LanguageRun *run : {&kEnglish, &kGerman, &kFrench}) {
        SCOPED_TRACE(run->locale);
        CliHome home;
        home.locale = run->locale;
        const auto added = home.run({"add", "Pay rent", "--due", "2031-01-05", "--priority", "2"});
        ASSERT_EQ(added.status, 0) << added.err;
        EXPECT_EQ(added.out, run->added);

        const auto bad = home.run({"set", "1", "colour=red"});
        EXPECT_EQ(bad.status, 2);
        EXPECT_EQ(bad.err, std::string(run->badField) + run->usageHint);

        const auto overview = home.run({});
        EXPECT_EQ(overview.status, 2);
        EXPECT_NE(overview.err.find(run->overview), std::string::npos) << overview.err;

        // What scripts read is the same in every language.
        const auto list = home.run({"list", "all", "--format", "tsv"});
        const auto summary = home.run({"summary"});
        const auto json = home.run({"summary", "--format", "json"});
        if (run == &kEnglish) {
            englishList = list.out, englishSummary = summary.out, englishJson = json.out;
        } else {
            EXPECT_EQ(list.out, englishList);
            EXPECT_EQ(summary.out, englishSummary);
            EXPECT_EQ(json.out, englishJson);
        }
    }
}

TEST(CliLanguage, EnglishUnlessTheLocaleNamesALanguageWeHave)
{
    SKIP_WITHOUT_CATALOGUE();
    CliHome home;
    auto messageUnder = [&](const std::string &locale) {
        home.locale = locale;
        return home.run({"show", "123456"}).err;
    };
    const std::string english = "nimbus-cli: no topic has the id 123456\n";
    const std::string german = "nimbus-cli: kein Thema hat die ID 123456\n";
    const std::string french = "nimbus-cli: aucun sujet n’a l’identifiant 123456\n";
    // A plain locale: LANGUAGE is not looked at, as gettext does.
    EXPECT_EQ(messageUnder("LC_ALL=C LANGUAGE=de"), english);
    EXPECT_EQ(messageUnder("LANG=C.UTF-8 LANGUAGE=de"), english);
    // A language we lack, alone or before one we have.
    EXPECT_EQ(messageUnder("LANG=pt_BR.UTF-8 LANGUAGE="), english);
    EXPECT_EQ(messageUnder("LANG=pt_BR.UTF-8 LANGUAGE=pt_BR:fr"), french);
    // A regional form finds its language; English in the list stops the search.
    EXPECT_EQ(messageUnder("LANG=de_AT.UTF-8 LANGUAGE="), german);
    EXPECT_EQ(messageUnder("LANG=de_DE.UTF-8 LANGUAGE=en:de"), english);
    EXPECT_EQ(messageUnder("LANG=en_US.UTF-8 LC_MESSAGES=de_CH.UTF-8 LANGUAGE="), german);
}

TEST(CliTexts, EveryLanguageIsSortedAsItIsSearched)
{
    SKIP_WITHOUT_CATALOGUE();
    int languages = 0;
    for (const CatalogueLanguage *language = kCatalogueLanguages; language->tag; ++language) {
        ++languages;
        ASSERT_GT(language->count, 500u) << language->tag;
        for (std::size_t i = 0; i < language->count; ++i) {
            const CatalogueEntry &entry = language->entries[i];
            ASSERT_EQ(findEntry(*language, entry.context, entry.source, entry.comment), &entry)
                << language->tag << ": " << entry.context << " / " << entry.source;
            ASSERT_GE(entry.formCount, 1u);
        }
    }
    EXPECT_EQ(languages, 2);
    EXPECT_EQ(catalogueLanguage("es"), nullptr);
}

TEST(CliTexts, CountedFormsFollowEachLanguagesRule)
{
    SKIP_WITHOUT_CATALOGUE();
    const char *context = "nimbus::reminders", *source = "%n minute(s) before";
    {
        LanguageInUse german("de");
        EXPECT_EQ(nimbus::text::translate(context, source, nullptr, 0), "0 Minuten vorher");
        EXPECT_EQ(nimbus::text::translate(context, source, nullptr, 1), "1 Minute vorher");
        EXPECT_EQ(nimbus::text::translate(context, source, nullptr, 15), "15 Minuten vorher");
        // A comment the text was not translated with falls back to the plain text's.
        EXPECT_EQ(nimbus::text::translate(context, source, "lead time", 2), "2 Minuten vorher");
    }
    {
        LanguageInUse french("fr");
        EXPECT_EQ(nimbus::text::translate(context, source, nullptr, 0), "0 minute avant");
        EXPECT_EQ(nimbus::text::translate(context, source, nullptr, 1), "1 minute avant");
        EXPECT_EQ(nimbus::text::translate(context, source, nullptr, 2), "2 minutes avant");
        // Without a translation the English rule holds.
        EXPECT_EQ(nimbus::text::translate("Nowhere", "%n file(s)", nullptr, 1), "1 file");
    }
    EXPECT_EQ(nimbus::text::translate(context, source, nullptr, 0), "0 minutes before");
}

TEST(CliTexts, EnglishMessagesAreShownTranslatedByTheirForm)
{
    SKIP_WITHOUT_CATALOGUE();
    LanguageInUse german("de");
    // The values come back in place, even values that hold a message's own words.
    EXPECT_EQ(shownMessage("no topic has the id the id 7"), "kein Thema hat die ID the id 7");
    // The form with the most fixed text wins; a value that is a message is translated too.
    EXPECT_EQ(shownMessage("the search index could not be built"),
              "der Suchindex konnte nicht erstellt werden");
    EXPECT_EQ(shownMessage("the search index could not be built: disk full"),
              "der Suchindex konnte nicht erstellt werden: disk full");
    EXPECT_EQ(shownMessage("\"x\" is not a date; dates are DD/MM/YYYY, YYYY-MM-DD, YYYYMMDD, "
                           "today, tomorrow, a weekday name, +Nd or +Nw"),
              "„x“ ist kein Datum; Datumsangaben sind DD/MM/YYYY, YYYY-MM-DD, YYYYMMDD, today, "
              "tomorrow, ein englischer Wochentagsname, +Nd oder +Nw");
    // Unknown forms, window texts and a form's text with more after it stay as they are.
    EXPECT_EQ(shownMessage("something else went wrong"), "something else went wrong");
    EXPECT_EQ(shownMessage("Cancel"), "Cancel");
    EXPECT_EQ(shownMessage("a title is one line of text, not empty!"),
              "a title is one line of text, not empty!");
}
