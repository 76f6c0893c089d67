// Code page decoding for RTF text; see RtfCodePage.h.
#include "shell/rtf/RtfCodePage.h"

#include <array>

namespace nimbus::rtf {

namespace {

// Windows-1252 bytes 0x80 to 0x9F; the rest of the code page equals Latin-1. The five holes
// map to the C1 control of the same value, as Windows itself does.
constexpr std::array<char16_t, 32> HighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QByteArray converterName(int codePage)
{
    switch (codePage) {
    case 65001:
        return "UTF-8";
    case 932:
        return "Shift_JIS";
    case 936:
        return "GBK";
    case 949:
        return "windows-949";
    case 950:
        return "Big5";
    case 10000:
        return "macintosh";
    case 437:
    case 850:
    case 852:
    case 866:
        return "IBM" + QByteArray::number(codePage);
    default:
        if (codePage >= 874 && codePage <= 1258)
            return "windows-" + QByteArray::number(codePage);
        return {};
    }
}

} // namespace

int RtfCodePage::fromCharset(int charset)
{
    switch (charset) {
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
        return 949;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 255:
        return 850;
    default:
        return 0;
    }
}

int RtfCodePage::windows1252Byte(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (std::size_t i = 0; i < HighControls.size(); ++i)
        if (HighControls[i] == c)
            return static_cast<int>(0x80 + i);
    return -1;
}

bool RtfCodePage::isSupported(int codePage)
{
    if (codePage == Windows1252)
        return true;
    const QByteArray name = converterName(codePage);
    return !name.isEmpty() && QStringDecoder(name.constData()).isValid();
}

QString RtfCodePage::decode(QByteArrayView bytes, int codePage)
{
    if (codePage != Windows1252) {
        auto found = decoders_.find(codePage);
        if (found == decoders_.end()) {
            // Only named code pages get an entry, so the cache stays small whatever the input.
            const QByteArray name = converterName(codePage);
            if (!name.isEmpty()) {
                auto decoder = std::make_unique<QStringDecoder>(name.constData());
                if (!decoder->isValid())
                    decoder.reset();
                found = decoders_.emplace(codePage, std::move(decoder)).first;
            }
        }
        if (found != decoders_.end() && found->second) {
            found->second->resetState();
            return found->second->decode(bytes);
        }
    }
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        text[i] = QChar(b >= 0x80 && b < 0xA0 ? HighControls[b - 0x80] : char16_t(b));
    }
    return text;
}

} // namespace nimbus::rtf
