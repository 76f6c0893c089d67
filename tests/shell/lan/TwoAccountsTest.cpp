// Two colleagues as two system accounts, each running its own copy of the program offscreen,
// sharing one folder that belongs to a common group with the set-group-id bit, both with umask
// 022. Alice sends a topic with sub-topics, a rich-text page and a checklist; Bob receives it,
// sees rich text, edits it and sends it back; Alice matches it without a duplicate; both inboxes
// end empty, and restarting both merges nothing twice. The accounts are made by the test when
// it runs as root and removed when it ends; otherwise the test is skipped.
#include <gtest/gtest.h>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "support/TempFolder.h"

namespace {

using nimbus::test::TempFolder;

int run(const std::string &command)
{
    return std::system((command + " >/dev/null 2>&1").c_str());
}

// The accounts and their group, removed again whatever happens in the test.
class Accounts {
public:
    Accounts()
    {
        const std::string tag = std::to_string(::getpid() % 100000);
        group = "nimbusg" + tag;
        alice = "nimbusa" + tag;
        bob = "nimbusb" + tag;
        made = run("groupadd " + group) == 0 &&
               run("useradd -M -N -G " + group + " -s /usr/sbin/nologin " + alice) == 0 &&
               run("useradd -M -N -G " + group + " -s /usr/sbin/nologin " + bob) == 0;
    }
    ~Accounts()
    {
        run("userdel " + alice);
        run("userdel " + bob);
        run("groupdel " + group);
    }
    std::string group, alice, bob;
    bool made = false;
};

using Report = std::map<std::string, std::string>;

// Runs one step of a colleague's program as account, with umask 022, and reads its report.
Report step(const std::string &account, const std::string &home,
            const std::vector<std::string> &arguments)
{
    const passwd *user = ::getpwnam(account.c_str());
    const group *common = ::getgrnam(("nimbusg" + account.substr(7)).c_str());
    if (!user || !common)
        return {{"error", "no account"}};
    int out[2];
    if (::pipe(out) != 0)
        return {{"error", "no pipe"}};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out[1], 1);
        ::close(out[0]);
        const gid_t groups[] = {common->gr_gid};
        if (::setgroups(1, groups) != 0 || ::setgid(user->pw_gid) != 0 ||
            ::setuid(user->pw_uid) != 0)
            ::_exit(90);
        ::umask(022);
        // The toolkit's runtime folder stays inside the test's folder too.
        ::mkdir((home + "runtime").c_str(), 0700);
        std::vector<std::string> env = {"HOME=" + home, "HOMEDRIVE=" + home,
                                        "XDG_RUNTIME_DIR=" + home + "runtime",
                                        "QT_QPA_PLATFORM=offscreen", "PATH=/usr/bin:/bin",
                                        "NIMBUS_CHANNEL_DIR=" + home + "channels"};
        std::vector<std::string> args = {LAN_PEER};
        args.insert(args.end(), arguments.begin(), arguments.end());
        std::vector<char *> argv, envp;
        for (auto &a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        for (auto &e : env)
            envp.push_back(e.data());
        envp.push_back(nullptr);
        ::execve(LAN_PEER, argv.data(), envp.data());
        ::_exit(91);
    }
    ::close(out[1]);
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(n));
    ::close(out[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    Report report;
    report["exit"] = std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find('\n', start);
        const std::string line = text.substr(start, end - start);
        const std::size_t eq = line.find('=');
        if (eq != std::string::npos)
            report[line.substr(0, eq)] = line.substr(eq + 1);
        start = end == std::string::npos ? text.size() : end + 1;
    }
    return report;
}

int countOf(const std::string &text, const std::string &part)
{
    int n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

std::vector<std::string> filesIn(const std::string &folder)
{
    std::vector<std::string> files;
    std::error_code ec;
    for (const auto &entry : std::filesystem::directory_iterator(folder, ec))
        files.push_back(entry.path().filename().string());
    return files;
}

std::string textOfFilesIn(const std::string &folder)
{
    std::string all;
    for (const std::string &name : filesIn(folder)) {
        std::ifstream in(folder + name, std::ios::binary);
        all += std::string(std::istreambuf_iterator<char>(in), {});
    }
    return all;
}

} // namespace

