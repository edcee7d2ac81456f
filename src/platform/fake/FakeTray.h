#pragma once

#include <string>

#include "platform/Tray.h"

namespace agendix::platform {

class FakeTray final : public Tray {
public:
    bool present = true;
    bool shown = false;
    std::string iconName, tip;
    int modifications = 0;

    bool available() const override { return present; }
    void show(const std::string& icon, const std::string& text) override {
        shown = true;
        iconName = icon;
        tip = text;
    }
    void modify(const std::string& icon, const std::string& text) override {
        iconName = icon;
        tip = text;
        ++modifications;
    }
    void remove() override { shown = false; }
};

}  // namespace agendix::platform
