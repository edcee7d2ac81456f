#pragma once

#include "platform/UserInterface.h"

class QWidget;

namespace agendix::platform {

// Real dialogs: message boxes and file dialogs on the GUI thread, parented to the frame when set.
class QtUserInterface final : public UserInterface {
public:
    void setParentWindow(QWidget* parent) { parent_ = parent; }

    MessageButton message(const MessageRequest& request) override;
    std::optional<std::string> chooseFile(const FileDialogRequest& request) override;
    void halt(const std::string& message) override;
    bool halted() const override { return halted_; }

private:
    QWidget* parent_ = nullptr;
    bool halted_ = false;
};

}  // namespace agendix::platform
