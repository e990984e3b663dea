#pragma once
// A small HTTP server on 127.0.0.1 for the update client's tests: plain or
// TLS with a certificate made at run time for the test, one connection at a
// time, answers chosen by the test (late, cut short, never).
#include <atomic>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace r88::test {

// A certificate authority and a server certificate it signed for 127.0.0.1,
// as PEM files in `folder`.
struct TestAuthority {
    std::string caFile;
    std::string certFile;
    std::string keyFile;
};
TestAuthority MakeTestAuthority(const std::string& folder, const std::string& name);

struct ReceivedRequest {
    std::string method;
    std::string target;
    std::map<std::string, std::string> headers;  // names in lower case
    std::vector<std::string> headerLines;        // as sent
    std::string body;
};

struct Reply {
    std::string bytes;         // the whole response as sent
    int delayMs = 0;           // wait before answering
    std::size_t cutAfter = 0;  // > 0: send only this many bytes, then close
    bool neverAnswer = false;  // keep the connection open until the client gives up
};

// "HTTP/1.1 <status>" with Content-Length and the body.
std::string HttpResponse(const std::string& body, int status = 200,
                         const std::string& contentType = "application/json");

class CLoopbackServer {
public:
    using Handler = std::function<Reply(const ReceivedRequest&)>;

    // `tls` null: plain HTTP.
    explicit CLoopbackServer(Handler handler, const TestAuthority* tls = nullptr);
    ~CLoopbackServer();
    CLoopbackServer(const CLoopbackServer&) = delete;
    CLoopbackServer& operator=(const CLoopbackServer&) = delete;

    int Port() const { return port_; }
    // "http://127.0.0.1:<port>/" or "https://...".
    std::string BaseUrl() const;
    std::vector<ReceivedRequest> Requests() const;

private:
    void Run();
    void Serve(int fd);
    bool WaitForStop(int ms) const;

    Handler handler_;
    void* ssl_ = nullptr;  // SSL_CTX
    int listenFd_ = -1;
    int wakeFds_[2] = {-1, -1};
    int port_ = 0;
    std::thread thread_;
    mutable std::mutex mutex_;
    std::vector<ReceivedRequest> requests_;
};

// Clears the proxy variables so loopback requests go straight to the server.
void ClearProxyEnvironment();

}  // namespace r88::test
