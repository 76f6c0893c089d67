// Which languages the environment asks for, read as gettext reads it, and the core's text hook.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "fileio/LanguageChoice.h"
#include "fileio/UiText.h"

using namespace nimbus;

namespace {

std::vector<std::string> candidatesOf(const std::map<std::string, std::string> &environment)
{
    return LanguageChoice([&environment](const char *name) -> const char * {
               const auto found = environment.find(name);
               return found == environment.end() ? nullptr : found->second.c_str();
           })
        .candidates();
}

using List = std::vector<std::string>;

} // namespace

TEST(LanguageChoice, FollowsTheLocaleOfMessagesAndTheLanguageList)
{
    EXPECT_EQ(candidatesOf({{"LANG", "de_DE.UTF-8"}}), (List{"de_DE", "de"}));
    EXPECT_EQ(candidatesOf({{"LANG", "de_AT.UTF-8@euro"}}), (List{"de_AT", "de"}));
    // LC_ALL before LC_MESSAGES before LANG.
    EXPECT_EQ(candidatesOf({{"LANG", "de_DE"}, {"LC_MESSAGES", "fr_FR"}}), (List{"fr_FR", "fr"}));
    EXPECT_EQ(candidatesOf({{"LANG", "de_DE"}, {"LC_MESSAGES", "fr_FR"}, {"LC_ALL", "it_IT"}}),
              (List{"it_IT", "it"}));
    // LANGUAGE is a list in order of preference; each entry falls back to its language.
    EXPECT_EQ(candidatesOf({{"LANG", "de_DE.UTF-8"}, {"LANGUAGE", "fr_CA:de"}}),
              (List{"fr_CA", "fr", "de"}));
    EXPECT_EQ(candidatesOf({{"LANG", "de_DE.UTF-8"}, {"LANGUAGE", ":de::de_CH:"}}),
              (List{"de", "de_CH"}));
}

TEST(LanguageChoice, EnglishWhereTheUserPutsItOrWithoutALocale)
{
    // English is the texts' own language: nothing after it in the list is taken.
    EXPECT_EQ(candidatesOf({{"LANG", "de_DE.UTF-8"}, {"LANGUAGE", "en_GB:de"}}), List{});
    EXPECT_EQ(candidatesOf({{"LANG", "de_DE.UTF-8"}, {"LANGUAGE", "fr:en:de"}}), (List{"fr"}));
    EXPECT_EQ(candidatesOf({{"LANG", "en_US.UTF-8"}}), List{});
    // With the C locale gettext ignores LANGUAGE, and so do we.
    for (const char *plain : {"C", "POSIX", "C.UTF-8", ""})
        EXPECT_EQ(candidatesOf({{"LANG", plain}, {"LANGUAGE", "de"}}), List{}) << plain;
    EXPECT_EQ(candidatesOf({}), List{});
    EXPECT_EQ(candidatesOf({{"LANGUAGE", "de"}}), List{});
}

TEST(LanguageChoice, ATagNeverNamesAnotherFile)
{
    // The tag becomes part of a file name.
    EXPECT_EQ(candidatesOf({{"LANG", "de_DE.UTF-8"}, {"LANGUAGE", "../../etc/x:de/../fr:fr"}}),
              (List{"fr"}));
    EXPECT_EQ(candidatesOf({{"LANG", "../de"}}), List{});
}

TEST(UiText, EnglishUntilATranslatorIsSetAndAfterItIsTakenAway)
{
    EXPECT_EQ(text::translate("Context", "Overdue"), "Overdue");
    text::setTranslator([](const char *context, const char *source) {
        return std::string(context) + "|" + source;
    });
    EXPECT_EQ(text::translate("Context", "Overdue"), "Context|Overdue");
    text::setTranslator(nullptr);
    EXPECT_EQ(text::translate("Context", "Overdue"), "Overdue");
}

// Without a translation a counted text is plain English: singular for one, plural otherwise.
TEST(UiText, CountedTextsAreEnglishWithoutATranslationAndTakeTheTranslatorsForm)
{
    EXPECT_EQ(text::translate("Context", "in %n minute(s)", nullptr, 1), "in 1 minute");
    EXPECT_EQ(text::translate("Context", "in %n minute(s)", nullptr, 0), "in 0 minutes");
    EXPECT_EQ(text::translate("Context", "%n day(s) and %n hour(s)", nullptr, 12),
              "12 days and 12 hours");
    text::setCountTranslator([](const char *, const char *, const char *, int n) {
        return std::string(n == 1 ? "eine Minute" : "mehrere Minuten");
    });
    EXPECT_EQ(text::translate("Context", "in %n minute(s)", nullptr, 1), "eine Minute");
    EXPECT_EQ(text::translate("Context", "in %n minute(s)", nullptr, 3), "mehrere Minuten");
    text::setCountTranslator(nullptr);
    EXPECT_EQ(text::translate("Context", "in %n minute(s)", nullptr, 3), "in 3 minutes");
}

// Values fill their places in the translation's order, and a value is never filled in again.
TEST(UiText, ValuesFillTheirPlacesOnce)
{
    EXPECT_EQ(text::withValues("%2 am %1", {"10:15", "Montag"}), "Montag am 10:15");
    EXPECT_EQ(text::withValues("Remove \"%1\" and %2?", {"50%2 off", "3"}),
              "Remove \"50%2 off\" and 3?");
    EXPECT_EQ(text::withValues("100% done, %3 left", {"a"}), "100% done, %3 left");
}
