// The details page panel panelToDoText: the format toolbar with the highlighter's panels
// over the rich-text editor RichEdit1, its popup menu popNotes, printing and "Save as a
// Word document". It loads and gives back a page's bytes; when and where they are stored is
// the topic page's business.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QWidget>
#include <optional>

#include "shell/pages/PagePrompts.h"

class QAction;
class QMenu;
class QToolBar;

namespace nimbus {
class TScreenSetup;
}

namespace nimbus::pages {

class DetailsFormatting;
class DetailsTextEdit;
class HighlightControl;

class DetailsEditor : public QWidget {
    Q_OBJECT
public:
    DetailsEditor(PagePrompts &prompts, TScreenSetup &setup, const QCursor &highlightCursor,
                  QWidget *parent = nullptr);

    DetailsTextEdit *RichEdit1 = nullptr;
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
    // plain text. The page then counts as unchanged. False with problem set when the page
    // could not be read completely; what was read is shown.
    bool loadPage(QByteArrayView bytes, bool rich, QString *problem = nullptr);
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

private:
    void createMenu();

    PagePrompts &prompts_;
    QString title_;
    QString pageTitle_;
    std::optional<FontChoice> normalFont_;
    bool locked_ = false;
};

} // namespace nimbus::pages
