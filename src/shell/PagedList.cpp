#include "shell/PagedList.h"

#include <cctype>

namespace agendix::shell {

namespace {

constexpr std::size_t kScaleDigits = 4;

std::string folded(const std::string& text) {
    std::string out = text;
    for (char& c : out) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return out;
}

}  // namespace

TextScale::TextScale(const std::string& first, const std::string& last) {
    const std::string a = folded(first);
    const std::string b = folded(last);
    std::size_t common = 0;
    while (common < a.size() && common < b.size() && a[common] == b[common]) {
        ++common;
    }
    prefix_ = a.substr(0, common);
    // The end of a text counts below every character.
    alphabet_.push_back('\0');
    for (const std::string* text : {&a, &b}) {
        for (std::size_t i = common; i < text->size() && i < common + kScaleDigits; ++i) {
            alphabet_.push_back((*text)[i]);
        }
    }
    std::sort(alphabet_.begin(), alphabet_.end(), [](char x, char y) {
        return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    });
    alphabet_.erase(std::unique(alphabet_.begin(), alphabet_.end()), alphabet_.end());
    firstNumber_ = number(a);
    lastNumber_ = number(b);
}

// The characters after the common beginning as a fraction in the base of the alphabet; a
// character between two of the alphabet counts as the lower one.
double TextScale::number(const std::string& text) const {
    const double base = static_cast<double>(alphabet_.size());
    double value = 0;
    double weight = 1;
    for (std::size_t i = 0; i < kScaleDigits; ++i) {
        const std::size_t at = prefix_.size() + i;
        const unsigned char c = at < text.size() ? static_cast<unsigned char>(text[at]) : 0;
        std::size_t digit = 0;
        for (std::size_t d = 0; d < alphabet_.size(); ++d) {
            if (static_cast<unsigned char>(alphabet_[d]) <= c) {
                digit = d;
            }
        }
        weight /= base;
        value += static_cast<double>(digit) * weight;
    }
    return value;
}

std::string TextScale::at(double fraction) const {
    double value = firstNumber_ + (lastNumber_ - firstNumber_) * std::clamp(fraction, 0.0, 1.0);
    const double base = static_cast<double>(alphabet_.size());
    std::string text = prefix_;
    for (std::size_t i = 0; i < kScaleDigits; ++i) {
        value *= base;
        const auto digit =
            static_cast<std::size_t>(std::clamp(std::floor(value + 1e-9), 0.0, base - 1));
        value -= static_cast<double>(digit);
        if (alphabet_[digit] == '\0') {
            break;
        }
        text.push_back(alphabet_[digit]);
    }
    return text;
}

double TextScale::where(const std::string& text) const {
    if (lastNumber_ <= firstNumber_) {
        return 0;
    }
    const std::string t = folded(text);
    if (t.compare(0, prefix_.size(), prefix_) != 0) {
        return t < prefix_ ? 0.0 : 1.0;
    }
    return std::clamp((number(t) - firstNumber_) / (lastNumber_ - firstNumber_), 0.0, 1.0);
}

}  // namespace agendix::shell
