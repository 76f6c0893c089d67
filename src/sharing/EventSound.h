// The event sounds of sharing and the files that hold them in SoundsFolder. The core only
// decides which one to play; the window layer plays it when sound effects are on.
#pragma once

#include <string>

namespace nimbus {

enum class EventSound : int {
    None = -1,
    Received = 0,   // topics were received
    SendOk = 1,     // sending succeeded
    SendFailed = 2, // sending failed
};

// "claves.wav", "cork_pop.wav", "metal_clang.wav"; empty for None.
inline std::string EventSoundFile(EventSound sound)
{
    switch (sound) {
    case EventSound::Received:
        return "claves.wav";
    case EventSound::SendOk:
        return "cork_pop.wav";
    case EventSound::SendFailed:
        return "metal_clang.wav";
    default:
        return {};
    }
}

} // namespace nimbus
