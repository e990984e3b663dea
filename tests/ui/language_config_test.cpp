#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "ui/language_config.h"

namespace r88 {
namespace {

class LanguageConfigTest : public ::testing::Test {
protected:
    std::string Write(const std::string& text) {
        std::ofstream(path_, std::ios::binary) << text;
        return path_;
    }
    void TearDown() override { std::filesystem::remove(path_); }
    std::string path_ = (std::filesystem::temp_directory_path() / "r88-language.config").string();
};

TEST_F(LanguageConfigTest, ReadsEntriesInOrderAndFindsIndexById) {
    auto entries = ReadLanguageConfig(Write(R"({"Language":[
        {"Language_ID":1033,"Language_name":"en","Language_file":"en.qm","Language_text":"English"},
        {"Language_ID":2052,"Language_name":"zh_CN","Language_file":"zh_CN.qm"}]})"));
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].file, "zh_CN.qm");
    EXPECT_EQ(entries[0].text, "English");
    EXPECT_EQ(LanguageIndexOfId(entries, 2052), 1);
    EXPECT_EQ(LanguageIndexOfId(entries, 7), std::nullopt);
}

TEST_F(LanguageConfigTest, BadFilesGiveAnEmptyListAndBadEntriesKeepTheirPlace) {
    EXPECT_TRUE(ReadLanguageConfig("/nonexistent/Language.config").empty());
    EXPECT_TRUE(ReadLanguageConfig(Write("{ not json")).empty());
    EXPECT_TRUE(ReadLanguageConfig(Write(R"({"Language": 5})")).empty());
    EXPECT_TRUE(ReadLanguageConfig(Write(std::string(5000, '[') + std::string(5000, ']'))).empty());
    EXPECT_TRUE(ReadLanguageConfig(Write(std::string(9 << 20, ' '))).empty());
    // A wrongly typed field is left empty, so later indexes do not shift.
    auto entries = ReadLanguageConfig(Write(R"({"Language":[{"Language_ID":"x","Language_file":3},
                                                            {"Language_ID":9}]})"));
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].id, 0);
    EXPECT_EQ(entries[0].file, "");
    EXPECT_EQ(LanguageIndexOfId(entries, 9), 1);
}

}  // namespace
}  // namespace r88
