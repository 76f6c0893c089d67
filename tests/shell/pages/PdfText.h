// The text of a PDF that Qt wrote: its compressed streams are inflated, the glyph codes of
// the text operators mapped back to characters through the fonts' ToUnicode tables.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QRegularExpression>
#include <QString>
#include <QtEndian>

namespace nimbus::test {

inline QList<QByteArray> pdfStreams(const QByteArray &pdf)
{
    QList<QByteArray> streams;
    qsizetype at = 0;
    while ((at = pdf.indexOf("stream", at)) >= 0) {
        if (at >= 3 && pdf.mid(at - 3, 3) == "end") {
            at += 6;
            continue;
        }
        qsizetype start = at + 6;
        if (pdf.mid(start, 2) == "\r\n")
            start += 2;
        else if (pdf.mid(start, 1) == "\n")
            start += 1;
        const qsizetype end = pdf.indexOf("endstream", start);
        if (end < 0)
            break;
        const QByteArray raw = pdf.mid(start, end - start);
        if (!raw.startsWith('\x78')) { // not a zlib stream
            streams.append(raw);
        } else {
            // qUncompress wants the expected size in front of the zlib data.
            QByteArray sized(4, '\0');
            qToBigEndian<quint32>(1u << 24, sized.data());
            const QByteArray inflated = qUncompress(sized + raw);
            streams.append(inflated.isEmpty() ? raw : inflated);
        }
        at = end + 9;
    }
    return streams;
}

inline QString pdfText(const QByteArray &pdf)
{
    const QList<QByteArray> streams = pdfStreams(pdf);
    QHash<uint, QString> glyphs;
    const QRegularExpression pair(QStringLiteral("<([0-9A-Fa-f]+)>\\s*<([0-9A-Fa-f]+)>"));
    const QRegularExpression range(
        QStringLiteral("<([0-9A-Fa-f]+)>\\s*<([0-9A-Fa-f]+)>\\s*(<[0-9A-Fa-f]+>|\\[[^\\]]*\\])"));
    const QRegularExpression hexCode(QStringLiteral("<([0-9A-Fa-f]+)>"));
    for (const QByteArray &stream : streams) {
        if (!stream.contains("begincmap"))
            continue;
        const QString text = QString::fromLatin1(stream);
        for (qsizetype at = 0; (at = text.indexOf("beginbfrange", at)) >= 0;) {
            const qsizetype end = text.indexOf("endbfrange", at);
            auto it = range.globalMatch(text.mid(at, end - at));
            while (it.hasNext()) {
                const auto m = it.next();
                const uint first = m.captured(1).toUInt(nullptr, 16);
                const uint last = m.captured(2).toUInt(nullptr, 16);
                const QString target = m.captured(3);
                if (target.startsWith('[')) {
                    // One code per glyph of the range.
                    uint g = first;
                    auto codes = hexCode.globalMatch(target);
                    while (codes.hasNext() && g <= last)
                        glyphs.insert(
                            g++,
                            QString(QChar(char16_t(codes.next().captured(1).toUInt(nullptr, 16)))));
                    continue;
                }
                const uint code = target.mid(1, target.size() - 2).toUInt(nullptr, 16);
                for (uint g = first; g <= last && g - first < 4096; ++g)
                    glyphs.insert(g, QString(QChar(char16_t(code + g - first))));
            }
            at = end;
        }
        for (qsizetype at = 0; (at = text.indexOf("beginbfchar", at)) >= 0;) {
            const qsizetype end = text.indexOf("endbfchar", at);
            auto it = pair.globalMatch(text.mid(at, end - at));
            while (it.hasNext()) {
                const auto m = it.next();
                QString chars;
                const QString hex = m.captured(2);
                for (int i = 0; i + 4 <= hex.size(); i += 4)
                    chars += QChar(char16_t(hex.mid(i, 4).toUInt(nullptr, 16)));
                glyphs.insert(m.captured(1).toUInt(nullptr, 16), chars);
            }
            at = end;
        }
    }
    QString out;
    const QRegularExpression shown(QStringLiteral("<([0-9A-Fa-f]+)>\\s*Tj"));
    for (const QByteArray &stream : streams) {
        if (stream.contains("begincmap"))
            continue;
        auto it = shown.globalMatch(QString::fromLatin1(stream));
        while (it.hasNext()) {
            const QString hex = it.next().captured(1);
            for (int i = 0; i + 4 <= hex.size(); i += 4)
                out += glyphs.value(hex.mid(i, 4).toUInt(nullptr, 16), QStringLiteral("?"));
        }
        out += ' ';
    }
    // Qt maps the blank glyph to a tab.
    return out.replace('\t', ' ');
}

} // namespace nimbus::test
