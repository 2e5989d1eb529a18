// The controls' property store: typed reads with defaults, skipped default
// writes, case-blind names and the order of writing.
#include <gtest/gtest.h>

#include "controls/property_bag.h"

using namespace lumora;

TEST(PropertyBag, MissingValuesReadAsTheDefaultAndDefaultsAreNotStored) {
    PropertyBag bag;
    EXPECT_EQ(bag.readInt("Max", 255), 255);
    EXPECT_TRUE(bag.readBool("Enabled", true));
    EXPECT_EQ(bag.readString("Caption", "Command1"), "Command1");
    EXPECT_TRUE(bag.readBytes("GIF").empty());

    bag.writeInt("Max", 255, 255);
    bag.writeBool("Enabled", true, true);
    bag.writeString("Caption", "Command1", "Command1");
    bag.writeBytes("GIF", {});
    EXPECT_TRUE(bag.entries().empty());

    bag.writeInt("Max", 30, 255);
    EXPECT_EQ(bag.readInt("Max", 255), 30);
    bag.writeInt("Max", 255, 255);  // back to the default: absent again
    EXPECT_FALSE(bag.contains("Max"));
}

TEST(PropertyBag, NamesIgnoreCaseAndKeepTheirWriteOrder) {
    PropertyBag bag;
    bag.writeInt("Colorscheme", 2, 0);
    bag.writeInt("LargeChange", 1, 10);
    bag.writeInt("Max", 32767, 255);
    bag.writeInt("COLORSCHEME", 1, 0);  // same name: replaced in place
    EXPECT_EQ(bag.readInt("ColorScheme", 0), 1);
    ASSERT_EQ(bag.entries().size(), 3u);
    EXPECT_EQ(bag.entries()[0].name, "Colorscheme");
    EXPECT_EQ(bag.entries()[1].name, "LargeChange");
    EXPECT_EQ(bag.entries()[2].name, "Max");
}

TEST(PropertyBag, ValuesConvertBetweenTypesAsTheRuntimeDid) {
    PropertyBag bag;
    bag.writeBool("Enabled", false, true);
    bag.writeString("FirstRun", "0", "1");
    bag.writeString("Odd", "12abc", "");
    bag.writeString("Big", "99999999999", "");
    bag.writeInt("Number", -1, 0);
    bag.writeBytes("GIF", {0x47, 0x49, 0x46});
    struct Case {
        const char* name;
        int32_t asInt;
        bool asBool;
        const char* asText;
    };
    const Case cases[] = {
        {"Enabled", 0, false, "False"}, {"FirstRun", 0, false, "0"},  {"Odd", 7, true, "12abc"},
        {"Big", 7, true, "99999999999"}, {"Number", -1, true, "-1"}, {"GIF", 7, true, "dflt"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(bag.readInt(c.name, 7), c.asInt) << c.name;
        EXPECT_EQ(bag.readBool(c.name, true), c.asBool) << c.name;
        EXPECT_EQ(bag.readString(c.name, "dflt"), c.asText) << c.name;
    }
    EXPECT_EQ(bag.readBytes("GIF"), (std::vector<uint8_t>{0x47, 0x49, 0x46}));
    EXPECT_EQ(bag.readBytes("Number", {1}), std::vector<uint8_t>{1});
}
