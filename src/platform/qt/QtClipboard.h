#pragma once

#include "platform/Clipboard.h"

namespace agendix::platform {

// The desktop's clipboard (the CLIPBOARD selection on X11) through QClipboard.
class QtClipboard final : public Clipboard {
  public:
    // The MIME type by which password managers mark a copied password, and its value.
    static constexpr const char* kSecretHintType = "x-kde-passwordManagerHint";
    static constexpr const char* kSecretHintValue = "secret";

    std::string text() override;
    bool textIsSecret() override;
    void setText(const std::string& text) override;
};

}  // namespace agendix::platform
