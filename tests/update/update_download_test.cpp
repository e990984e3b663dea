#include "update/update_download.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/update/loopback_server.h"

namespace r88 {
namespace {

namespace fs = std::filesystem;
using test::CLoopbackServer;
using test::HttpResponse;
using test::Reply;

class UpdateDownloadTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::ClearProxyEnvironment();
        root_ = fs::temp_directory_path() / ("r88-download-" + std::to_string(getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_);
        authority_ = test::MakeTestAuthority(root_.string(), "dl");
        folder_ = (root_ / "files").string() + "/";
        ASSERT_TRUE(EnsurePrivateFolder(folder_));
        settings_.caFile = authority_.caFile;
    }
    void TearDown() override { fs::remove_all(root_); }

    std::vector<std::string> FolderEntries() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(folder_)) names.push_back(e.path().filename().string());
        return names;
    }

    fs::path root_;
    test::TestAuthority authority_;
    std::string folder_;
    WebClientSettings settings_;
};

TEST_F(UpdateDownloadTest, ACompleteFileArrivesWithItsProgress) {
    const std::string content(300 * 1024, 'u');
    CLoopbackServer server(
        [&](const test::ReceivedRequest&) {
            return Reply{HttpResponse(content, 200, "application/octet-stream")};
        },
        &authority_);
    CUpdateDownloader downloader(settings_);
    std::vector<int> percents;
    std::string path;
    const DownloadResult result = downloader.Download(
        {server.BaseUrl() + "files/r88%20setup_1.0.4.deb?sig=1", server.BaseUrl(), folder_},
        [&](int p) { percents.push_back(p); }, path);
    ASSERT_EQ(result, DownloadResult::kDone);
    EXPECT_EQ(path, folder_ + "r88 setup_1.0.4.deb");
    std::ifstream in(path, std::ios::binary);
    std::stringstream got;
    got << in.rdbuf();
    EXPECT_EQ(got.str(), content);
    ASSERT_FALSE(percents.empty());
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
    EXPECT_EQ(percents.back(), 100);
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"r88 setup_1.0.4.deb"});
}

TEST_F(UpdateDownloadTest, AFailedTransferLeavesNothingBehind) {
    const std::string content(200 * 1024, 'b');
    struct Case {
        const char* what;
        Reply reply;
        std::uint64_t cap;
        DownloadResult result;
    };
    const Case cases[] = {
        {"connection broken mid-body", Reply{HttpResponse(content), 0, 64 * 1024}, 1u << 30,
         DownloadResult::kNetwork},
        {"an error status", Reply{HttpResponse("<html>gone</html>", 404)}, 1u << 30,
         DownloadResult::kNetwork},
        {"larger than the cap", Reply{HttpResponse(content)}, 100 * 1024, DownloadResult::kTooLarge},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CLoopbackServer server([&](const test::ReceivedRequest&) { return c.reply; }, &authority_);
        CUpdateDownloader downloader(settings_);
        std::string path;
        DownloadRequest request{server.BaseUrl() + "x.deb", server.BaseUrl(), folder_, c.cap};
        EXPECT_EQ(downloader.Download(request, {}, path), c.result);
        EXPECT_EQ(path, "");
        EXPECT_TRUE(FolderEntries().empty());
    }
}

TEST_F(UpdateDownloadTest, OnlyPlainNamesFromTheServiceHostOverHttpsAreTaken) {
    CLoopbackServer server([](const test::ReceivedRequest&) { return Reply{HttpResponse("data")}; },
                           &authority_);
    const std::string base = server.BaseUrl();
    const std::string port = std::to_string(server.Port());
    const std::string cases[] = {
        "http://127.0.0.1:" + port + "/x.deb",   // not https
        "https://localhost:" + port + "/x.deb",  // another host name
        "https://127.0.0.1:1/x.deb",             // another port
        base,                                    // no file name
        base + "files/..",                       // not a plain name
        base + "files/..%2Fevil.deb",            // decodes to a path
        base + "%2E%2E",                         // decodes to ".."
        "not a url",
    };
    for (const std::string& url : cases) {
        CUpdateDownloader downloader(settings_);
        std::string path;
        EXPECT_EQ(downloader.Download({url, base, folder_}, {}, path), DownloadResult::kRefused) << url;
    }
    EXPECT_TRUE(server.Requests().empty());
    EXPECT_TRUE(FolderEntries().empty());
}

TEST(ServiceUrl, MustBeHttps) {
    EXPECT_TRUE(IsSecureServiceUrl("https://updates.example/"));
    EXPECT_TRUE(IsSecureServiceUrl("HTTPS://updates.example"));
    EXPECT_FALSE(IsSecureServiceUrl("http://updates.example/"));
    EXPECT_FALSE(IsSecureServiceUrl(""));
    EXPECT_FALSE(IsSecureServiceUrl("ftp://updates.example/"));
}

TEST(PrivateFolder, IsOursAndClosedToOthers) {
    const fs::path root = fs::temp_directory_path() / ("r88-private-" + std::to_string(getpid()));
    fs::remove_all(root);
    fs::create_directories(root);
    const std::string fresh = (root / "a" / "b").string() + "/";
    ASSERT_TRUE(EnsurePrivateFolder(fresh));
    struct stat st {};
    ASSERT_EQ(stat(fresh.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    // A folder left open to others is closed.
    const std::string open = (root / "open").string() + "/";
    fs::create_directory(open);
    chmod(open.c_str(), 0777);
    ASSERT_TRUE(EnsurePrivateFolder(open));
    ASSERT_EQ(stat(open.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    // A link planted where the folder should be is never followed.
    fs::create_directory_symlink(root / "a", root / "link");
    EXPECT_FALSE(EnsurePrivateFolder((root / "link").string() + "/"));
    std::ofstream(root / "file") << "x";
    EXPECT_FALSE(EnsurePrivateFolder((root / "file").string() + "/"));

    setenv("XDG_CACHE_HOME", root.c_str(), 1);
    EXPECT_EQ(PrivateDownloadFolder(), root.string() + "/VANTIRO  R88 Gaming Keyboard/UpdateData/");
    unsetenv("XDG_CACHE_HOME");
    fs::remove_all(root);
}

}  // namespace
}  // namespace r88
