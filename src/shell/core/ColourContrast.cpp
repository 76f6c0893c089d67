// Relative luminance and contrast ratio (sRGB, as the accessibility guidelines define them).
#include "shell/core/ColourContrast.h"

#include <algorithm>
#include <cmath>

namespace nimbus::look {

namespace {

double linear(int component)
{
    const double c = std::clamp(component, 0, 255) / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

} // namespace

double relativeLuminance(Rgb colour)
{
    return 0.2126 * linear(colour.red) + 0.7152 * linear(colour.green) +
           0.0722 * linear(colour.blue);
}

double contrastRatio(Rgb first, Rgb second)
{
    const double a = relativeLuminance(first);
    const double b = relativeLuminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

bool isDark(Rgb background)
{
    return contrastRatio(background, {255, 255, 255}) > contrastRatio(background, {0, 0, 0});
}

} // namespace nimbus::look
