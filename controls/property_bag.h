// A container's property store for the custom controls: named values that a
// control reads back when its form loads and writes when the form is saved.
// The settings dialog describes its controls' design values with one.
//
// Values are 32-bit integers, booleans, strings and byte arrays. Names are
// compared without regard to case (a value written as "Colorscheme" is read
// as "ColorScheme"); a bag keeps the order in which values were written, so
// a control's save order can be checked. A write whose value equals its
// default stores nothing, and drops a value stored earlier under that name:
// absent always means "the default".
//
// Reads are typed and never fail: a missing value gives the caller's default.
// A value of another type is converted the way the controls' runtime did:
// integers and booleans into each other (true is -1), a decimal text into an
// integer or a boolean, an integer or a boolean into its text. A text that is
// not a whole number, and any conversion to or from a byte array, gives the
// default.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace lumora {

using PropertyValue = std::variant<int32_t, bool, std::string, std::vector<uint8_t>>;

class PropertyBag {
public:
    struct Entry {
        std::string name;  // as written
        PropertyValue value;
    };

    int32_t readInt(std::string_view name, int32_t defaultValue) const;
    bool readBool(std::string_view name, bool defaultValue) const;
    std::string readString(std::string_view name, std::string_view defaultValue) const;
    std::vector<uint8_t> readBytes(std::string_view name, std::vector<uint8_t> defaultValue = {}) const;

    void writeInt(std::string_view name, int32_t value, int32_t defaultValue);
    void writeBool(std::string_view name, bool value, bool defaultValue);
    void writeString(std::string_view name, std::string_view value, std::string_view defaultValue);
    // A byte array has no default but "none": an empty array stores nothing.
    void writeBytes(std::string_view name, std::vector<uint8_t> value);

    // Whether a value is stored under the name.
    bool contains(std::string_view name) const { return find(name) != nullptr; }
    // The stored values in the order they were first written.
    const std::vector<Entry>& entries() const { return entries_; }
    void clear() { entries_.clear(); }

private:
    const PropertyValue* find(std::string_view name) const;
    void store(std::string_view name, PropertyValue value);
    void erase(std::string_view name);

    std::vector<Entry> entries_;
};

// Whether two property names are the same name (ASCII case folded).
bool samePropertyName(std::string_view a, std::string_view b);

}  // namespace lumora
