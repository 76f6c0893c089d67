// The window state asked for the started program's main window.
#pragma once

namespace spawner {

enum class ScreenMode { Normal, Minimised, Maximised, Hidden };

// The screen-mode letter of the run settings; anything unknown is a normal window.
inline ScreenMode screenModeFromLetter(char letter)
{
    switch (letter) {
    case 'M':
        return ScreenMode::Minimised;
    case 'F':
        return ScreenMode::Maximised;
    case 'H':
        return ScreenMode::Hidden;
    default:
        return ScreenMode::Normal;
    }
}

} // namespace spawner
