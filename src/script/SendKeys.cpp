#include "script/SendKeys.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <chrono>
#include <thread>
#include <utility>

#include "script/KeyNameTable.h"
#include "script/KeystrokeSplitter.h"

namespace agendix::script {

namespace {

constexpr std::int32_t kHundredthsPerDay = 8640000;

}  // namespace

SendKeys::SendKeys(platform::Keyboard& keyboard, const platform::Clock& clock,
                   const store::SettingValues& settings, Waiter waiter, SendKeysTray tray)
    : keyboard_(keyboard),
      clock_(clock),
      settings_(settings),
      waiter_(std::move(waiter)),
      tray_(std::move(tray)) {}

bool SendKeys::trayShown() const {
    return tray_.shown && tray_.look && tray_.modify && tray_.shown();
}

void SendKeys::sendKeys(const std::string& keystrokes) {
    const std::vector<KeystrokePiece> pieces = splitKeystrokes(keystrokes, settings_.burstSize);
    const TrayLook before = tray_.look ? tray_.look() : TrayLook{};
    int frame = 0;
    for (const KeystrokePiece& piece : pieces) {
        const std::int32_t start = clock_.now();
        if (trayShown()) {
            frame = frame % 4 + 1;
            tray_.modify({kTrayFrames[frame - 1], kTrayTip});
        }
        waitInterval(start);
        switch (piece.kind) {
            case KeystrokePiece::Kind::Text:
                keyboard_.typeText(piece.text);
                break;
            case KeystrokePiece::Kind::Name:
                pressNamedKey(keyboard_, piece.text);
                break;
            case KeystrokePiece::Kind::LoneBracket:
                break;
        }
    }
    if (trayShown()) {
        tray_.modify(before);
    }
}

void SendKeys::waitInterval(std::int32_t start) {
    const std::int32_t interval = settings_.scriptingDelay;
    std::int32_t previous = 0;
    for (;;) {
        // Time since the start, carried across midnight. A clock set back reads as almost a
        // whole day, which ends the wait as well.
        std::int32_t elapsed = clock_.now() - start;
        if (elapsed < 0) {
            elapsed += kHundredthsPerDay;
        }
        if (elapsed >= interval || elapsed < previous) {
            return;
        }
        previous = elapsed;
        waiter_(interval - elapsed);
    }
}

void waitInEventLoop(std::int32_t hundredths) {
    const std::chrono::milliseconds wait(std::int64_t{hundredths} * 10);
    if (QCoreApplication::instance() == nullptr) {
        std::this_thread::sleep_for(wait);
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(wait, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace agendix::script
