// Printing the viewer's displayed lines in a fixed-pitch font, a new page whenever one is full.
#pragma once

#include <QStringList>

class QPagedPaintDevice;

namespace nimbus::viewer {

// Prints lines on device in "Courier" at pointSize. Returns the number of pages printed,
// 0 when painting could not start.
int printLines(QPagedPaintDevice &device, const QStringList &lines, int pointSize);

} // namespace nimbus::viewer
