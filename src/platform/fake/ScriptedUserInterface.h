#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/UserInterface.h"

namespace agendix::platform {

// Answers the program's questions from a script and records every message it was shown.
// A message without a scripted answer gets its default button.
class ScriptedUserInterface final : public UserInterface {
public:
    void answer(MessageButton button) { answers_.push_back(button); }
    void answerFile(std::optional<std::string> file) { files_.push_back(std::move(file)); }

    MessageButton message(const MessageRequest& request) override;
    std::optional<std::string> chooseFile(const FileDialogRequest& request) override;
    void halt(const std::string& message) override;
    bool halted() const override { return !haltMessage_.empty(); }

    const std::vector<MessageRequest>& shown() const { return shown_; }
    const std::vector<FileDialogRequest>& fileDialogs() const { return fileDialogs_; }
    const std::string& haltMessage() const { return haltMessage_; }
    std::size_t unusedAnswers() const { return answers_.size(); }

private:
    std::deque<MessageButton> answers_;
    std::deque<std::optional<std::string>> files_;
    std::vector<MessageRequest> shown_;
    std::vector<FileDialogRequest> fileDialogs_;
    std::string haltMessage_;
};

}  // namespace agendix::platform
