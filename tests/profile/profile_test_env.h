#pragma once
// A private home for each profile test: XDG_DATA_HOME, HOME and TMPDIR point
// into a fresh temporary folder, VANTIRO_DATA_DIR at the factory data.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <unistd.h>

namespace r88::test {

class ProfileHome : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        root_ = std::filesystem::temp_directory_path() /
                ("r88-profile-" + std::to_string(::getpid()) + "-" + info->test_suite_name() + "-" + info->name());
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_ / "tmp");
        Keep("XDG_DATA_HOME", (root_ / "data").string());
        Keep("HOME", (root_ / "home").string());
        Keep("TMPDIR", (root_ / "tmp").string());
        const char* data = std::getenv("VANTIRO_DATA_DIR");
        if (data == nullptr || *data == '\0') Keep("VANTIRO_DATA_DIR", R88_BINARY_DIR "/share/vantiro-r88");
    }

    void TearDown() override {
        for (const auto& [name, value] : saved_) {
            if (value.has_value) setenv(name.c_str(), value.text.c_str(), 1);
            else unsetenv(name.c_str());
        }
        std::filesystem::remove_all(root_);
    }

    std::string Root() const { return root_.string() + "/"; }

    static std::string ReadFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    static void WriteFile(const std::string& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }

    // Every file below folder with its content, to show that nothing changed.
    static std::map<std::string, std::string> Snapshot(const std::string& folder) {
        std::map<std::string, std::string> files;
        for (const auto& e : std::filesystem::recursive_directory_iterator(folder))
            if (e.is_regular_file()) files[e.path().string()] = ReadFile(e.path().string());
        return files;
    }

private:
    struct Saved {
        bool has_value;
        std::string text;
    };
    void Keep(const std::string& name, const std::string& value) {
        const char* old = std::getenv(name.c_str());
        saved_.emplace(name, Saved{old != nullptr, old != nullptr ? old : ""});
        setenv(name.c_str(), value.c_str(), 1);
    }

    std::filesystem::path root_;
    std::map<std::string, Saved> saved_;
};

}  // namespace r88::test
