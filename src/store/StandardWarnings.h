#pragma once

#include <optional>
#include <string>

#include "platform/UserInterface.h"
#include "store/StoreError.h"

namespace agendix::store {

// The numbered message boxes for table failures, and the record of the last failure they report.
class StandardWarnings {
public:
    explicit StandardWarnings(platform::UserInterface& ui) : ui_(ui) {}

    // Keeps a failure for the next warning, which uses and clears it.
    void recordError(const StoreError& error) { recorded_ = error; }
    // The failure of the last table operation: used when nothing was recorded.
    void setCurrentError(const StoreError& error) { current_ = error; }
    const std::optional<StoreError>& recordedError() const { return recorded_; }

    // Shows warning `number` with its two texts. Returns the button pressed (0 for an unknown
    // number). A halting warning asks the program to end before it returns.
    int show(int number, const std::string& text1 = {}, const std::string& text2 = {});

    // The texts a warning shows, without showing it.
    struct Box {
        std::string text;
        std::string caption;
        unsigned buttons = platform::Ok;
        platform::MessageButton defaultButton = platform::Ok;
        platform::MessageIcon icon = platform::MessageIcon::Exclamation;
        std::string haltMessage;  // the program ends after the box when not empty
        bool haltOnNo = false;    // only a No ends it
    };
    std::optional<Box> compose(int number, const std::string& text1, const std::string& text2) const;

    platform::UserInterface& ui() { return ui_; }

private:
    // "text (code)" of the recorded error, the file-system error preferred.
    std::string errorPart() const;

    platform::UserInterface& ui_;
    std::optional<StoreError> recorded_;
    StoreError current_;
};

}  // namespace agendix::store
