// Colours as the settings files store them (red + green * 256 + blue * 65536; -1 none) and
// as Qt shows them.
#pragma once

#include <QColor>

namespace nimbus::dialogs {

inline QColor colourFromValue(int value)
{
    if (value < 0)
        return {};
    return QColor(value & 0xff, (value >> 8) & 0xff, (value >> 16) & 0xff);
}

inline int valueFromColour(const QColor &colour)
{
    if (!colour.isValid())
        return -1;
    return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

} // namespace nimbus::dialogs
