// One colleague's copy of the program for the two-account test: the real main window, offscreen,
// on the data folder of $HOMEDRIVE, run as whichever account started it. Each run does one
// step and reports what a user would see on standard output, one "key=value" line each:
//   seed <shared folder> <user> <colleague>  a data folder with "Project" (two sub-topics, a
//                                            rich-text details page and a checklist) that
//                                            reconnects at start-up
//   join <shared folder> <user>              a data folder that reconnects at start-up
//   send <topic> <colleague>                 the topic through the "Send copy to" menu
//   receive                                  one inbox tick
//   edit <topic> <text>                      reports the details page's formatting, adds text
#include <QApplication>
#include <QMenu>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextList>
#include <cstdio>

#include "LanFakes.h"
#include "shell/TreeActions.h"
#include "shell/lan/LanSharing.h"
#include "shell/pages/DetailsEditor.h"
#include "shell/pages/DetailsTextEdit.h"
#include "shell/pages/TopicPage.h"
#include "shell/tree/WindowFixture.h"
#include "store/Clock.h"
#include "store/ContentFiles.h"
#include "store/RecordingLog.h"
#include "store/TNetDetails.h"

using namespace nimbus;
using namespace nimbus::test;

namespace {

const char *kPage = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red200\\green0\\blue0;}"
                    "\\f0 Plan {\\b bold words} and {\\cf1 red words}.\\par"
                    "{\\pntext\\'95\\tab}{\\*\\pn\\pnlvlblt\\pnindent360{\\pntxtb\\'95}}"
                    "\\li360\\fi-360 first point\\par"
                    "{\\pntext\\'95\\tab}\\li360\\fi-360 second point\\par}";

std::string dataFolder()
{
    return std::string(std::getenv("HOMEDRIVE")) + "/$Nimbus/";
}

void writeNet(const std::string &shared, const std::string &user)
{
    TNetDetails net;
    net.SetDataFolder(dataFolder());
    net.net = shared;
    net.pw = "secret";
    net.user = user;
    net.mem = true;
    net.modified = true;
    net.Save();
}

// Project with two sub-topics; its details page is rich text, its checklist has one item.
void seed(const std::string &shared, const std::string &user)
{
    StoreWriter w(dataFolder());
    w.add(0, "Topics").expanded().node->send = true;
    TNimbusNode *project = w.add(1, "Project").expanded().node;
    w.add(2, "Design");
    w.add(2, "Build");
    w.add(0, "Local network information", kSectionNetwork);
    w.write();
    for (const char *sub : {"Packs", "Text", "CheckList"})
        std::filesystem::create_directories(dataFolder() + sub);
    const ContentFolders folders = ContentFolders::inDataFolder(dataFolder());
    RecordingLog log;
    SystemClock clock;
    TContent content;
    content.name = project->uni;
    content.kind = kSectionTopics;
    content.file = folders.packs + project->uni + ".pkt";
    content.AddDefaultPages();
    for (auto &page : content.pages)
        page->owner = &content;
    content::SaveDetails(*content.pages[0], folders, kPage, 0, true, log);
    content::SavePageDescription(*content.pages[0], folders, clock, log);
    content::SaveChecklist(*content.pages[1], folders, {ChecklistItem{true, "order parts", {}, {}}},
                           log);
    content::SavePageDescription(*content.pages[1], folders, clock, log);
    content::WriteContent(content, log);
    writeNet(shared, user);
}

void select(TformMain &window, const std::string &text)
{
    for (tree::TreeItem *item : window.treeController()->tree().preOrder())
        if (item->node->text == text) {
            window.treeController()->selectNode(item->node);
            return;
        }
    std::printf("missing=%s\n", text.c_str());
}

// What the page shows: bold, a colour other than black, and a bulleted list.
void describe(const QTextDocument &document)
{
    bool bold = false;
    bool colour = false;
    bool list = false;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        list = list || block.textList() != nullptr;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            bold = bold || format.fontWeight() >= QFont::Bold;
            const QColor c = format.foreground().color();
            colour = colour || (format.hasProperty(QTextFormat::ForegroundBrush) && c.red() > 150 &&
                                c.green() < 50);
        }
    }
    std::printf("bold=%d\ncolour=%d\nlist=%d\nmarkup=%d\n", bold, colour, list,
                document.toPlainText().contains(QStringLiteral("\\rtf")));
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const std::string step = args.value(1).toStdString();
    if (step == "seed") {
        seed(args.value(2).toStdString(), args.value(3).toStdString());
        return 0;
    }
    if (step == "join") {
        StoreWriter w(dataFolder());
        w.add(0, "Topics").expanded().node->send = true;
        w.add(0, "Local network information", kSectionNetwork);
        w.write();
        writeNet(args.value(2).toStdString(), args.value(3).toStdString());
        return 0;
    }

    SystemClock clock;
    TformMain::Environment env;
    env.prompts = std::make_shared<FakePrompts>();
    auto lan = std::make_shared<FakeLanPrompts>();
    lan->answers[kLockTopicQuestion] = false;
    env.lanPrompts = lan;
    env.sounds = std::make_shared<RecordingSoundPlayer>();
    TformMain window(clock, env);
    if (window.terminated())
        return 3;
    std::printf("connected=%d\n", window.lanSharing()->connection().connected());
    select(window, "Topics");
    if (step == "send") {
        select(window, args.value(2).toStdString());
        bool sent = false;
        for (QAction *action : window.treeActions()->menuSendto->actions())
            if (action->text() == args.value(3)) {
                action->trigger();
                sent = true;
            }
        std::printf("sent=%d\n", sent);
    } else if (step == "receive") {
        const std::string before = readFile(window.paths().MainLogFile);
        window.lanSharing()->timerCheckInboxTimer();
        const std::string log = readFile(window.paths().MainLogFile).substr(before.size());
        int matched = 0;
        int added = 0;
        for (std::size_t at = log.find("Matched topic: "); at != std::string::npos;
             at = log.find("Matched topic: ", at + 1))
            ++matched;
        for (std::size_t at = log.find("Added topic: "); at != std::string::npos;
             at = log.find("Added topic: ", at + 1))
            ++added;
        std::printf("matched=%d\nadded=%d\n", matched, added);
    } else if (step == "edit") {
        select(window, args.value(2).toStdString());
        pages::TopicPage &page = *window.topicPage();
        page.ShowPage(0);
        QTextEdit &editor = *page.details->RichEdit1;
        describe(*editor.document());
        QTextCursor cursor(editor.document());
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(args.value(3));
        page.SaveCurrentPage();
    }
    window.SaveAll();
    std::printf("outline=%s\n", treeOutline(*window.treeController()).c_str());
    window.close();
    std::fflush(stdout);
    return 0;
}
