// How readable one colour is on another: relative luminance and contrast ratio as the web's
// accessibility guidelines define them, and whether a background is dark.
#pragma once

namespace nimbus::look {

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const Rgb &, const Rgb &) = default;
};

// 0 for black to 1 for white, weighted for the eye, on linear (not gamma-encoded) light.
double relativeLuminance(Rgb colour);

// (lighter + 0.05) / (darker + 0.05): 1 for equal colours, 21 for black on white. Body text
// needs at least 4.5.
double contrastRatio(Rgb first, Rgb second);

// A background is dark when white text on it reads better than black text: its luminance is
// below the point where both contrasts are equal (about 0.18).
bool isDark(Rgb background);

} // namespace nimbus::look
