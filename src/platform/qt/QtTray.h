#pragma once

#include <QIcon>
#include <QObject>
#include <functional>
#include <memory>
#include <string>

#include "platform/Tray.h"

class QSystemTrayIcon;

namespace agendix::platform {

// The tray icon on the desktop's notification area (QSystemTrayIcon). The icons come by name
// from the program; clicks are handed to the program's callbacks.
class QtTray final : public Tray {
  public:
    using IconSource = std::function<QIcon(const std::string& name)>;

    explicit QtTray(IconSource icons);
    ~QtTray() override;
    QtTray(const QtTray&) = delete;
    QtTray& operator=(const QtTray&) = delete;

    bool available() const override;
    void show(const std::string& iconName, const std::string& tip) override;
    void modify(const std::string& iconName, const std::string& tip) override;
    void remove() override;

    // True while the icon is shown.
    bool visible() const;
    // The icon's place on the screen (empty when the desktop does not say).
    QRect geometry() const;

    // A left click or a double click on the icon.
    std::function<void()> onClick;
    // The right button: the program opens its menu.
    std::function<void()> onMenu;

  private:
    IconSource icons_;
    std::unique_ptr<QSystemTrayIcon> icon_;
};

}  // namespace agendix::platform
