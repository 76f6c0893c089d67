// Address marks over the core's address finder.
#include "shell/pages/LinkMarker.h"

#include <QTextCharFormat>
#include <vector>

#include "shell/core/WebAddresses.h"

namespace nimbus::pages {

namespace {

// Most paragraphs hold no address; they are passed over without converting their text.
bool mayHoldAddress(const QString &text)
{
    return text.contains(QLatin1String(":")) ||
           text.contains(QLatin1String("www."), Qt::CaseInsensitive);
}

// The addresses of a text, with positions counted in the text's UTF-16 units.
std::vector<AddressSpan> spans(const QString &text)
{
    std::vector<AddressSpan> result;
    if (!mayHoldAddress(text))
        return result;
    const QByteArray bytes = text.toUtf8();
    for (const WebAddress &address : FindWebAddresses(
             std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))) {
        const int start = static_cast<int>(
            QString::fromUtf8(bytes.constData(), static_cast<qsizetype>(address.start)).size());
        const int length =
            static_cast<int>(QString::fromUtf8(bytes.constData() + address.start,
                                               static_cast<qsizetype>(address.length))
                                 .size());
        result.push_back({start, length, QString::fromUtf8(address.target.c_str())});
    }
    return result;
}

} // namespace

LinkMarker::LinkMarker(QObject *parent) : QSyntaxHighlighter(parent) {}

AddressSpan LinkMarker::addressAt(const QString &text, int position)
{
    for (const AddressSpan &span : spans(text))
        if (position >= span.start && position < span.start + span.length)
            return span;
    return {};
}

void LinkMarker::highlightBlock(const QString &text)
{
    const std::vector<AddressSpan> found = spans(text);
    if (found.empty())
        return;
    QTextCharFormat mark;
    mark.setForeground(QColor(0, 0, 255));
    mark.setFontUnderline(true);
    for (const AddressSpan &span : found)
        setFormat(span.start, span.length, mark);
}

} // namespace nimbus::pages
