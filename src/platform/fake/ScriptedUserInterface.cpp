#include "platform/fake/ScriptedUserInterface.h"

namespace agendix::platform {

MessageButton ScriptedUserInterface::message(const MessageRequest& request) {
    shown_.push_back(request);
    if (answers_.empty()) {
        return request.defaultButton;
    }
    const MessageButton button = answers_.front();
    answers_.pop_front();
    return button;
}

std::optional<std::string> ScriptedUserInterface::chooseFile(const FileDialogRequest& request) {
    fileDialogs_.push_back(request);
    if (files_.empty()) {
        return std::nullopt;
    }
    auto file = std::move(files_.front());
    files_.pop_front();
    return file;
}

void ScriptedUserInterface::halt(const std::string& message) {
    shown_.push_back(MessageRequest{message, "Halt", MessageIcon::Error, Ok, Ok});
    haltMessage_ = message.empty() ? std::string(" ") : message;
}

}  // namespace agendix::platform
