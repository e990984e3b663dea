#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <vector>

#include "tests/update/loopback_server.h"
#include "update/update_query.h"
#include "update/web_request.h"

namespace r88 {
namespace {

using test::CLoopbackServer;
using test::HttpResponse;
using test::Reply;

UpdateTarget Firmware(int version) {
    UpdateTarget t = UpdateTargetTable().front();
    t.currentVersion = version;
    return t;
}

UpdateTarget Application(int version) {
    UpdateTarget t = UpdateTargetTable().back();
    t.currentVersion = version;
    return t;
}

class UpdateClientTest : public ::testing::Test {
protected:
    void SetUp() override { test::ClearProxyEnvironment(); }
};

TEST(AppVersion, DotsAreDroppedAndTheRestIsDecimal) {
    EXPECT_EQ(AppVersionNumber("1.0.3"), 103);
    EXPECT_EQ(AppVersionNumber("2.10"), 210);
    EXPECT_EQ(AppVersionNumber(""), 0);
    EXPECT_EQ(AppVersionNumber("beta"), 0);
    EXPECT_EQ(UpdateTargetTable().size(), kFirmwareTargetCount + 1);
    EXPECT_EQ(UpdateTargetTable().back().modelCode, "ALL");
    EXPECT_EQ(UpdateTargetTable().back().label, "VANTIRO  R88 Gaming Keyboard :");
    EXPECT_EQ(UpdateTargetTable().back().currentVersion, AppVersionNumber(R88_VERSION));
}

TEST_F(UpdateClientTest, QueryComparesVersionsAndSendsTheFormBody) {
    struct Case {
        const char* what;
        UpdateTarget target;
        const char* response;
        const char* bodyEnd;
        int status;
        const char* current;
        const char* fresh;
    };
    const Case cases[] = {
        {"application newer", Application(103),
         R"({"version":"104","version_name":"1.0.4","path":"https://h/x.deb","name":"n","device_id":5})",
         "&version=103", 1, "V103", "1.0.4"},
        {"firmware newer, hexadecimal", Firmware(0x0103), R"({"version":"0105","version_name":"fw"})",
         "&version=103", 1, "V0103", "V0105"},
        {"firmware equal", Firmware(0x0105), R"({"version":"0105"})", "&version=105", 7, "V0105", "V0105"},
        {"firmware a-f digits", Firmware(0x01ab), R"({"version":"01AC"})", "&version=1ab", 1, "V01ab",
         "V01AC"},
        {"application equal", Application(104), R"({"version":"104","version_name":"1.0.4"})", "&version=104",
         7, "V104", "1.0.4"},
        {"version not a number", Firmware(0x0103), R"({"version":"new"})", "&version=103", 7, "V0103",
         "Vnew"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CLoopbackServer server([&](const test::ReceivedRequest&) { return Reply{HttpResponse(c.response)}; });
        CWebClient client;
        const UpdateInfo info = QueryUpdate(c.target, server.BaseUrl(), client);
        EXPECT_EQ(info.status, c.status);
        EXPECT_EQ(info.currentVersionText, c.current);
        EXPECT_EQ(info.newVersionText, c.fresh);

        const auto requests = server.Requests();
        ASSERT_EQ(requests.size(), 1u);
        const test::ReceivedRequest& r = requests[0];
        EXPECT_EQ(r.method, "POST");
        EXPECT_EQ(r.target, "/api/updates");
        const std::string expected = "app_key=" + c.target.appKey + c.bodyEnd + std::string(1, '\0');
        EXPECT_EQ(r.body, expected);  // with its terminating zero
        EXPECT_EQ(r.headers.at("content-length"), std::to_string(expected.size()));
        EXPECT_EQ(r.headers.at("content-type"), "application/x-www-form-urlencoded");
        EXPECT_EQ(r.headers.at("accept"), "application/prs.Kestra.v1+json");
        EXPECT_EQ(r.headers.at("user-agent"), "WinHTTP Client/1.0");
        EXPECT_EQ(r.headers.count("expect"), 0u);
    }
}

TEST_F(UpdateClientTest, ResponseFieldsAreTakenAsTheyCome) {
    CLoopbackServer server([](const test::ReceivedRequest&) {
        return Reply{HttpResponse(
            R"({"version":"104","version_name":"版本 1.0.4","path":"https://h/p/x.deb","name":"r88","device_id":42})")};
    });
    CWebClient client;
    const UpdateInfo info = QueryUpdate(Application(103), server.BaseUrl(), client);
    EXPECT_EQ(info.downloadPath, "https://h/p/x.deb");
    EXPECT_EQ(info.name, "r88");
    EXPECT_EQ(info.versionName, "版本 1.0.4");
    EXPECT_EQ(info.deviceId, 42);
}

TEST_F(UpdateClientTest, OnlyGetAndPostAreSent) {
    CLoopbackServer server([](const test::ReceivedRequest&) { return Reply{HttpResponse("ok")}; });
    CWebClient client;
    std::vector<char> buffer(64);
    EXPECT_EQ(client.WebRequest("", server.BaseUrl(), nullptr, 0, buffer, false), -1);
    EXPECT_EQ(client.LastError(), 3);
    EXPECT_EQ(client.WebRequest("PUT", server.BaseUrl(), nullptr, 0, buffer, false), -1);
    EXPECT_EQ(client.LastError(), 87);
    EXPECT_TRUE(server.Requests().empty());
    EXPECT_EQ(client.WebRequest("get", server.BaseUrl(), nullptr, 0, buffer, false), 2);
    EXPECT_STREQ(buffer.data(), "ok");
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(server.Requests()[0].method, "GET");
}

TEST_F(UpdateClientTest, WhatIsNotAnswerIsNoInformation) {
    const std::string fits =
        R"({"version":"0105","pad":")" + std::string(kUpdateResponseBufferSize - 1 - 27, 'x') + R"("})";
    ASSERT_EQ(fits.size(), kUpdateResponseBufferSize - 1);
    struct Case {
        const char* what;
        std::string body;
        int status;
        int error;
    };
    const Case cases[] = {
        {"an error page", "<html>502 Bad Gateway</html>", 0, web_error::kNone},
        {"JSON that is no object", "[1,2,3]", 0, web_error::kNone},
        {"an empty body", "", 0, web_error::kNone},
        {"200 KB", std::string(200 * 1024, ' ') + R"({"version":"0105"})", 0, web_error::kResponseTooLarge},
        {"the buffer less its zero", fits, 1, web_error::kNone},
        {"one byte more", fits + " ", 0, web_error::kResponseTooLarge},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CLoopbackServer server([&](const test::ReceivedRequest&) { return Reply{HttpResponse(c.body)}; });
        CWebClient client;
        const UpdateInfo info = QueryUpdate(Firmware(0x0103), server.BaseUrl(), client);
        EXPECT_EQ(info.status, c.status);
        EXPECT_EQ(client.LastError(), c.error);
        if (c.status == 0) {
            EXPECT_EQ(info.name, "");
        }
    }
}

TEST_F(UpdateClientTest, AnUnreachableServiceIsNoLinkServer) {
    int port = 0;
    {
        CLoopbackServer gone([](const test::ReceivedRequest&) { return Reply{}; });
        port = gone.Port();
    }
    CWebClient client;
    const UpdateInfo info =
        QueryUpdate(Firmware(0x0103), "http://127.0.0.1:" + std::to_string(port) + "/", client);
    EXPECT_EQ(info.status, 0);
    EXPECT_EQ(info.name, kNoLinkServer);
    EXPECT_FALSE(client.LastSent());
}

TEST_F(UpdateClientTest, AServerThatNeverAnswersEndsWithTheReceiveTimeOut) {
    CLoopbackServer server([](const test::ReceivedRequest&) {
        Reply r;
        r.neverAnswer = true;
        return r;
    });
    WebClientSettings settings;
    settings.receiveTimeoutMs = 500;
    CWebClient client(settings);
    const auto start = std::chrono::steady_clock::now();
    const UpdateInfo info = QueryUpdate(Firmware(0x0103), server.BaseUrl(), client);
    // Ended by the client's limit, well before the 30 s default; the server never gives up.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_EQ(client.LastError(), web_error::kTimedOut);
    EXPECT_TRUE(client.LastSent());
    EXPECT_EQ(info.status, 0);
    EXPECT_EQ(info.name, "");
}

TEST_F(UpdateClientTest, HttpsTrustsOnlyTheAuthorityItIsGiven) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("r88-update-tls-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const test::TestAuthority ours = test::MakeTestAuthority(dir.string(), "ours");
    const test::TestAuthority other = test::MakeTestAuthority(dir.string(), "other");
    CLoopbackServer server(
        [](const test::ReceivedRequest&) { return Reply{HttpResponse(R"({"version":"0105"})")}; }, &ours);
    struct Case {
        const char* what;
        std::string caFile;
        bool answered;
    };
    const Case cases[] = {
        {"our authority", ours.caFile, true},
        {"another authority", other.caFile, false},
        {"the system store", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WebClientSettings settings;
        settings.caFile = c.caFile;
        CWebClient client(settings);
        const UpdateInfo info = QueryUpdate(Firmware(0x0103), server.BaseUrl(), client);
        EXPECT_EQ(info.status, c.answered ? 1 : 0);
        EXPECT_EQ(info.name, c.answered ? "" : kNoLinkServer);
    }
    EXPECT_EQ(server.Requests().size(), 1u);  // untrusted handshakes never got as far as a request
    std::filesystem::remove_all(dir);
}

TEST_F(UpdateClientTest, ACancelledQueryEndsAtOnce) {
    CLoopbackServer server([](const test::ReceivedRequest&) {
        Reply r;
        r.neverAnswer = true;
        return r;
    });
    CWebClient client;
    client.Cancel();
    const UpdateInfo info = QueryUpdate(Firmware(0x0103), server.BaseUrl(), client);
    EXPECT_EQ(info.status, 0);
    EXPECT_EQ(client.LastError(), web_error::kCancelled);
}

}  // namespace
}  // namespace r88
