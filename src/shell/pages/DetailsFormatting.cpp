// The formatting actions of the details editor.
#include "shell/pages/DetailsFormatting.h"

#include <QAction>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextList>

#include "shell/pages/DetailsTextEdit.h"
#include "shell/pages/FormatIcons.h"
#include "shell/pages/PagePrompts.h"

namespace nimbus::pages {

DetailsFormatting::DetailsFormatting(DetailsTextEdit &edit, PagePrompts &prompts, QWidget *owner)
    : QObject(owner), edit_(edit), prompts_(prompts), owner_(owner)
{
    RichEditFont = make("RichEditFont", tr("Font"), "font", {}, false);
    RichEditFont->setToolTip(tr("Chant font settings"));
    RichEditBold = make("RichEditBold", tr("&Bold"), "bold", QKeySequence("Ctrl+B"), true);
    RichEditStrikeOut1 =
        make("RichEditStrikeOut1", tr("&Strikeout"), "strikeout", QKeySequence("Ctrl+K"), true);
    RichEditItalic1 =
        make("RichEditItalic1", tr("&Italic"), "italic", QKeySequence("Ctrl+I"), true);
    RichEditUnderline1 =
        make("RichEditUnderline1", tr("&Underline"), "underline", QKeySequence("Ctrl+U"), true);
    RichEditBullets = make("RichEditBullets", tr("&Bullets"), "bullets", {}, true);
    RichEditNumber = make("RichEditNumber", tr("Paragraph numbers"), "numbers", {}, true);
    RichEditIndent =
        make("RichEditIndent", tr("Paragraph indent"), "indent", QKeySequence("Ctrl+M"), false);
    RichEditOutDent =
        make("RichEditOutDent", tr("Paragraph outdent"), "outdent", QKeySequence("Ctrl+N"), false);

    connect(RichEditFont, &QAction::triggered, this, &DetailsFormatting::RichEditFontExecute);
    connect(RichEditBold, &QAction::triggered, this, &DetailsFormatting::RichEditBoldExecute);
    connect(RichEditStrikeOut1, &QAction::triggered, this,
            &DetailsFormatting::RichEditStrikeOut1Execute);
    connect(RichEditItalic1, &QAction::triggered, this, &DetailsFormatting::RichEditItalic1Execute);
    connect(RichEditUnderline1, &QAction::triggered, this,
            &DetailsFormatting::RichEditUnderline1Execute);
    connect(RichEditBullets, &QAction::triggered, this, &DetailsFormatting::RichEditBulletsExecute);
    connect(RichEditNumber, &QAction::triggered, this, &DetailsFormatting::RichEditNumberExecute);
    connect(RichEditIndent, &QAction::triggered, this, [this] { indentBy(1); });
    connect(RichEditOutDent, &QAction::triggered, this, [this] { indentBy(-1); });
    connect(&edit_, &QTextEdit::currentCharFormatChanged, this, &DetailsFormatting::followCaret);
    connect(&edit_, &QTextEdit::cursorPositionChanged, this, &DetailsFormatting::followCaret);
}

QAction *DetailsFormatting::make(const char *name, const QString &caption, const QString &icon,
                                 const QKeySequence &shortcut, bool checkable)
{
    auto *action = new QAction(icons::format(icon), caption, owner_);
    action->setObjectName(name);
    action->setProperty(icons::kFormatIconProperty, icon);
    action->setProperty("category", QStringLiteral("Format"));
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    action->setCheckable(checkable);
    if (action->toolTip() == caption)
        action->setToolTip(QString(caption).remove('&'));
    owner_->addAction(action);
    return action;
}

QList<QAction *> DetailsFormatting::actions() const
{
    return {RichEditFont,       RichEditBold,       RichEditItalic1,
            RichEditUnderline1, RichEditStrikeOut1, RichEditBullets,
            RichEditNumber,     RichEditIndent,     RichEditOutDent};
}

void DetailsFormatting::RichEditFontExecute()
{
    const QTextCharFormat current = edit_.currentCharFormat();
    FontChoice choice;
    choice.font = current.font();
    choice.colour = current.foreground().style() == Qt::NoBrush
                        ? edit_.palette().color(QPalette::Text)
                        : current.foreground().color();
    if (!prompts_.chooseFont(owner_, choice))
        return;
    QTextCharFormat format;
    format.setFont(choice.font);
    format.setForeground(choice.colour);
    edit_.mergeCurrentCharFormat(format);
}

void DetailsFormatting::RichEditBoldExecute(bool down)
{
    QTextCharFormat format;
    format.setFontWeight(down ? QFont::Bold : QFont::Normal);
    edit_.mergeCurrentCharFormat(format);
}

void DetailsFormatting::RichEditStrikeOut1Execute(bool down)
{
    QTextCharFormat format;
    format.setFontStrikeOut(down);
    edit_.mergeCurrentCharFormat(format);
}

void DetailsFormatting::RichEditItalic1Execute(bool down)
{
    QTextCharFormat format;
    format.setFontItalic(down);
    edit_.mergeCurrentCharFormat(format);
}

void DetailsFormatting::RichEditUnderline1Execute(bool down)
{
    QTextCharFormat format;
    format.setFontUnderline(down);
    edit_.mergeCurrentCharFormat(format);
}

void DetailsFormatting::RichEditBulletsExecute()
{
    toggleList(QTextListFormat::ListDisc);
}

void DetailsFormatting::RichEditNumberExecute()
{
    toggleList(QTextListFormat::ListDecimal);
}

void DetailsFormatting::toggleList(QTextListFormat::Style style)
{
    QTextCursor cursor = edit_.textCursor();
    QTextList *list = cursor.currentList();
    cursor.beginEditBlock();
    if (list && list->format().style() == style) {
        // Off: every selected paragraph leaves its list.
        QTextBlock block = edit_.document()->findBlock(cursor.selectionStart());
        const QTextBlock last = edit_.document()->findBlock(cursor.selectionEnd());
        while (block.isValid()) {
            if (QTextList *in = block.textList()) {
                in->remove(block);
                QTextCursor at(block);
                QTextBlockFormat format = block.blockFormat();
                format.setIndent(0);
                at.setBlockFormat(format);
            }
            if (block == last)
                break;
            block = block.next();
        }
    } else if (list) {
        QTextListFormat format = list->format();
        format.setStyle(style);
        list->setFormat(format);
    } else {
        QTextListFormat format;
        format.setStyle(style);
        format.setIndent(1);
        cursor.createList(format);
    }
    cursor.endEditBlock();
    followCaret();
}

void DetailsFormatting::indentBy(int steps)
{
    QTextCursor cursor = edit_.textCursor();
    cursor.beginEditBlock();
    QTextBlock block = edit_.document()->findBlock(cursor.selectionStart());
    const QTextBlock last = edit_.document()->findBlock(cursor.selectionEnd());
    while (block.isValid()) {
        QTextBlockFormat format = block.blockFormat();
        format.setLeftMargin(qMax(0.0, format.leftMargin() + steps * kIndentStep));
        QTextCursor(block).setBlockFormat(format);
        if (block == last)
            break;
        block = block.next();
    }
    cursor.endEditBlock();
}

void DetailsFormatting::followCaret()
{
    const QTextCharFormat format = edit_.currentCharFormat();
    RichEditBold->setChecked(format.fontWeight() >= QFont::Bold);
    RichEditItalic1->setChecked(format.fontItalic());
    RichEditUnderline1->setChecked(format.fontUnderline());
    RichEditStrikeOut1->setChecked(format.fontStrikeOut());
    const QTextList *list = edit_.textCursor().currentList();
    RichEditBullets->setChecked(list && list->format().style() == QTextListFormat::ListDisc);
    RichEditNumber->setChecked(list && list->format().style() == QTextListFormat::ListDecimal);
}

} // namespace nimbus::pages
