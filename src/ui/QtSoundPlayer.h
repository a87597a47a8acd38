#pragma once

#include "notify/SoundPlayer.h"

#include <memory>

class QSoundEffect;

namespace kelvara::ui {

// The sound player over Qt Multimedia. The effect is created on the first play, so a window that never
// sounds an alarm never touches the audio system.
class QtSoundPlayer final : public notify::SoundPlayer {
public:
    QtSoundPlayer();
    ~QtSoundPlayer() override;

    void play(const QString& file, bool loop) override;
    void stop() override;
    void close() override;

private:
    std::unique_ptr<QSoundEffect> m_effect;
};

} // namespace kelvara::ui
