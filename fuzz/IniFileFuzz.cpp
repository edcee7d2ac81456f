// The INI reader and writer on any bytes: the text comes back byte for byte, every listed entry
// reads, and a written entry reads back while every other entry keeps its value.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "store/IniFile.h"

using agendix::store::IniDocument;

namespace {

bool sameName(std::string_view a, std::string_view b) {
    auto lower = [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    };
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const IniDocument document = IniDocument::parse(text);
    if (document.text() != text) {
        std::abort();
    }

    std::map<std::pair<std::string, std::string>, std::string> entries;
    const auto sections = document.sections();
    for (const auto& section : sections) {
        for (const auto& key : document.keys(section)) {
            const auto value = document.value(section, key);
            if (!value) {
                std::abort();
            }
            entries[{section, key}] = *value;
        }
    }

    const std::string section =
        sections.empty() ? std::string("Settings") : sections[size % sections.size()];
    const std::string value =
        size > 0 ? std::string(text.substr(0, std::min<std::size_t>(size, 12))) : "v";
    IniDocument changed = document;
    if (!changed.set(section, "FuzzKey", value)) {
        if (changed.text() != text) {
            std::abort();  // a refused write changes nothing
        }
        return 0;
    }
    const IniDocument again = IniDocument::parse(changed.text());
    const auto written = again.value(section, "fuzzkey");
    std::string_view expected = value;
    while (!expected.empty() && (expected.front() == ' ' || expected.front() == '\t')) {
        expected.remove_prefix(1);
    }
    while (!expected.empty() && (expected.back() == ' ' || expected.back() == '\t')) {
        expected.remove_suffix(1);
    }
    if (!written || *written != expected) {
        std::abort();
    }
    for (const auto& [place, old] : entries) {
        if (sameName(place.first, section) && sameName(place.second, "FuzzKey")) {
            continue;
        }
        if (again.value(place.first, place.second) != old) {
            std::abort();
        }
    }
    return 0;
}
