// The 8-bit code pages of RTF text: \ansicpgN, font character sets (\fcharsetN) and the
// Windows-1252 table that is both the default and the one we write.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

#include <map>
#include <memory>

namespace nimbus::rtf {

class RtfCodePage {
public:
    static constexpr int Windows1252 = 1252;

    // The code page of a font character set, or 0 when the set says nothing (ANSI, default).
    static int fromCharset(int charset);
    // The Windows-1252 byte of a character, or -1 when it has none.
    static int windows1252Byte(char16_t c);
    // Windows-1252 is always available; other code pages when Qt's converters know them.
    static bool isSupported(int codePage);

    // Decodes bytes of the code page; unsupported code pages decode as Windows-1252.
    QString decode(QByteArrayView bytes, int codePage);

private:
    std::map<int, std::unique_ptr<QStringDecoder>> decoders_;
};

} // namespace nimbus::rtf
