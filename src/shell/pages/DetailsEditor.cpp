// The details page editor.
#include "shell/pages/DetailsEditor.h"

#include <QAction>
#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPrinter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "shell/pages/DetailsFormatting.h"
#include "shell/pages/DetailsTextEdit.h"
#include "shell/pages/FormatIcons.h"
#include "shell/pages/HighlightControl.h"
#include "shell/pages/LongWords.h"
#include "shell/pages/PageOutput.h"
#include "shell/pages/ThemeText.h"
#include "shell/rtf/RtfReader.h"
#include "shell/rtf/RtfWriter.h"
#include "widgets/KeyboardAccess.h"

namespace nimbus::pages {

DetailsEditor::DetailsEditor(PagePrompts &prompts, TScreenSetup &setup,
                             const QCursor &highlightCursor, QWidget *parent)
    : QWidget(parent), prompts_(prompts)
{
    setObjectName("panelToDoText");
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    toolbarFormat = new QToolBar(this);
    toolbarFormat->setObjectName("toolbarFormat");
    toolbarFormat->setIconSize(QSize(16, 16));
    layout->addWidget(toolbarFormat);
    labelPageNotice = new QLabel(this);
    labelPageNotice->setObjectName("labelPageNotice");
    labelPageNotice->setWordWrap(true);
    labelPageNotice->setTextFormat(Qt::PlainText);
    labelPageNotice->setStyleSheet("background: rgb(255, 244, 206); color: rgb(96, 64, 0); "
                                   "padding: 4px;");
    labelPageNotice->hide();
    layout->addWidget(labelPageNotice);
    RichEdit1 = new DetailsTextEdit(this);
    RichEdit1->openAddress = [this](const QString &target) {
        return prompts_.openDocument(target.toLocal8Bit().toStdString());
    };
    layout->addWidget(RichEdit1, 1);
    RichEdit1->setAccessibleName(tr("Details"));
    // The notice says what the text below it is; screen readers hear it with the text.
    labelPageNotice->setBuddy(RichEdit1);

    formatting = new DetailsFormatting(*RichEdit1, prompts_, this);
    highlighter = new HighlightControl(*RichEdit1, prompts_, setup, highlightCursor, this);

    auto action = [this](const char *name, const QString &caption, const QString &icon,
                         const char *keys) {
        auto *made = new QAction(icons::format(icon), caption, this);
        made->setObjectName(name);
        made->setProperty(icons::kFormatIconProperty, icon);
        made->setProperty("category", QStringLiteral("Format"));
        made->setShortcut(QKeySequence(keys));
        made->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(made);
        return made;
    };
    RichEditPrint = action("RichEditPrint", tr("Print"), "print", "Ctrl+P");
    RichEditSaveAs = action("RichEditSaveAs", tr("Save as a Word document"), "save", "Ctrl+O");
    CLChangeTitle = new QAction(tr("Change page title"), this);
    CLChangeTitle->setObjectName("CLChangeTitle");
    CLChangeTitle->setShortcut(QKeySequence("Ctrl+T"));
    CLChangeTitle->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(CLChangeTitle);
    connect(RichEditPrint, &QAction::triggered, this, &DetailsEditor::RichEditPrintExecute);
    connect(RichEditSaveAs, &QAction::triggered, this, &DetailsEditor::RichEditSaveAsExecute);
    connect(CLChangeTitle, &QAction::triggered, this, &DetailsEditor::changeTitleRequested);

    toolbarFormat->addAction(formatting->RichEditFont);
    toolbarFormat->addSeparator();
    for (QAction *format : {formatting->RichEditBold, formatting->RichEditItalic1,
                            formatting->RichEditUnderline1, formatting->RichEditStrikeOut1})
        toolbarFormat->addAction(format);
    toolbarFormat->addSeparator();
    for (QAction *format : {formatting->RichEditBullets, formatting->RichEditNumber,
                            formatting->RichEditOutDent, formatting->RichEditIndent})
        toolbarFormat->addAction(format);
    toolbarFormat->addSeparator();
    toolbarFormat->addWidget(highlighter->panels());
    toolbarFormat->addSeparator();
    toolbarFormat->addAction(RichEditPrint);
    toolbarFormat->addAction(RichEditSaveAs);
    access::reachableToolBar(toolbarFormat);
    // The tool bar's buttons are made after the text: Tab still meets them first, above it.
    access::orderTabChain(this, {toolbarFormat, RichEdit1});
    createMenu();
}

void DetailsEditor::createMenu()
{
    popNotes = new QMenu(this);
    popNotes->setObjectName("popNotes");
    popNotes->addAction(CLChangeTitle);
    popNotes->addSeparator();
    QAction *undo =
        popNotes->addAction(tr("Undo"), QKeySequence::Undo, RichEdit1, &QTextEdit::undo);
    QAction *selectAll = popNotes->addAction(tr("Select all"), QKeySequence::SelectAll, RichEdit1,
                                             &QTextEdit::selectAll);
    QAction *copy =
        popNotes->addAction(tr("Copy"), QKeySequence::Copy, RichEdit1, &QTextEdit::copy);
    QAction *cut = popNotes->addAction(tr("Cut"), QKeySequence::Cut, RichEdit1, &QTextEdit::cut);
    QAction *paste =
        popNotes->addAction(tr("Paste"), QKeySequence::Paste, RichEdit1, &QTextEdit::paste);
    popNotes->addSeparator();
    QAction *toggle = popNotes->addAction(tr("Switch highlighting on/off"));
    toggle->setShortcut(QKeySequence("Ctrl+H"));
    connect(toggle, &QAction::triggered, highlighter->TextColour, &QAction::trigger);
    popNotes->addAction(highlighter->RemoveHighlighting);
    popNotes->addSeparator();
    popNotes->addAction(RichEditPrint);
    popNotes->addAction(RichEditSaveAs);
    // The editor handles its own keys; the menu shows them and follows what can be done now.
    for (QAction *item : {undo, selectAll, copy, cut, paste})
        item->setShortcutContext(Qt::WidgetShortcut);
    connect(popNotes, &QMenu::aboutToShow, this, [=, this] {
        const bool editable = !RichEdit1->isReadOnly();
        const bool selected = RichEdit1->textCursor().hasSelection();
        undo->setEnabled(editable && RichEdit1->document()->isUndoAvailable());
        cut->setEnabled(editable && selected);
        copy->setEnabled(selected);
        const QMimeData *clip = QGuiApplication::clipboard()->mimeData();
        paste->setEnabled(editable && RichEdit1->canPaste(clip));
        toggle->setEnabled(editable);
        highlighter->RemoveHighlighting->setEnabled(editable);
        CLChangeTitle->setEnabled(editable);
    });
    RichEdit1->setContextMenu(popNotes);
}

void DetailsEditor::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::PaletteChange)
        return;
    // The format pictures are drawn in the ink of the palette: a new palette, new pictures.
    for (QAction *made : findChildren<QAction *>()) {
        const QString icon = made->property(icons::kFormatIconProperty).toString();
        if (!icon.isEmpty())
            made->setIcon(icons::format(icon));
    }
    if (highlighter)
        highlighter->buttonColour->setIcon(icons::format(QStringLiteral("highlight")));
}

