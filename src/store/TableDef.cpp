#include "store/TableDef.h"

#include <cstdlib>
#include <iostream>

namespace agendix::store {
namespace {

bool isContinuationByte(unsigned char c) { return (c & 0xC0) == 0x80; }

// Cuts `text` to at most `limit` characters (or bytes), never inside a UTF-8 sequence.
std::string_view cutUtf8(std::string_view text, std::size_t limit, bool countCharacters) {
    if (!countCharacters) {
        if (text.size() <= limit) {
            return text;
        }
        std::size_t end = limit;
        while (end > 0 && isContinuationByte(static_cast<unsigned char>(text[end]))) {
            --end;
        }
        return text.substr(0, end);
    }
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!isContinuationByte(static_cast<unsigned char>(text[i]))) {
            if (characters == limit) {
                return text.substr(0, i);
            }
            ++characters;
        }
    }
    return text;
}

}  // namespace

int FieldDef::recordBytes() const {
    switch (type) {
        case FieldType::Text:
        case FieldType::CText:
            return width;
        case FieldType::Byte:
            return 1;
        case FieldType::Short:
            return 2;
        case FieldType::Long:
            return 4;
        case FieldType::Memo:
            return 0;
    }
    return 0;
}

const KeyDef& TableDef::key(std::string_view name) const {
    for (const auto& k : keys) {
        if (k.name == name) {
            return k;
        }
    }
    // A key name is part of the program, never user input: an unknown one is a programming error.
    std::cerr << "agendix: table " << label << " has no key " << name << '\n';
    std::abort();
}

int TableDef::fieldIndex(std::string_view name) const {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].name == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::string fitText(const FieldDef& field, std::string_view text) {
    std::string_view cut = text;
    switch (field.type) {
        case FieldType::Text:
            cut = cutUtf8(text, static_cast<std::size_t>(field.width), true);
            break;
        case FieldType::CText:
            cut = cutUtf8(text, static_cast<std::size_t>(field.width > 0 ? field.width - 1 : 0), true);
            break;
        case FieldType::Memo:
            cut = cutUtf8(text, static_cast<std::size_t>(field.width), false);
            break;
        default:
            break;
    }
    // A ctext stops at its first zero byte, as its stored form does.
    if (field.type == FieldType::CText) {
        cut = cut.substr(0, cut.find('\0'));
    }
    if (field.type != FieldType::Memo) {
        const auto last = cut.find_last_not_of(' ');
        cut = last == std::string_view::npos ? std::string_view() : cut.substr(0, last + 1);
    }
    return std::string(cut);
}

}  // namespace agendix::store
