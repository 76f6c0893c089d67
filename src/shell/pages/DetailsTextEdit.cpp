// The details text with its address and mouse handling.
#include "shell/pages/DetailsTextEdit.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QTextBlock>

#include "shell/pages/LinkMarker.h"

namespace nimbus::pages {

DetailsTextEdit::DetailsTextEdit(QWidget *parent) : QTextEdit(parent)
{
    setObjectName("RichEdit1");
    setAcceptRichText(true);
    setTabChangesFocus(false);
    marker_ = new LinkMarker(this);
    marker_->setDocument(document());
}

void DetailsTextEdit::setPageDocument(QTextDocument *document)
{
    // The editor deletes a document it owns when it is replaced; one it does not own goes here.
    const QPointer<QTextDocument> old = this->document();
    document->setParent(this);
    marker_->setDocument(document);
    setDocument(document);
    if (old && old != document)
        delete old.data();
}

QString DetailsTextEdit::addressAt(int position) const
{
    const QTextBlock block = document()->findBlock(position);
    if (!block.isValid())
        return {};
    // A link the page holds (a field written by a word processor) opens its own target.
    QTextCursor at(document());
    at.setPosition(position);
    if (!at.atBlockEnd()) {
        at.movePosition(QTextCursor::NextCharacter);
        const QTextCharFormat format = at.charFormat();
        if (format.isAnchor() && !format.anchorHref().isEmpty())
            return format.anchorHref();
    }
    return LinkMarker::addressAt(block.text(), position - block.position()).target;
}

bool DetailsTextEdit::openAddressAt(int position)
{
    const QTextBlock block = document()->findBlock(position);
    if (!block.isValid())
        return false;
    const QString target = addressAt(position);
    if (target.isEmpty())
        return false;
    const QTextCursor caret = textCursor();
    // The whole address is selected while it opens, as the user sees what was taken.
    const AddressSpan span = LinkMarker::addressAt(block.text(), position - block.position());
    if (span.start >= 0) {
        QTextCursor selection(document());
        selection.setPosition(block.position() + span.start);
        selection.setPosition(block.position() + span.start + span.length, QTextCursor::KeepAnchor);
        setTextCursor(selection);
    }
    if (openAddress)
        openAddress(target);
    setTextCursor(caret);
    return true;
}

void DetailsTextEdit::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton &&
        openAddressAt(cursorForPosition(event->position().toPoint()).position())) {
        event->accept();
        return;
    }
    QTextEdit::mouseDoubleClickEvent(event);
}

void DetailsTextEdit::mouseReleaseEvent(QMouseEvent *event)
{
    QTextEdit::mouseReleaseEvent(event);
    emit mouseReleased();
}

void DetailsTextEdit::contextMenuEvent(QContextMenuEvent *event)
{
    if (!menu_) {
        QTextEdit::contextMenuEvent(event);
        return;
    }
    menu_->exec(event->globalPos());
}

void DetailsTextEdit::keyPressEvent(QKeyEvent *event)
{
    const bool tab = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
    if (tab && event->modifiers().testFlag(Qt::ControlModifier)) {
        const bool forward =
            event->key() == Qt::Key_Tab && !event->modifiers().testFlag(Qt::ShiftModifier);
        // Past QTextEdit's own rule, which keeps Tab while the text is editable.
        QAbstractScrollArea::focusNextPrevChild(forward);
        return;
    }
    QTextEdit::keyPressEvent(event);
}

} // namespace nimbus::pages
