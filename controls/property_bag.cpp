// The controls' property store; see property_bag.h.
#include "controls/property_bag.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace lumora {

namespace {

char foldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// A whole decimal number, optionally signed and surrounded by blanks, within
// the 32-bit range; anything else is not a number.
std::optional<int32_t> parseWholeNumber(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    int64_t v = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, v);
    if (ec != std::errc() || ptr != end || text.empty()) return std::nullopt;
    if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max()) return std::nullopt;
    return static_cast<int32_t>(v);
}

}  // namespace

bool samePropertyName(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return foldCase(x) == foldCase(y); });
}

const PropertyValue* PropertyBag::find(std::string_view name) const {
    for (const Entry& e : entries_)
        if (samePropertyName(e.name, name)) return &e.value;
    return nullptr;
}

void PropertyBag::store(std::string_view name, PropertyValue value) {
    for (Entry& e : entries_) {
        if (samePropertyName(e.name, name)) {
            e.value = std::move(value);
            return;
        }
    }
    entries_.push_back({std::string(name), std::move(value)});
}

void PropertyBag::erase(std::string_view name) {
    std::erase_if(entries_, [&](const Entry& e) { return samePropertyName(e.name, name); });
}

int32_t PropertyBag::readInt(std::string_view name, int32_t defaultValue) const {
    const PropertyValue* v = find(name);
    if (!v) return defaultValue;
    if (auto i = std::get_if<int32_t>(v)) return *i;
    if (auto b = std::get_if<bool>(v)) return *b ? -1 : 0;
    if (auto s = std::get_if<std::string>(v)) return parseWholeNumber(*s).value_or(defaultValue);
    return defaultValue;
}

bool PropertyBag::readBool(std::string_view name, bool defaultValue) const {
    const PropertyValue* v = find(name);
    if (!v) return defaultValue;
    if (auto b = std::get_if<bool>(v)) return *b;
    if (auto i = std::get_if<int32_t>(v)) return *i != 0;
    if (auto s = std::get_if<std::string>(v)) {
        if (samePropertyName(*s, "True")) return true;
        if (samePropertyName(*s, "False")) return false;
        if (auto n = parseWholeNumber(*s)) return *n != 0;
    }
    return defaultValue;
}

std::string PropertyBag::readString(std::string_view name, std::string_view defaultValue) const {
    const PropertyValue* v = find(name);
    if (!v) return std::string(defaultValue);
    if (auto s = std::get_if<std::string>(v)) return *s;
    if (auto i = std::get_if<int32_t>(v)) return std::to_string(*i);
    if (auto b = std::get_if<bool>(v)) return *b ? "True" : "False";
    return std::string(defaultValue);
}

std::vector<uint8_t> PropertyBag::readBytes(std::string_view name, std::vector<uint8_t> defaultValue) const {
    const PropertyValue* v = find(name);
    if (auto bytes = v ? std::get_if<std::vector<uint8_t>>(v) : nullptr) return *bytes;
    return defaultValue;
}

void PropertyBag::writeInt(std::string_view name, int32_t value, int32_t defaultValue) {
    if (value == defaultValue) erase(name);
    else store(name, value);
}

void PropertyBag::writeBool(std::string_view name, bool value, bool defaultValue) {
    if (value == defaultValue) erase(name);
    else store(name, value);
}

void PropertyBag::writeString(std::string_view name, std::string_view value, std::string_view defaultValue) {
    if (value == defaultValue) erase(name);
    else store(name, std::string(value));
}

void PropertyBag::writeBytes(std::string_view name, std::vector<uint8_t> value) {
    if (value.empty()) erase(name);
    else store(name, std::move(value));
}

}  // namespace lumora
