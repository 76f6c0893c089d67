// Reads a details page into a QTextDocument: RTF as word processors and converters write
// it, or plain text when the bytes do not start with "{\rtf".
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

class QTextDocument;

namespace nimbus::rtf {

class RtfReader {
public:
    // Larger pages are refused rather than read: no details page comes near them, and a
    // QTextDocument needs many times the bytes of its text.
    static constexpr qsizetype MaxInputBytes = 16 * 1024 * 1024;
    // Paragraphs beyond this many are not read (each costs a block of the document).
    static constexpr qsizetype MaxParagraphs = 250000;

    // True when the bytes are RTF (they start with "{\rtf", after blanks or a UTF-8 mark).
    static bool isRtf(QByteArrayView bytes);

    // Replaces the document's content with the page. Returns false when the page could not
    // be read completely; errorString() then says why. A page that is too large leaves the
    // document unchanged; otherwise the document holds everything that could be read.
    bool read(QByteArrayView bytes, QTextDocument *document);
    // Reads the bytes as a plain-text page (never as RTF): UTF-8 when they are valid UTF-8,
    // else Windows-1252. Returns false as read() does.
    bool readPlainText(QByteArrayView bytes, QTextDocument *document);
    QString errorString() const { return error_; }
    // What the page holds that the document cannot keep (see RtfParser::unkept); a page
    // that holds any of it must not be replaced by what the document holds.
    QStringList unkept() const { return unkept_; }

private:
    bool tooLarge(QByteArrayView bytes);
    // Returns false when the text had more than MaxParagraphs lines.
    static bool plainText(QByteArrayView bytes, QTextDocument *document);

    QString error_;
    QStringList unkept_;
};

} // namespace nimbus::rtf
