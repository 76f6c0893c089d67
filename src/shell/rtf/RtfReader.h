// Reads a details page into a QTextDocument: RTF as word processors and converters write
// it, or plain text when the bytes do not start with "{\rtf".
#pragma once

#include <QByteArrayView>
#include <QString>

class QTextDocument;

namespace nimbus::rtf {

class RtfReader {
public:
    // Larger pages are refused rather than read: no details page comes near it.
    static constexpr qsizetype MaxInputBytes = 64 * 1024 * 1024;

    // True when the bytes are RTF (they start with "{\rtf", after blanks or a UTF-8 mark).
    static bool isRtf(QByteArrayView bytes);

    // Replaces the document's content with the page. Returns false when the page could not
    // be read completely; errorString() then says why. A page that is too large leaves the
    // document unchanged; otherwise the document holds everything that could be read.
    bool read(QByteArrayView bytes, QTextDocument *document);
    QString errorString() const { return error_; }

private:
    static void readPlainText(QByteArrayView bytes, QTextDocument *document);

    QString error_;
};

} // namespace nimbus::rtf
