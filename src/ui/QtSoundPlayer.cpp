#include "ui/QtSoundPlayer.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace kelvara::ui {

QtSoundPlayer::QtSoundPlayer() = default;
QtSoundPlayer::~QtSoundPlayer() = default;

void QtSoundPlayer::play(const QString& file, bool loop) {
    if (!QFileInfo::exists(file))
        return;
    if (!m_effect)
        m_effect = std::make_unique<QSoundEffect>();
    m_effect->stop();
    m_effect->setSource(QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()));
    m_effect->setLoopCount(loop ? QSoundEffect::Infinite : 1);
    // Without an audio device the effect reports an error status and plays nothing; monitoring goes on.
    m_effect->play();
}

void QtSoundPlayer::stop() {
    if (m_effect)
        m_effect->stop();
}

void QtSoundPlayer::close() {
    m_effect.reset();
}

} // namespace kelvara::ui
