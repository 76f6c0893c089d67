// Plays an event sound file. The program plays through Qt Multimedia; tests record which file
// would have been played and never depend on hearing anything.
#pragma once

#include <memory>
#include <string>

namespace nimbus {

class EventSoundPlayer {
public:
    virtual ~EventSoundPlayer() = default;
    // Plays the file and waits until it has ended and one second more, while window events
    // go on being processed. A sound that cannot be played is skipped without a word.
    virtual void playEventSound(const std::string &file) = 0;
};

// The player of the program: QSoundEffect on the default audio output.
std::unique_ptr<EventSoundPlayer> makeQtEventSoundPlayer();

} // namespace nimbus
