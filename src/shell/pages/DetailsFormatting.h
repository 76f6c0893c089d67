// ActionList1 of the details editor, category "Format": font, bold, strike-out, italic,
// underline, bullets, numbering, indent and outdent, each with its shortcut, working on the
// selection of RichEdit1. The toolbar buttons follow the attributes at the caret.
#pragma once

#include <QObject>
#include <QTextListFormat>

class QAction;
class QWidget;

namespace nimbus::pages {

class DetailsTextEdit;
class PagePrompts;

class DetailsFormatting : public QObject {
    Q_OBJECT
public:
    // One indent step: 1440 twips, at the 15 twips per pixel the page files are written with.
    static constexpr double kIndentStep = 1440.0 / 15.0;

    // The actions' shortcuts work while the focus is in owner (the details panel).
    DetailsFormatting(DetailsTextEdit &edit, PagePrompts &prompts, QWidget *owner);

    QAction *RichEditFont = nullptr;
    QAction *RichEditBold = nullptr;
    QAction *RichEditStrikeOut1 = nullptr;
    QAction *RichEditItalic1 = nullptr;
    QAction *RichEditUnderline1 = nullptr;
    QAction *RichEditBullets = nullptr;
    QAction *RichEditNumber = nullptr;
    QAction *RichEditIndent = nullptr;
    QAction *RichEditOutDent = nullptr;

    QList<QAction *> actions() const;

    void RichEditFontExecute();
    void RichEditBoldExecute(bool down);
    void RichEditStrikeOut1Execute(bool down);
    void RichEditItalic1Execute(bool down);
    void RichEditUnderline1Execute(bool down);
    void RichEditBulletsExecute();
    void RichEditNumberExecute();
    // Moves the start indent of the selected paragraphs by steps of 1440 twips (never below 0).
    void indentBy(int steps);

private:
    QAction *make(const char *name, const QString &caption, const QString &icon,
                  const QKeySequence &shortcut, bool checkable);
    // Bullets (ListDisc) or Arabic numbers on the selected paragraphs, or off when they
    // already have them.
    void toggleList(QTextListFormat::Style style);
    void followCaret();

    DetailsTextEdit &edit_;
    PagePrompts &prompts_;
    QWidget *owner_;
};

} // namespace nimbus::pages
