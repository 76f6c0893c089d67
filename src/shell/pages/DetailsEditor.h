// The details page panel panelToDoText: the format toolbar with the highlighter's panels
// over the rich-text editor RichEdit1, its popup menu popNotes, printing and "Save as a
// Word document". It loads and gives back a page's bytes; when and where they are stored is
// the topic page's business.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>
#include <QWidget>
#include <optional>

#include "shell/pages/PagePrompts.h"

class QAction;
class QLabel;
class QMenu;
class QTextDocument;
class QToolBar;

namespace nimbus {
class TScreenSetup;
}

namespace nimbus::pages {

class DetailsFormatting;
class DetailsTextEdit;
class HighlightControl;

// How a page's bytes were shown (DetailsEditor::loadPage).
struct PageLoad {
    bool complete = true; // false: problem says what could not be read
    QString problem;
    QStringList unkept; // what the page holds that the editor cannot keep
};

class DetailsEditor : public QWidget {
    Q_OBJECT
public:
    DetailsEditor(PagePrompts &prompts, TScreenSetup &setup, const QCursor &highlightCursor,
                  QWidget *parent = nullptr);

    DetailsTextEdit *RichEdit1 = nullptr;
    // Says why the shown page is read-only when it is not the topic's lock.
    QLabel *labelPageNotice = nullptr;
    QToolBar *toolbarFormat = nullptr;
    DetailsFormatting *formatting = nullptr;
    HighlightControl *highlighter = nullptr;
    QAction *RichEditPrint = nullptr;  // Ctrl+P
    QAction *RichEditSaveAs = nullptr; // Ctrl+O
    QAction *CLChangeTitle = nullptr;  // Ctrl+T
    QMenu *popNotes = nullptr;

    // The details page normal font: the editor's font and the attributes at its caret.
    void setNormalFont(const FontChoice &font);
    FontChoice fontAtCaret() const;

    // Shows a page's bytes: RTF when rich (or plain text that the reader recognises), else
    // plain text (UTF-8 when valid, else Windows-1252). The page then counts as unchanged and
    // editable again. What could not be read, or cannot be kept, is in the result; what was
    // read is shown.
    PageLoad loadPage(QByteArrayView bytes, bool rich);
    // Shows the page read-only with the notice above it, so that nothing written from the
    // editor can replace the page's file. An empty notice makes the page editable again.
    void protectPage(const QString &notice);
    bool pageProtected() const { return !notice_.isEmpty(); }
    // The page as RTF.
    QByteArray pageBytes() const;
    bool holdsText() const;
    // Changed since it was loaded or last saved (RichEdit1Change).
    bool modified() const;
    void setModified(bool modified);
    // A locked topic: the text is read-only and the toolbar and colour panels are disabled.
    void setLocked(bool locked);
    bool locked() const { return locked_; }
    // The heading (the print job's title) and the page's title (the proposed file name).
    void setTitles(const QString &heading, const QString &pageTitle)
    {
        title_ = heading;
        pageTitle_ = pageTitle;
    }

    void RichEditPrintExecute();
    void RichEditSaveAsExecute();

signals:
    void changeTitleRequested();
    void modifiedChanged(bool modified);

protected:
    void changeEvent(QEvent *event) override;

private:
    void createMenu();
    // Whether the page is drawn on a dark background.
    bool darkPage() const;
    // The caret's colour for new text: the normal font's.
    void applyNormalColour();
    // Shows plain black text of a loaded page in the page's text colour on a dark page.
    void followPageColours(QTextDocument &document) const;
    // The text is read-only while the topic is locked or the page protected.
    void applyReadOnly();

    PagePrompts &prompts_;
    QString title_;
    QString pageTitle_;
    std::optional<FontChoice> normalFont_;
    bool locked_ = false;
    QString notice_;
};

} // namespace nimbus::pages