void DetailsEditor::setNormalFont(const FontChoice &font)
{
    normalFont_ = font;
    RichEdit1->document()->setDefaultFont(font.font);
    QPalette palette = RichEdit1->palette();
    const QColor base = palette.color(QPalette::Base);
    palette.setColor(QPalette::Text,
                     theme::readableOn(font.colour, base, QGuiApplication::palette()));
    RichEdit1->setPalette(palette);
    RichEdit1->setCurrentFont(font.font);
    applyNormalColour();
}

bool DetailsEditor::darkPage() const
{
    const QColor base = RichEdit1->palette().color(QPalette::Base);
    return theme::contrast(base, Qt::white) > theme::contrast(base, Qt::black);
}

void DetailsEditor::applyNormalColour()
{
    if (!normalFont_)
        return;
    // On a dark page, black (the colour every page is written in unless the user chose
    // another) is the page's own text colour: what is typed takes the palette's.
    if (darkPage() && normalFont_->colour == QColor(Qt::black)) {
        QTextCharFormat format = RichEdit1->currentCharFormat();
        format.clearForeground();
        RichEdit1->setCurrentCharFormat(format);
        return;
    }
    RichEdit1->setTextColor(normalFont_->colour);
}

void DetailsEditor::followPageColours(QTextDocument &document) const
{
    // Text written in plain black, with no highlight behind it, would be black on a dark page;
    // it is shown in the page's text colour instead. The document is not marked changed: a
    // page that is saved later is written without the black, which reads the same on paper.
    if (!darkPage())
        return;
    QTextCursor cursor(&document);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextCharFormat format = fragment.charFormat();
            if (format.isImageFormat() || !format.hasProperty(QTextFormat::ForegroundBrush) ||
                format.hasProperty(QTextFormat::BackgroundBrush) ||
                format.foreground().style() == Qt::NoBrush ||
                format.foreground().color() != QColor(Qt::black))
                continue;
            format.clearForeground();
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(format);
        }
    }
}

