// The Spawner's command-line rules and the start-up decision they lead to.
#include <gtest/gtest.h>

#include "SpawnerArguments.h"
#include "StartupMode.h"

using spawner::RunSettings;
using spawner::SpawnerArguments;
using spawner::StartupMode;

namespace {

RunSettings parse(std::vector<std::string> arguments)
{
    return SpawnerArguments::parse(arguments);
}

} // namespace

TEST(SpawnerArguments, KeysAndValuesAreReadInAnyCaseWhateverThePrefix)
{
    const RunSettings settings = parse({"/s=f", "-E=notepad.exe", "xw=y", "/D=20"});
    EXPECT_EQ(settings.screenMode, 'F');
    EXPECT_EQ(settings.command, "notepad.exe");
    EXPECT_TRUE(settings.wait);
    EXPECT_EQ(settings.delaySeconds, 20);
    EXPECT_FALSE(settings.interactive);
    EXPECT_TRUE(settings.error.empty());
    EXPECT_TRUE(settings.hasArguments);

    for (const char *mode : {"m", "F", "h", "N"}) {
        const RunSettings one = parse({std::string("/S=") + mode});
        EXPECT_EQ(one.screenMode, std::toupper(mode[0])) << mode;
        EXPECT_TRUE(one.error.empty()) << mode;
    }
    EXPECT_FALSE(parse({"/w=n"}).wait);
}

TEST(SpawnerArguments, DefaultsApplyWithoutArguments)
{
    const RunSettings settings = parse({});
    EXPECT_FALSE(settings.hasArguments);
    EXPECT_EQ(settings.screenMode, 'N');
    EXPECT_FALSE(settings.wait);
    EXPECT_EQ(settings.delaySeconds, 0);
    EXPECT_TRUE(settings.command.empty());
}

TEST(SpawnerArguments, CommandLosesOneLeadingAndOneTrailingApostrophe)
{
    EXPECT_EQ(parse({"/E='sh -c \"echo ok > marker\"'"}).command, "sh -c \"echo ok > marker\"");
    EXPECT_EQ(parse({"/e='"}).command, "");
    EXPECT_EQ(parse({"/e=''"}).command, "");
    EXPECT_EQ(parse({"/e='''"}).command, "'");
    EXPECT_EQ(parse({"/e='leading only"}).command, "leading only");
    EXPECT_EQ(parse({"/e=trailing only'"}).command, "trailing only");
    EXPECT_EQ(parse({"/e=echo 'a b'"}).command, "echo 'a b");
    EXPECT_EQ(parse({"/e="}).command, "");
}

TEST(SpawnerArguments, LongCommandLinesAreKeptWhole)
{
    // A command cut short could run something other than what was asked for.
    const std::string command = "echo " + std::string(1500, 'x') + " > marker";
    EXPECT_EQ(parse({"/e=" + command}).command, command);
}

TEST(SpawnerArguments, DelayThatIsNotAWholeNumberIsZero)
{
    EXPECT_EQ(parse({"/d=3"}).delaySeconds, 3);
    EXPECT_EQ(parse({"/d=+3"}).delaySeconds, 3);
    EXPECT_EQ(parse({"/d=-3"}).delaySeconds, -3);
    for (const char *value : {"", "abc", "3s", "2.5", " 3", "+-3", "99999999999999999999"})
        EXPECT_EQ(parse({std::string("/d=") + value}).delaySeconds, 0) << value;
}

TEST(SpawnerArguments, ErrorsCarryTheirTextsAndStopTheReading)
{
    EXPECT_EQ(parse({"/s=x"}).error, "*** Screen mode must be M, F , H or N");
    EXPECT_EQ(parse({"/s="}).error, "*** Screen mode must be M, F , H or N");
    EXPECT_EQ(parse({"/s=max"}).error, "*** Screen mode must be M, F , H or N");
    EXPECT_EQ(parse({"/w=x"}).error, "*** Wait parameter must be Y or N");
    EXPECT_EQ(parse({"/w=yes"}).error, "*** Wait parameter must be Y or N");
    EXPECT_EQ(parse({"/x=1"}).error, "*** Unrecognised parameter: /x=1");

    // Nothing after the first error is used, and only the first error is kept.
    const RunSettings stopped = parse({"/e=first", "/x=1", "/e=second", "/w=y", "/s=q"});
    EXPECT_EQ(stopped.command, "first");
    EXPECT_FALSE(stopped.wait);
    EXPECT_EQ(stopped.error, "*** Unrecognised parameter: /x=1");
    EXPECT_EQ(parse({"/w=x", "/e=calc.exe"}).command, "");
}

TEST(SpawnerArguments, TheTSwitchIsExactlyTwoCharacters)
{
    EXPECT_TRUE(parse({"/T"}).interactive);
    EXPECT_TRUE(parse({"-t"}).interactive);
    for (const char *argument : {"/T=", "/TX", "T", "/", ""}) {
        const RunSettings settings = parse({argument});
        EXPECT_FALSE(settings.interactive) << argument;
        EXPECT_EQ(settings.error, std::string("*** Unrecognised parameter: ") + argument);
    }
}

TEST(SpawnerStartupMode, BatchUseNeverShowsTheWindow)
{
    EXPECT_EQ(startupModeFor(parse({"/d=2"})), StartupMode::Batch);
    EXPECT_EQ(startupModeFor(parse({"/e=true"})), StartupMode::Batch);
    EXPECT_EQ(startupModeFor(parse({"/d=-1", "/e=true"})), StartupMode::Batch);
    // Nothing named to do: ends at once rather than hide and wait to be closed.
    EXPECT_EQ(startupModeFor(parse({"/w=y"})), StartupMode::EndAtOnce);
    EXPECT_EQ(startupModeFor(parse({"/e='"})), StartupMode::EndAtOnce);
    EXPECT_EQ(startupModeFor(parse({"/d=-5"})), StartupMode::EndAtOnce);
}

TEST(SpawnerStartupMode, WindowIsShownForErrorsAndUseByHand)
{
    EXPECT_EQ(startupModeFor(parse({})), StartupMode::ShowMinimised);
    EXPECT_EQ(startupModeFor(parse({"/T", "/e=calc.exe"})), StartupMode::ShowNormal);
    EXPECT_EQ(startupModeFor(parse({"/T", "/w=x"})), StartupMode::ShowNormal);
    EXPECT_EQ(startupModeFor(parse({"/e=true", "/w=x"})), StartupMode::ShowOffScreen);
}
