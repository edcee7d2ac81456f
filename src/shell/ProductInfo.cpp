#include "shell/ProductInfo.h"

namespace agendix::shell {

namespace {

std::string_view fieldText(std::string_view text, std::size_t width) {
    text = text.substr(0, width);
    const auto end = text.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string_view{} : text.substr(0, end + 1);
}

}  // namespace

std::string_view versionText() {
    return AGENDIX_VERSION_TEXT;
}

std::string frameTitle(std::string_view productName, std::string_view version) {
    std::string title(fieldText(productName, kProductNameWidth));
    title += ' ';
    title += fieldText(version, kVersionTextWidth);
    return title;
}

}  // namespace agendix::shell
