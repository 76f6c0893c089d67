// Line printing for the viewer window.
#include "viewer/ViewerPrinting.h"

#include <QFont>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>

namespace nimbus::viewer {

int printLines(QPagedPaintDevice &device, const QStringList &lines, int pointSize)
{
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    QFont font(QStringLiteral("Courier"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSize(pointSize > 0 ? pointSize : 8);
    painter.setFont(font);
    const QFontMetrics metrics(font, &device);
    const int lineHeight = std::max(1, metrics.lineSpacing());
    const QRect page = painter.viewport();
    const int linesPerPage = std::max(1, page.height() / lineHeight);

    int pages = 1;
    int onPage = 0;
    for (const QString &line : lines) {
        if (onPage == linesPerPage) {
            device.newPage();
            ++pages;
            onPage = 0;
        }
        painter.drawText(0, onPage * lineHeight + metrics.ascent(), line);
        ++onPage;
    }
    painter.end();
    return pages;
}

} // namespace nimbus::viewer