TEST(TwoAccounts, ATopicTravelsBetweenAccountsAndComesBackOnce)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to create two system accounts (CI runs as root)";
    Accounts accounts;
    ASSERT_TRUE(accounts.made) << "groupadd/useradd failed";
    TempFolder root;
    ASSERT_EQ(::chmod(root.path().c_str(), 0711), 0);
    const std::string shared = root / "shared/";
    const std::string homeA = root / "alice/";
    const std::string homeB = root / "bob/";
    for (const auto &[home, account] : {std::pair{homeA, accounts.alice}, {homeB, accounts.bob}}) {
        std::filesystem::create_directories(home);
        const passwd *user = ::getpwnam(account.c_str());
        ASSERT_NE(user, nullptr);
        ASSERT_EQ(::chown(home.c_str(), user->pw_uid, user->pw_gid), 0);
        ASSERT_EQ(::chmod(home.c_str(), 0700), 0);
    }
    std::filesystem::create_directories(shared);
    ASSERT_EQ(::chown(shared.c_str(), 0, ::getgrnam(accounts.group.c_str())->gr_gid), 0);
    ASSERT_EQ(::chmod(shared.c_str(), 02770), 0);

    ASSERT_EQ(step(accounts.alice, homeA, {"seed", shared, "Alice"})["exit"], "0");
    ASSERT_EQ(step(accounts.bob, homeB, {"join", shared, "Bob"})["exit"], "0");
    // Bob's first start registers him, so that Alice can choose him.
    Report r = step(accounts.bob, homeB, {"receive"});
    ASSERT_EQ(r["connected"], "1") << r["exit"];
    r = step(accounts.alice, homeA, {"send", "Project", "Bob"});
    ASSERT_EQ(r["connected"], "1");
    ASSERT_EQ(r["sent"], "1");

    r = step(accounts.bob, homeB, {"receive"});
    EXPECT_EQ(r["added"], "4") << "the header, Project and its two sub-topics";
    r = step(accounts.bob, homeB, {"edit", "Project", " Checked by Bob."});
    EXPECT_EQ(r["bold"], "1");
    EXPECT_EQ(r["colour"], "1");
    EXPECT_EQ(r["list"], "1");
    EXPECT_EQ(r["markup"], "0") << "the page opened as rich text, not as its RTF source";
    r = step(accounts.bob, homeB, {"send", "Project", "Alice"});
    ASSERT_EQ(r["sent"], "1");

    r = step(accounts.alice, homeA, {"receive"});
    EXPECT_EQ(r["matched"], "3");
    EXPECT_EQ(r["added"], "0");
    EXPECT_EQ(countOf(r["outline"], ":Project"), 1) << r["outline"];
    EXPECT_NE(textOfFilesIn(homeA + "$Nimbus/Text/").find("Checked by Bob."), std::string::npos);
    EXPECT_TRUE(filesIn(shared + "bob-Inbox/").empty()) << filesIn(shared + "bob-Inbox/").front();
    EXPECT_TRUE(filesIn(shared + "alice-Inbox/").empty())
        << filesIn(shared + "alice-Inbox/").front();

    // Both programs start again: nothing is merged twice.
    r = step(accounts.alice, homeA, {"receive"});
    EXPECT_EQ(r["matched"] + "/" + r["added"], "0/0");
    EXPECT_EQ(countOf(r["outline"], ":Project"), 1);
    r = step(accounts.bob, homeB, {"receive"});
    EXPECT_EQ(r["matched"] + "/" + r["added"], "0/0");
    EXPECT_EQ(countOf(r["outline"], ":Project"), 1) << r["outline"];
}
