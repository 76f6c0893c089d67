// The details text with its address and mouse handling.
#include "shell/pages/DetailsTextEdit.h"

#include <QApplication>
#include <QBuffer>
#include <QContextMenuEvent>
#include <QCryptographicHash>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextImageFormat>
#include <QUrl>

#include "shell/pages/LinkMarker.h"
#include "shell/rtf/RtfPicture.h"

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

namespace nimbus::pages {

namespace {

// The picture a clipboard or a drop holds, as PNG or JPEG bytes the page can store as they are;
// empty when it holds none.
QByteArray pictureBytes(const QMimeData &source)
{
    for (const char *type : {"image/png", "image/jpeg"})
        if (const QByteArray bytes = source.data(QLatin1String(type));
            !bytes.isEmpty() && !QImage::fromData(bytes).isNull())
            return bytes;
    QImage image;
    if (source.hasImage())
        image = qvariant_cast<QImage>(source.imageData());
    for (const QString &format : source.formats()) {
        if (!image.isNull())
            break;
        if (format.startsWith(QLatin1String("image/")))
            image = QImage::fromData(source.data(format));
    }
    if (image.isNull())
        return {};
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

bool holdsPicture(const QMimeData &source)
{
    if (source.hasImage())
        return true;
    for (const QString &format : source.formats())
        if (format.startsWith(QLatin1String("image/")))
            return true;
    return false;
}

// A browser's "Copy image" also offers the picture's address as text or an <img> tag; text
// with words in it is what the user meant to paste.
bool pictureIsMeant(const QMimeData &source)
{
    if (!holdsPicture(source))
        return false;
    const QString text = source.text().trimmed();
    return text.isEmpty() || !text.contains(QRegularExpression(QStringLiteral("\\s")));
}

} // namespace

bool DetailsTextEdit::canPaste(const QMimeData *source) const
{
    return source && canInsertFromMimeData(source);
}

bool DetailsTextEdit::canInsertFromMimeData(const QMimeData *source) const
{
    return holdsPicture(*source) || QTextEdit::canInsertFromMimeData(source);
}

void DetailsTextEdit::insertFromMimeData(const QMimeData *source)
{
    if (!pictureIsMeant(*source)) {
        QTextEdit::insertFromMimeData(source);
        return;
    }
    const QByteArray bytes = pictureBytes(*source);
    const QImage image = QImage::fromData(bytes);
    // A picture the page could not read back when it is opened again is not put in.
    if (image.isNull() || bytes.size() > rtf::RtfPicture::MaxDataBytes) {
        QApplication::beep();
        return;
    }
    const QString name =
        QStringLiteral("pasted-picture:") +
        QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex());
    document()->addResource(QTextDocument::ImageResource, QUrl(name), bytes);
    QTextImageFormat format;
    format.setName(name);
    // Shown at its own size, narrowed to the page when it is wider.
    const qreal room = qMax(64, viewport()->width() - 24);
    const qreal scale = image.width() > room ? room / image.width() : 1.0;
    format.setWidth(image.width() * scale);
    format.setHeight(image.height() * scale);
    textCursor().insertImage(format);
    ensureCursorVisible();
}

} // namespace nimbus::pages
