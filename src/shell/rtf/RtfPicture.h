// One {\pict ...} group while it is read: its kind, sizes and data (hex digits or \bin
// bytes), and the image format that shows it in a QTextDocument. PNG and JPEG pictures are
// shown as they are; any other kind (WMF, EMF, bitmaps) is kept byte for byte and shown as a
// placeholder of its size, so that saving the page writes it back unchanged.
#pragma once

#include "shell/rtf/RtfKeyword.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QSizeF>
#include <QTextFormat>

class QTextDocument;
class QTextImageFormat;

namespace nimbus::rtf {

class RtfPicture {
public:
    enum class Kind { Png = 1, Jpeg = 2, Kept = 3 };

    // Properties of a QTextImageFormat that shows a picture read from RTF.
    static constexpr int DataProperty = QTextFormat::UserProperty + 0x5201;   // QByteArray
    static constexpr int KindProperty = QTextFormat::UserProperty + 0x5202;   // int (Kind)
    static constexpr int HeaderProperty = QTextFormat::UserProperty + 0x5203; // QByteArray
    static constexpr int SourceSizeProperty = QTextFormat::UserProperty + 0x5204; // QSize picw, pich

    // Larger pictures are dropped (the page is then not read completely).
    static constexpr qsizetype MaxDataBytes = 16 * 1024 * 1024;

    // A control word inside the \pict group.
    void controlWord(RtfKeyword keyword, QByteArrayView word, bool hasParameter, int parameter,
                     QByteArrayView binary);
    // Hex digits of the data; anything else between them is ignored.
    void hexText(QByteArrayView text);

    bool empty() const { return data_.isEmpty(); }
    bool tooLarge() const { return tooLarge_; }
    // Registers the picture with the document and returns the format that shows it.
    QTextImageFormat imageFormat(QTextDocument *document) const;

    // The bytes of a picture shown by format (an RTF picture or any image the document holds),
    // with its kind; empty when there is none.
    static QByteArray dataOf(const QTextDocument &document, const QTextImageFormat &format,
                             Kind *kind);

private:
    QSizeF displaySize(const QSize &imageSize) const; // in document pixels
    void appendData(QByteArrayView bytes);

    Kind kind_ = Kind::Kept;
    QByteArray header_; // the kind's own control words, for pictures kept as they are
    int width_ = 0, height_ = 0, goalWidth_ = 0, goalHeight_ = 0;
    int scaleX_ = 100, scaleY_ = 100;
    QByteArray data_;
    int nibble_ = -1; // the first half of a hex byte
    bool tooLarge_ = false;
};

} // namespace nimbus::rtf
