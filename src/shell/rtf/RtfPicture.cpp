// One RTF picture; see RtfPicture.h.
#include "shell/rtf/RtfPicture.h"

#include "shell/rtf/RtfParagraphState.h"
#include "shell/rtf/RtfTokenizer.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

namespace nimbus::rtf {

namespace {

constexpr qreal MaxSide = 4000; // document pixels; a picture is never shown larger
constexpr int MaxPlaceholderSide = 1000;

// What stands for a picture this program cannot draw: a framed grey box of its size.
QImage placeholder(const QSizeF &size)
{
    const int width = qBound(1, qRound(size.width()), MaxPlaceholderSide);
    const int height = qBound(1, qRound(size.height()), MaxPlaceholderSide);
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(236, 236, 236));
    QPainter painter(&image);
    painter.setPen(QColor(150, 150, 150));
    painter.drawRect(0, 0, width - 1, height - 1);
    painter.drawLine(0, 0, width - 1, height - 1);
    painter.drawLine(0, height - 1, width - 1, 0);
    return image;
}

QByteArray encodePng(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace

void RtfPicture::controlWord(RtfKeyword keyword, QByteArrayView word, bool hasParameter,
                             int parameter, QByteArrayView binary)
{
    using K = RtfKeyword;
    switch (keyword) {
    case K::PngBlip:
        kind_ = Kind::Png;
        return;
    case K::JpegBlip:
        kind_ = Kind::Jpeg;
        return;
    case K::PictureWidth:
        width_ = qBound(0, parameter, 1000000);
        return;
    case K::PictureHeight:
        height_ = qBound(0, parameter, 1000000);
        return;
    case K::PictureGoalWidth:
        goalWidth_ = qBound(0, parameter, 1000000);
        return;
    case K::PictureGoalHeight:
        goalHeight_ = qBound(0, parameter, 1000000);
        return;
    case K::PictureScaleX:
        scaleX_ = qBound(1, parameter, 10000);
        return;
    case K::PictureScaleY:
        scaleY_ = qBound(1, parameter, 10000);
        return;
    case K::Binary:
        nibble_ = -1;
        appendData(binary);
        return;
    default:
        break;
    }
    // The kind's own words (\wmetafile8, \emfblip, \dibitmap0, \wbmwidthbytes...) are kept
    // as they came, for the picture that is written back as it was read.
    if (header_.size() < 256) {
        header_ += '\\';
        header_ += word.toByteArray();
        if (hasParameter)
            header_ += QByteArray::number(parameter);
    }
}

void RtfPicture::hexText(QByteArrayView text)
{
    QByteArray bytes;
    bytes.reserve(text.size() / 2 + 1);
    for (char c : text) {
        const int value = hexDigitValue(c);
        if (value < 0)
            continue;
        if (nibble_ < 0) {
            nibble_ = value;
        } else {
            bytes += static_cast<char>(nibble_ * 16 + value);
            nibble_ = -1;
        }
    }
    appendData(bytes);
}

void RtfPicture::appendData(QByteArrayView bytes)
{
    if (tooLarge_)
        return;
    if (data_.size() + bytes.size() > MaxDataBytes) {
        tooLarge_ = true;
        data_.clear();
        return;
    }
    data_ += bytes;
}

QSizeF RtfPicture::displaySize(const QSize &imageSize) const
{
    constexpr qreal TwipsPerPixel = RtfParagraphState::TwipsPerPixel;
    qreal width = 0, height = 0;
    if (goalWidth_ > 0 && goalHeight_ > 0) {
        width = goalWidth_ / TwipsPerPixel;
        height = goalHeight_ / TwipsPerPixel;
    } else if (!imageSize.isEmpty()) {
        width = imageSize.width();
        height = imageSize.height();
    } else if (width_ > 0 && height_ > 0) {
        // Metafiles give their size in hundredths of a millimetre.
        width = width_ * 96.0 / 2540.0;
        height = height_ * 96.0 / 2540.0;
    } else {
        width = height = 32;
    }
    width = width * scaleX_ / 100.0;
    height = height * scaleY_ / 100.0;
    return QSizeF(qBound<qreal>(1, width, MaxSide), qBound<qreal>(1, height, MaxSide));
}

QTextImageFormat RtfPicture::imageFormat(QTextDocument *document) const
{
    QImage image;
    if (kind_ == Kind::Png || kind_ == Kind::Jpeg)
        image = QImage::fromData(data_, kind_ == Kind::Png ? "PNG" : "JPEG");
    const QSizeF size = displaySize(image.size());
    if (image.isNull())
        image = placeholder(size); // a damaged picture keeps its bytes all the same
    const QString name =
        QStringLiteral("rtf-picture:") +
        QString::fromLatin1(QCryptographicHash::hash(data_, QCryptographicHash::Md5).toHex()) +
        QLatin1Char('-') + QString::number(static_cast<int>(kind_));
    document->addResource(QTextDocument::ImageResource, QUrl(name), image);

    QTextImageFormat format;
    format.setName(name);
    format.setWidth(size.width());
    format.setHeight(size.height());
    format.setProperty(DataProperty, data_);
    format.setProperty(KindProperty, static_cast<int>(kind_));
    if (kind_ == Kind::Kept) {
        format.setProperty(HeaderProperty, header_);
        format.setProperty(SourceSizeProperty, QSize(width_, height_));
    }
    return format;
}

QByteArray RtfPicture::dataOf(const QTextDocument &document, const QTextImageFormat &format,
                              Kind *kind)
{
    if (format.hasProperty(DataProperty)) {
        const int stored = format.intProperty(KindProperty);
        *kind = stored == 1 ? Kind::Png : stored == 2 ? Kind::Jpeg : Kind::Kept;
        return format.property(DataProperty).toByteArray();
    }
    // A picture that came in another way (pasted): its image as the document holds it.
    const QVariant resource =
        document.resource(QTextDocument::ImageResource, QUrl(format.name()));
    QImage image;
    if (resource.typeId() == QMetaType::QByteArray) {
        const QByteArray bytes = resource.toByteArray();
        if (bytes.startsWith("\x89PNG\r\n\x1a\n")) {
            *kind = Kind::Png;
            return bytes;
        }
        if (bytes.startsWith("\xFF\xD8\xFF")) {
            *kind = Kind::Jpeg;
            return bytes;
        }
        image = QImage::fromData(bytes);
    } else if (resource.typeId() == QMetaType::QImage) {
        image = resource.value<QImage>();
    } else if (resource.typeId() == QMetaType::QPixmap) {
        image = resource.value<QPixmap>().toImage();
    }
    if (image.isNull())
        return {};
    *kind = Kind::Png;
    return encodePng(image);
}

} // namespace nimbus::rtf
