#pragma once

#include <QString>

namespace kelvara::notify {

// Plays the alarm and cook-done sounds; a machine without an audio device simply stays quiet.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Plays a WAV file of the site folder, over and over when loop is set, replacing what was playing.
    virtual void play(const QString& file, bool loop) = 0;
    virtual void stop() = 0;
    // Releases the audio device as the program ends.
    virtual void close() = 0;
};

} // namespace kelvara::notify