FontChoice DetailsEditor::fontAtCaret() const
{
    const QTextCharFormat format = RichEdit1->currentCharFormat();
    FontChoice choice;
    choice.font = format.font();
    choice.colour = format.foreground().style() == Qt::NoBrush
                        ? RichEdit1->palette().color(QPalette::Text)
                        : format.foreground().color();
    return choice;
}

PageLoad DetailsEditor::loadPage(QByteArrayView bytes, bool rich)
{
    // The page is read into a document of its own and then shown: nothing is laid out or
    // marked while it is being built, and the undo history starts empty.
    auto *document = new QTextDocument;
    document->setDefaultFont(RichEdit1->document()->defaultFont());
    document->setIndentWidth(DetailsFormatting::kIndentStep);
    document->setUndoRedoEnabled(false);
    PageLoad load;
    rtf::RtfReader reader;
    load.complete = rich ? reader.read(bytes, document) : reader.readPlainText(bytes, document);
    load.problem = reader.errorString();
    load.unkept = reader.unkept();
    // Cut before anything lays the page out; a cut page is shown read-only like any page that
    // cannot be shown whole, so no save writes the cut text.
    if (const int longest = CutLongWords(*document); longest > 0 && load.complete) {
        load.complete = false;
        load.problem = tr("it holds a word or paragraph of %1 characters, which is shown cut short.").arg(longest);
    }
    followPageColours(*document);
    document->setIndentWidth(DetailsFormatting::kIndentStep);
    document->setUndoRedoEnabled(true);
    document->setModified(false);
    RichEdit1->setPageDocument(document);
    connect(document, &QTextDocument::modificationChanged, this, &DetailsEditor::modifiedChanged);
    RichEdit1->moveCursor(QTextCursor::Start);
    // An empty page starts with the normal font at its caret.
    if (document->isEmpty() && normalFont_) {
        RichEdit1->setCurrentFont(normalFont_->font);
        applyNormalColour();
    }
    protectPage({});
    emit modifiedChanged(false);
    return load;
}

void DetailsEditor::protectPage(const QString &notice)
{
    notice_ = notice;
    labelPageNotice->setText(notice);
    labelPageNotice->setVisible(!notice.isEmpty());
    RichEdit1->setAccessibleDescription(notice);
    applyReadOnly();
}

QByteArray DetailsEditor::pageBytes() const
{
    return rtf::RtfWriter().write(*RichEdit1->document());
}

bool DetailsEditor::holdsText() const
{
    return !RichEdit1->document()->isEmpty();
}

bool DetailsEditor::modified() const
{
    return RichEdit1->document()->isModified();
}

void DetailsEditor::setModified(bool modified)
{
    RichEdit1->document()->setModified(modified);
}

void DetailsEditor::setLocked(bool locked)
{
    locked_ = locked;
    applyReadOnly();
}

void DetailsEditor::applyReadOnly()
{
    const bool locked = locked_ || !notice_.isEmpty();
    RichEdit1->setReadOnly(locked);
    // Reading a locked page still lets the user select, copy, print and save it elsewhere.
    RichEdit1->setTextInteractionFlags(locked ? Qt::TextSelectableByMouse |
                                                    Qt::TextSelectableByKeyboard
                                              : Qt::TextEditorInteraction);
    for (QAction *format : formatting->actions())
        format->setEnabled(!locked);
    highlighter->TextColour->setEnabled(!locked);
    highlighter->RemoveHighlighting->setEnabled(!locked);
    highlighter->panels()->setEnabled(!locked);
    CLChangeTitle->setEnabled(!locked);
    if (locked)
        highlighter->switchOff();
}

void DetailsEditor::RichEditPrintExecute()
{
    QPrinter printer(QPrinter::HighResolution);
    if (!prompts_.setupPrinter(this, printer))
        return;
    PrintPage(*RichEdit1->document(), printer, title_);
}

void DetailsEditor::RichEditSaveAsExecute()
{
    QString proposed = pageTitle_;
    proposed.replace('/', '-');
    const QString fileName = prompts_.wordFileName(this, proposed + QStringLiteral(".rtf"));
    if (fileName.isEmpty())
        return;
    QString error;
    if (!SaveAsWord(*RichEdit1->document(), fileName, error))
        prompts_.tellUser(this, tr("The page could not be saved as %1: %2").arg(fileName, error));
}

} // namespace nimbus::pages
