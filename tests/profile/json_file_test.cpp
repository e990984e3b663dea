#include <gtest/gtest.h>

#include <csignal>
#include <regex>
#include <set>
#include <sys/stat.h>
#include <sys/wait.h>

#include "platform/trace.h"
#include "profile/json_file.h"
#include "profile_test_env.h"

namespace r88 {
namespace {

using JsonFile = test::ProfileHome;

TEST_F(JsonFile, WritesStyledTextWithTrailingNewlineAndReadsItBackWithComments) {
    TraceCapture trace;
    CJsonFile file;
    Json::Value doc;
    doc["profilename"] = "Профиль 1";
    doc["Device"][0]["LightInfo"]["Red"] = 255;
    const std::string path = Root() + "doc.Json";
    ASSERT_EQ(file.WriteJson(path, doc), 0);
    const std::string text = ReadFile(path);
    EXPECT_NE(text.find("\n   \"profilename\" : "), std::string::npos) << text;
    EXPECT_EQ(text.back(), '\n');
    EXPECT_EQ(file.ReadJson(path), doc);
    EXPECT_TRUE(trace.Contains("wirtejsonFile 错误吗：：0\n"));
    EXPECT_TRUE(trace.Contains("readjsonFile 错误吗：：0\n"));

    WriteFile(path, "// a note\n{ \"a\" : 1 /* inline */ }\n");
    EXPECT_EQ(file.ReadJson(path)["a"].asInt(), 1);

    trace.Clear();
    EXPECT_TRUE(file.ReadJson(Root() + "missing.Json").isNull());
    EXPECT_TRUE(trace.Contains("readjsonFile 错误吗：：2\n"));
    EXPECT_TRUE(trace.Contains(Root() + "missing.Json"));
}

TEST_F(JsonFile, HostileFilesReadAsNullWithATraceLine) {
    struct Case {
        const char* name;
        std::string content;
        const char* trace;
    };
    const Case cases[] = {
        {"huge", "[" + std::string(CJsonFile::kMaxFileSize, ' ') + "]", "larger than"},
        {"deep", std::string(100000, '[') + std::string(100000, ']'), "not read"},
        {"not json", "{\"a\" : }", "not a JSON document"},
        {"empty", "", "empty"},
    };
    CJsonFile file;
    for (const Case& c : cases) {
        const std::string path = Root() + c.name;
        WriteFile(path, c.content);
        TraceCapture trace;
        EXPECT_TRUE(file.ReadJson(path).isNull()) << c.name;
        EXPECT_TRUE(trace.Contains(c.name)) << c.name << ": " << trace.Text();
        EXPECT_TRUE(trace.Contains(c.trace)) << c.name << ": " << trace.Text();
    }
    // Nesting up to the limit is fine.
    const std::string path = Root() + "nested";
    WriteFile(path, std::string(CJsonFile::kMaxDepth - 1, '[') + std::string(CJsonFile::kMaxDepth - 1, ']'));
    EXPECT_TRUE(file.ReadJson(path).isArray());
    // A FIFO or a folder is not a file to read (and the FIFO must not block).
    ASSERT_EQ(::mkfifo((Root() + "fifo").c_str(), 0600), 0);
    EXPECT_EQ(file.ReadText(Root() + "fifo"), "");
    EXPECT_EQ(file.ReadText(Root()), "");
    // Text after an embedded zero byte is not part of the document.
    WriteFile(path, std::string("{\"a\":1}\0garbage", 15));
    EXPECT_EQ(file.ReadJson(path)["a"].asInt(), 1);
}

TEST_F(JsonFile, AnAbandonedWriteLeavesTheOldDocumentAndNoTemporaryFile) {
    CJsonFile file;
    const std::string path = Root() + "ProfileList.ini";
    Json::Value old;
    old["profileselect"] = 1;
    ASSERT_EQ(file.WriteJson(path, old), 0);
    const auto before = Snapshot(Root());

    // A full disk: the write fails after the temporary file was made.
    auto previous = CJsonFile::SetWriteStepHook([](const std::string&) { return false; });
    Json::Value next;
    next["profileselect"] = 2;
    EXPECT_EQ(file.WriteJson(path, next), 1);
    CJsonFile::SetWriteStepHook(previous);
    EXPECT_EQ(Snapshot(Root()), before);

    // No folder to write in.
    EXPECT_EQ(file.WriteJson(Root() + "absent/x.Json", next), 1);
    EXPECT_EQ(Snapshot(Root()), before);
}

TEST_F(JsonFile, AWriterKilledBetweenWritingAndRenamingLeavesTheOldDocument) {
    CJsonFile file;
    const std::string path = Root() + "doc.Json";
    Json::Value old;
    old["profilename"] = "old";
    ASSERT_EQ(file.WriteJson(path, old), 0);
    const std::string oldText = ReadFile(path);

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        CJsonFile::SetWriteStepHook([](const std::string&) {
            ::raise(SIGKILL);
            return true;
        });
        Json::Value next;
        next["profilename"] = std::string(100000, 'n');
        CJsonFile().WriteJson(path, next);
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(ReadFile(path), oldText);
    EXPECT_EQ(file.ReadJson(path)["profilename"].asString(), "old");
}

TEST_F(JsonFile, NewFilesGetWhatTheUmaskAllowsAndReplacedFilesKeepTheirMode) {
    CJsonFile file;
    const mode_t saved = ::umask(022);
    auto modeOf = [](const std::string& path) {
        struct stat st {};
        EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
        return st.st_mode & 07777;
    };
    const struct {
        mode_t umask;
        mode_t created;
    } cases[] = {{022, 0644}, {077, 0600}, {002, 0664}, {027, 0640}};
    for (const auto& c : cases) {
        ::umask(c.umask);
        const std::string path = Root() + "new-" + std::to_string(c.umask) + ".Json";
        ASSERT_EQ(file.WriteJson(path, Json::Value(1)), 0);
        EXPECT_EQ(modeOf(path), c.created) << std::oct << "umask " << c.umask;
    }
    // A file that exists keeps its mode, narrower or wider than the umask.
    for (const mode_t kept : {mode_t{0600}, mode_t{0664}}) {
        ::umask(022);
        const std::string path = Root() + "kept.Json";
        ASSERT_EQ(file.WriteJson(path, Json::Value(1)), 0);
        ASSERT_EQ(::chmod(path.c_str(), kept), 0);
        ASSERT_EQ(file.WriteJson(path, Json::Value(2)), 0);
        EXPECT_EQ(modeOf(path), kept) << std::oct << kept;
        EXPECT_EQ(file.ReadJson(path), Json::Value(2));
    }
    ::umask(saved);
}

TEST_F(JsonFile, TimeIdentifiersKeepTheirFormatAndNeverRepeat) {
    CJsonFile file;
    const std::regex form(R"(\d{4}_\d\d_\d\d_\d\d_\d\d_\d\d_\d\d\d)");
    std::set<std::string> seen;
    std::string last;
    for (int i = 0; i < 2000; ++i) {
        const std::string id = file.MakeTimeId();
        ASSERT_TRUE(std::regex_match(id, form)) << id;
        ASSERT_TRUE(seen.insert(id).second) << id;
        ASSERT_GT(id, last);
        last = id;
    }
}

TEST_F(JsonFile, FoldersAreMappedToTheUsersDataAndMadeOnDemand) {
    const std::string root = Root() + "data/VANTIRO  R88 Gaming Keyboard/";
    EXPECT_EQ(AppDataFolder(), root);
    EXPECT_EQ(DeviceDataFolder("MousePad"), root + "MousePad/");
    EXPECT_TRUE(std::filesystem::is_directory(root + "MousePad"));
    EXPECT_EQ(DeviceDataFolder("../MousePad"), "");
    EXPECT_EQ(UpdateDownloadFolder(), Root() + "tmp/UpdateData/");
    EXPECT_TRUE(std::filesystem::is_directory(Root() + "tmp/UpdateData"));
    EXPECT_EQ(DefaultDocumentPath("HD"), DefaultDataFolder() + "HD.Json");
    EXPECT_TRUE(std::filesystem::is_regular_file(DefaultDocumentPath("HD")));
}

}  // namespace
}  // namespace r88
