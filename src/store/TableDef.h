#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace agendix::store {

enum class FieldType {
    Text,   // text(n): n characters, kept without trailing blanks
    CText,  // ctext(n): at most n - 1 characters
    Byte,   // unsigned 8 bits
    Short,  // signed 16 bits
    Long,   // signed 32 bits
    Memo,   // up to n bytes of text beside the record
};

struct FieldDef {
    std::string name;  // without the table's prefix: "Description" for SCH:Description
    FieldType type = FieldType::Text;
    int width = 0;  // characters of a text, bytes of a memo, 0 for numbers

    bool isText() const { return type == FieldType::Text || type == FieldType::CText || type == FieldType::Memo; }
    // Bytes the field takes in the record's fixed layout (a memo takes none).
    int recordBytes() const;
};

struct KeyDef {
    std::string name;                     // "KeyDateEnabled"
    std::vector<std::string> components;  // field names, ascending
    bool unique = false;
    bool caseInsensitive = false;
    bool primary = false;
};

// One table as declared: its label, prefix, where it lives and its layout.
struct TableDef {
    std::string label;         // "Schedule": also the SQL table's name
    std::string prefix;        // "SCH"
    std::string declaredName;  // "ag97\!s"
    int version = 1;           // layout version registered at start-up
    int recordBytes = 0;       // bytes of the declared fixed layout
    std::vector<FieldDef> fields;  // declaration order, memos last
    std::vector<KeyDef> keys;

    const KeyDef& key(std::string_view name) const;
    int fieldIndex(std::string_view name) const;  // -1 when absent
    // "SCH:KeyDateEnabled": the key's name as the user knows it.
    std::string qualified(std::string_view name) const { return prefix + ":" + std::string(name); }
};

// A field's value as the store handles it.
using FieldValue = std::variant<std::int64_t, std::string>;
using Row = std::vector<FieldValue>;

// How a record struct maps onto its table's fields: one member pointer per field, in order.
template <class R>
struct FieldBinding {
    FieldDef def;
    std::variant<std::string R::*, std::uint8_t R::*, std::int16_t R::*, std::int32_t R::*> member;
};

template <class R>
FieldBinding<R> textField(std::string name, int width, std::string R::*member) {
    return {FieldDef{std::move(name), FieldType::Text, width}, member};
}
template <class R>
FieldBinding<R> ctextField(std::string name, int width, std::string R::*member) {
    return {FieldDef{std::move(name), FieldType::CText, width}, member};
}
template <class R>
FieldBinding<R> memoField(std::string name, int size, std::string R::*member) {
    return {FieldDef{std::move(name), FieldType::Memo, size}, member};
}
template <class R>
FieldBinding<R> byteField(std::string name, std::uint8_t R::*member) {
    return {FieldDef{std::move(name), FieldType::Byte, 0}, member};
}
template <class R>
FieldBinding<R> shortField(std::string name, std::int16_t R::*member) {
    return {FieldDef{std::move(name), FieldType::Short, 0}, member};
}
template <class R>
FieldBinding<R> longField(std::string name, std::int32_t R::*member) {
    return {FieldDef{std::move(name), FieldType::Long, 0}, member};
}

template <class R>
std::vector<FieldDef> fieldDefs(const std::vector<FieldBinding<R>>& bindings) {
    std::vector<FieldDef> defs;
    defs.reserve(bindings.size());
    for (const auto& binding : bindings) {
        defs.push_back(binding.def);
    }
    return defs;
}

// A text cut to the field: trailing blanks removed, at most `width` characters (a ctext keeps
// one fewer), never splitting a UTF-8 sequence. Memos are cut to `width` bytes.
std::string fitText(const FieldDef& field, std::string_view text);

template <class R>
Row toRow(const std::vector<FieldBinding<R>>& bindings, const R& record) {
    Row row;
    row.reserve(bindings.size());
    for (const auto& binding : bindings) {
        std::visit(
            [&](auto member) {
                using Member = std::remove_cvref_t<decltype(record.*member)>;
                if constexpr (std::is_same_v<Member, std::string>) {
                    row.emplace_back(fitText(binding.def, record.*member));
                } else {
                    row.emplace_back(static_cast<std::int64_t>(record.*member));
                }
            },
            binding.member);
    }
    return row;
}

template <class R>
void fromRow(const std::vector<FieldBinding<R>>& bindings, const Row& row, R& record) {
    for (std::size_t i = 0; i < bindings.size() && i < row.size(); ++i) {
        std::visit(
            [&](auto member) {
                using Member = std::remove_cvref_t<decltype(record.*member)>;
                if constexpr (std::is_same_v<Member, std::string>) {
                    const auto* text = std::get_if<std::string>(&row[i]);
                    record.*member = text != nullptr ? *text : std::string();
                } else {
                    const auto* number = std::get_if<std::int64_t>(&row[i]);
                    record.*member = static_cast<Member>(number != nullptr ? *number : 0);
                }
            },
            bindings[i].member);
    }
}

}  // namespace agendix::store
