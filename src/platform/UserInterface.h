#pragma once

#include <optional>
#include <string>
#include <vector>

namespace agendix::platform {

enum class MessageIcon { None, Information, Exclamation, Question, Error };

// Buttons of a message box; a set of them is a bit mask.
enum MessageButton : unsigned {
    NoButton = 0,
    Ok = 1u << 0,
    Yes = 1u << 1,
    No = 1u << 2,
    Cancel = 1u << 3,
    Retry = 1u << 4,
    Ignore = 1u << 5,
    Abort = 1u << 6,
};

struct MessageRequest {
    std::string text;
    std::string caption;
    MessageIcon icon = MessageIcon::None;
    unsigned buttons = Ok;
    MessageButton defaultButton = Ok;
};

struct FileDialogRequest {
    enum class Mode { Open, Save };
    Mode mode = Mode::Open;
    std::string caption;
    std::string startDirectory;
    // Filters as pairs of a description and a pattern list, for example {"Programs", "*.exe *.sh"}.
    std::vector<std::pair<std::string, std::string>> filters;
};

// What the user is told and asked. The core reaches the user only through this interface, so that
// tests can answer from a script and see every text that was shown.
class UserInterface {
public:
    virtual ~UserInterface() = default;

    // A modal message box; returns the button pressed (the default button when the box is closed).
    virtual MessageButton message(const MessageRequest& request) = 0;

    // A file dialog; no value when the user cancels.
    virtual std::optional<std::string> chooseFile(const FileDialogRequest& request) = 0;

    // Shows the message, then asks the program to end in order. Returns once the end is requested:
    // the caller unwinds and releases what it holds.
    virtual void halt(const std::string& message) = 0;

    // True once halt() was called.
    virtual bool halted() const = 0;
};

}  // namespace agendix::platform
