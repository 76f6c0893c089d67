// The dialogs and desktop services the pages use, behind one small interface: the program
// shows the real dialogs and opens documents with the desktop's handler; tests answer at
// once and record what would have been opened.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <memory>
#include <optional>
#include <string>

class QPrinter;
class QTextDocumentFragment;
class QWidget;

namespace nimbus::pages {

// A font with the colour and character set the font dialog also sets.
struct FontChoice {
    QFont font;
    QColor colour = Qt::black;
    int charset = 0;
    // The dialog let the user choose the colour (the desktop's font dialog has none).
    bool colourChosen = false;
};

// The colour chooser's answer; -1 for a colour that was not chosen.
struct HiliteChoice {
    bool ok = false;
    int textColour = -1;
    int backColour = -1;
};

class PagePrompts {
public:
    virtual ~PagePrompts() = default;
    // The font dialog preset with choice; true (choice changed) on OK.
    virtual bool chooseFont(QWidget *parent, FontChoice &choice) = 0;
    // "HighLight Colour" with the selection as preview and the stored colours.
    virtual HiliteChoice chooseHighlight(QWidget *parent, const QTextDocumentFragment &preview,
                                         int textColour, int backColour) = 0;
    // The printer set-up dialog; true on OK.
    virtual bool setupPrinter(QWidget *parent, QPrinter &printer) = 0;
    // The save dialog for "Save as a Word document"; empty when cancelled.
    virtual QString wordFileName(QWidget *parent, const QString &proposed) = 0;
    // The page title dialog; nothing when cancelled.
    virtual std::optional<std::string> pageTitle(QWidget *parent, const std::string &title) = 0;
    // Opens a file or address with the desktop's default handler; false when it cannot.
    virtual bool openDocument(const std::string &target) = 0;
    // A notice about something that failed.
    virtual void tellUser(QWidget *parent, const QString &message) = 0;
};

// The real dialogs and the desktop's handler.
std::unique_ptr<PagePrompts> makeDesktopPagePrompts(const QString &caption);

} // namespace nimbus::pages
