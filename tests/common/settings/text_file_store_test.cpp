// The settings text file: what counts as a definition, how a rewrite keeps
// the rest of the file, and files no editor would produce.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "common/settings/settings_parse.h"
#include "common/settings/text_file_store.h"

#ifndef _WIN32
#include <sys/stat.h>  // mkfifo, for the odd-path test
#endif

namespace fs = std::filesystem;
using lumora::TextFileStore;

namespace {

// A fresh folder per test, removed afterwards.
class TextFileStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() / (std::string("lumora_store_") + info->name() + "_" +
                                            std::to_string(std::random_device{}()));
        fs::create_directories(dir_);
        file_ = dir_ / "settings.ini";
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }

    void put(const std::string& bytes) {
        std::ofstream out(file_, std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    std::string contents() const {
        std::ifstream in(file_, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    // The value of `name`, or "<none>".
    std::string lookup(const std::string& name) const {
        std::string text;
        return TextFileStore(file_).read(name, text) ? text : "<none>";
    }

    fs::path dir_, file_;
};

TEST_F(TextFileStoreTest, ReadsDefinitionsAndSkipsEverythingElse) {
    put("\xEF\xBB\xBF"
        "00=10\n"
        "# 01=comment\n"
        "  ; 02=comment too\n"
        "\n"
        "   \t \n"
        "  03  \t= 30 \r\n"
        "04=a=b\r\r\n"
        "no equals sign\n"
        "=5\n"
        "0 5=6\n"
        "06=\n"
        "07=first\n"
        "07=second\n"
        "08=\xE8\x8A\xB1\xE7\x81\xAB\n"
        "19=last line, no end\r");
    struct Case { const char* name; std::string value; };
    const Case cases[] = {
        {"00", "10"},      // after the byte-order mark
        {"01", "<none>"},  {"02", "<none>"},  {"# 01", "<none>"}, {"; 02", "<none>"},
        {"03", " 30 "},    // name trimmed, value as written, CR LF removed
        {"04", "a=b\r"},   // only one CR belongs to the line end
        {"05", "<none>"},  {"0 5", "6"},
        {"06", ""},        // defined, empty
        {"07", "first"},   {"08", "\xE8\x8A\xB1\xE7\x81\xAB"},
        {"19", "last line, no end"},
        {"", "<none>"},    {"09", "<none>"},
    };
    for (const Case& c : cases) EXPECT_EQ(lookup(c.name), c.value) << "name '" << c.name << "'";
}

TEST_F(TextFileStoreTest, MissingFileOrFolderPathReadsAsEmpty) {
    EXPECT_EQ(lookup("00"), "<none>");
    file_ = dir_;  // a folder where the file should be
    EXPECT_EQ(lookup("00"), "<none>");
    EXPECT_FALSE(TextFileStore(dir_).write("00", "1"));
    EXPECT_FALSE(TextFileStore(dir_ / "no such folder" / "settings.ini").write("00", "1"));
    EXPECT_FALSE(fs::exists(dir_ / "no such folder"));
    EXPECT_FALSE(TextFileStore(fs::path()).write("00", "1"));
    std::string text;
    EXPECT_FALSE(TextFileStore(fs::path()).read("00", text));
}

TEST_F(TextFileStoreTest, WriteReplacesTheFirstDefinitionAndKeepsTheRest) {
    put("# my settings\n"
        "00 = 3\n"
        "; the wind\n"
        "02=40\n"
        "00=4\n"
        "xx=unknown name\n"
        "junk line\n");
    ASSERT_TRUE(TextFileStore(file_).write("00", "12"));
    EXPECT_EQ(contents(),
              "# my settings\n"
              "00=12\n"
              "; the wind\n"
              "02=40\n"
              "xx=unknown name\n"
              "junk line\n");
    ASSERT_TRUE(TextFileStore(file_).write("05", "0"));
    EXPECT_EQ(contents(),
              "# my settings\n"
              "00=12\n"
              "; the wind\n"
              "02=40\n"
              "xx=unknown name\n"
              "junk line\n"
              "05=0\n");
    EXPECT_FALSE(fs::exists(dir_ / "settings.ini.tmp"));
}

TEST_F(TextFileStoreTest, WriteFollowsTheFilesLineEnds) {
    put("\xEF\xBB\xBF"
        "01=1\r\n02=2");  // Windows line ends, no end on the last line
    ASSERT_TRUE(TextFileStore(file_).write("03", "3"));
    EXPECT_EQ(contents(), "\xEF\xBB\xBF""01=1\r\n02=2\r\n03=3\r\n");
    ASSERT_TRUE(TextFileStore(file_).write("01", "x"));
    EXPECT_EQ(contents(), "\xEF\xBB\xBF""01=x\r\n02=2\r\n03=3\r\n");

    fs::remove(file_);
    ASSERT_TRUE(TextFileStore(file_).write("07", "1"));  // a new file
    EXPECT_EQ(contents(), "07=1\n");
}

TEST_F(TextFileStoreTest, WriteRefusesWhatCouldNotBeReadBack) {
    put("00=1\n");
    const std::string badNames[] = {"", " 00", "00 ", "0=0", "0\n0", "#00", ";00", "\xEF\xBB\xBF""00"};
    for (const std::string& name : badNames) EXPECT_FALSE(TextFileStore(file_).write(name, "2")) << name;
    EXPECT_FALSE(TextFileStore(file_).write("00", "2\n01=3"));
    EXPECT_FALSE(TextFileStore(file_).write("00", "2\r"));
    EXPECT_EQ(contents(), "00=1\n");
    // Values keep their blanks and '=' both ways.
    ASSERT_TRUE(TextFileStore(file_).write("08", " C:\\music\\a=b.mid "));
    EXPECT_EQ(lookup("08"), " C:\\music\\a=b.mid ");
}

TEST_F(TextFileStoreTest, EveryNameRoundTripsIntoTheRendererSettings) {
    TextFileStore store(file_);
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(store.write(lumora::settingValueName(i), std::to_string(100 + i)));
    ASSERT_TRUE(store.write("03", "-7"));
    const lumora::Settings s = lumora::loadRendererSettings(
        [&](const std::string& name, std::string& text) { return store.read(name, text); });
    EXPECT_EQ(s.MaxFireworks, 100);
    EXPECT_EQ(s.AmbientBrightness, -7);
    EXPECT_EQ(s.Illumination, 107);
    EXPECT_EQ(lookup("19"), "119");
}

TEST_F(TextFileStoreTest, HugeLinesAndBinaryJunkAreSurvived) {
    const std::size_t big = TextFileStore::kMaxLineBytes * 3 + 17;
    std::string junk;
    std::mt19937 rng(5);
    for (int i = 0; i < 200000; ++i) junk.push_back(static_cast<char>(rng()));
    junk.push_back('\n');
    const std::string original = std::string(big, 'z') + "=x\n" +  // '=' far past the first piece: not a definition
                                 std::string(TextFileStore::kMaxLineBytes - 1, ' ') + "\r\n" + junk +
                                 "01=" + std::string(big, '9') + "\n" +  // a value too long to keep whole
                                 std::string("02=\0\0\xFF", 6) + "\n" + "03=5";
    put(original);
    EXPECT_EQ(lookup("02"), std::string("\0\0\xFF", 3));
    EXPECT_EQ(lookup("03"), "5");
    const std::string first = lookup("01");
    EXPECT_EQ(first, std::string(TextFileStore::kMaxLineBytes - 3, '9'));  // cut at the piece's end
    EXPECT_EQ(lumora::parseRendererValue(first.data(), first.size()), 2147483647);

    // A rewrite carries every other byte through, long lines included.
    ASSERT_TRUE(TextFileStore(file_).write("03", "6"));
    std::string expected = original;
    expected.replace(expected.size() - 1, 1, "6");
    EXPECT_TRUE(contents() == expected);
    ASSERT_TRUE(TextFileStore(file_).write("01", "1"));
    EXPECT_EQ(lookup("01"), "1");
    EXPECT_EQ(contents().size(), expected.size() - big + 1);
    ASSERT_TRUE(TextFileStore(file_).write("zzzz", "new"));
    EXPECT_EQ(lookup("zzzz"), "new");  // the long 'z' line did not count as one
}

TEST_F(TextFileStoreTest, WriteThroughALinkKeepsTheLink) {
    const fs::path real = dir_ / "real.ini";
    { std::ofstream(real, std::ios::binary) << "00=1\n"; }
    std::error_code error;
    fs::create_symlink(real, file_, error);
    if (error) GTEST_SKIP() << "no symbolic links here: " << error.message();
    ASSERT_TRUE(TextFileStore(file_).write("00", "2"));
    EXPECT_TRUE(fs::is_symlink(file_));
    EXPECT_EQ(lookup("00"), "2");
}

#ifndef _WIN32
// Paths that are not plain files must neither block nor be replaced.
TEST_F(TextFileStoreTest, DevicesAndPipesAreNeitherReadNorReplaced) {
    ASSERT_EQ(mkfifo(file_.c_str(), 0600), 0);  // opening it for reading would wait for a writer
    EXPECT_EQ(lookup("00"), "<none>");
    EXPECT_FALSE(TextFileStore(file_).write("00", "1"));
    EXPECT_EQ(fs::status(file_).type(), fs::file_type::fifo);
    std::string text;
    EXPECT_FALSE(TextFileStore("/dev/zero").read("00", text));  // endless, no line ends
}
#endif

}  // namespace
