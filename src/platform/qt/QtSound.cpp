#include "platform/qt/QtSound.h"

#include <QApplication>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace agendix::platform {

QtSound::QtSound() = default;
QtSound::~QtSound() = default;

void QtSound::beep() { QApplication::beep(); }

bool QtSound::play(const std::string& file) {
    // Effects that finished playing are let go; the others keep playing on their own.
    std::erase_if(playing_, [](const std::unique_ptr<QSoundEffect>& effect) {
        return !effect->isPlaying() && effect->status() != QSoundEffect::Loading;
    });
    const QFileInfo info(QString::fromStdString(file));
    if (!info.isFile() || !info.isReadable()) {
        return false;
    }
    auto effect = std::make_unique<QSoundEffect>();
    effect->setSource(QUrl::fromLocalFile(info.absoluteFilePath()));
    effect->play();
    playing_.push_back(std::move(effect));
    return true;
}

}  // namespace agendix::platform
