#include "tests/update/loopback_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace r88::test {

namespace {
EVP_PKEY* NewKey() {
    return EVP_EC_gen("P-256");
}

void AddExtension(X509* cert, X509* issuer, int nid, const char* value) {
    X509V3_CTX ctx;
    X509V3_set_ctx_nodb(&ctx);
    X509V3_set_ctx(&ctx, issuer, cert, nullptr, nullptr, 0);
    X509_EXTENSION* ext = X509V3_EXT_conf_nid(nullptr, &ctx, nid, value);
    if (ext == nullptr) throw std::runtime_error("certificate extension");
    X509_add_ext(cert, ext, -1);
    X509_EXTENSION_free(ext);
}

X509* NewCertificate(EVP_PKEY* key, const std::string& cn, long serial) {
    X509* cert = X509_new();
    X509_set_version(cert, 2);
    ASN1_INTEGER_set(X509_get_serialNumber(cert), serial);
    X509_gmtime_adj(X509_getm_notBefore(cert), -3600);
    X509_gmtime_adj(X509_getm_notAfter(cert), 3600L * 24);
    X509_set_pubkey(cert, key);
    X509_NAME* name = X509_get_subject_name(cert);
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC, reinterpret_cast<const unsigned char*>(cn.c_str()),
                               -1, -1, 0);
    return cert;
}

void WritePem(const std::string& path, X509* cert, EVP_PKEY* key) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) throw std::runtime_error("cannot write " + path);
    if (cert != nullptr) PEM_write_X509(f, cert);
    if (key != nullptr) PEM_write_PrivateKey(f, key, nullptr, nullptr, 0, nullptr, nullptr);
    std::fclose(f);
}

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

// One connection, plain or TLS.
struct Connection {
    int fd;
    SSL* ssl = nullptr;
    int Read(char* buf, int n) { return ssl ? SSL_read(ssl, buf, n) : static_cast<int>(::read(fd, buf, n)); }
    bool Write(const char* buf, std::size_t n) {
        while (n > 0) {
            const int w = ssl ? SSL_write(ssl, buf, static_cast<int>(n))
                              : static_cast<int>(::send(fd, buf, n, MSG_NOSIGNAL));
            if (w <= 0) return false;
            buf += w;
            n -= static_cast<std::size_t>(w);
        }
        return true;
    }
};
}  // namespace

TestAuthority MakeTestAuthority(const std::string& folder, const std::string& name) {
    EVP_PKEY* caKey = NewKey();
    X509* ca = NewCertificate(caKey, name + " test authority", 1);
    X509_set_issuer_name(ca, X509_get_subject_name(ca));
    AddExtension(ca, ca, NID_basic_constraints, "critical,CA:TRUE");
    AddExtension(ca, ca, NID_key_usage, "critical,keyCertSign,cRLSign");
    AddExtension(ca, ca, NID_subject_key_identifier, "hash");
    X509_sign(ca, caKey, EVP_sha256());

    EVP_PKEY* key = NewKey();
    X509* cert = NewCertificate(key, "127.0.0.1", 2);
    X509_set_issuer_name(cert, X509_get_subject_name(ca));
    AddExtension(cert, ca, NID_basic_constraints, "critical,CA:FALSE");
    AddExtension(cert, ca, NID_subject_alt_name, "IP:127.0.0.1,DNS:localhost");
    AddExtension(cert, ca, NID_ext_key_usage, "serverAuth");
    AddExtension(cert, ca, NID_authority_key_identifier, "keyid:always");
    X509_sign(cert, caKey, EVP_sha256());

    TestAuthority a{folder + "/" + name + "-ca.pem", folder + "/" + name + "-cert.pem",
                    folder + "/" + name + "-key.pem"};
    WritePem(a.caFile, ca, nullptr);
    WritePem(a.certFile, cert, nullptr);
    WritePem(a.keyFile, nullptr, key);
    X509_free(cert);
    X509_free(ca);
    EVP_PKEY_free(key);
    EVP_PKEY_free(caKey);
    return a;
}

std::string HttpResponse(const std::string& body, int status, const std::string& contentType) {
    return "HTTP/1.1 " + std::to_string(status) + (status == 200 ? " OK" : " Error") +
           "\r\nContent-Type: " + contentType + "\r\nContent-Length: " + std::to_string(body.size()) +
           "\r\nConnection: close\r\n\r\n" + body;
}

void ClearProxyEnvironment() {
    for (const char* v : {"http_proxy", "https_proxy", "HTTP_PROXY", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
        unsetenv(v);
    setenv("no_proxy", "127.0.0.1,localhost", 1);
    setenv("NO_PROXY", "127.0.0.1,localhost", 1);
}

CLoopbackServer::CLoopbackServer(Handler handler, const TestAuthority* tls) : handler_(std::move(handler)) {
    std::signal(SIGPIPE, SIG_IGN);  // a client that hung up must not end the test
    if (tls != nullptr) {
        SSL_CTX* ctx = SSL_CTX_new(TLS_server_method());
        if (SSL_CTX_use_certificate_file(ctx, tls->certFile.c_str(), SSL_FILETYPE_PEM) != 1 ||
            SSL_CTX_use_PrivateKey_file(ctx, tls->keyFile.c_str(), SSL_FILETYPE_PEM) != 1)
            throw std::runtime_error("test server certificate");
        ssl_ = ctx;
    }
    if (pipe(wakeFds_) != 0) throw std::runtime_error("pipe");
    listenFd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    if (bind(listenFd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || listen(listenFd_, 8) != 0)
        throw std::runtime_error("listen");
    socklen_t len = sizeof addr;
    getsockname(listenFd_, reinterpret_cast<sockaddr*>(&addr), &len);
    port_ = ntohs(addr.sin_port);
    thread_ = std::thread([this] { Run(); });
}

CLoopbackServer::~CLoopbackServer() {
    const char c = 'x';
    [[maybe_unused]] auto w = ::write(wakeFds_[1], &c, 1);
    thread_.join();
    ::close(listenFd_);
    ::close(wakeFds_[0]);
    ::close(wakeFds_[1]);
    if (ssl_ != nullptr) SSL_CTX_free(static_cast<SSL_CTX*>(ssl_));
}

std::string CLoopbackServer::BaseUrl() const {
    return std::string(ssl_ != nullptr ? "https" : "http") + "://127.0.0.1:" + std::to_string(port_) + "/";
}

std::vector<ReceivedRequest> CLoopbackServer::Requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

bool CLoopbackServer::WaitForStop(int ms) const {
    pollfd p{wakeFds_[0], POLLIN, 0};
    return poll(&p, 1, ms) > 0;
}

void CLoopbackServer::Run() {
    for (;;) {
        pollfd p[2] = {{wakeFds_[0], POLLIN, 0}, {listenFd_, POLLIN, 0}};
        if (poll(p, 2, -1) < 0) continue;
        if (p[0].revents != 0) return;
        if (p[1].revents == 0) continue;
        const int fd = accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) continue;
        timeval tv{5, 0};
        setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
        Serve(fd);
        ::close(fd);
    }
}

void CLoopbackServer::Serve(int fd) {
    Connection c{fd};
    if (ssl_ != nullptr) {
        c.ssl = SSL_new(static_cast<SSL_CTX*>(ssl_));
        SSL_set_fd(c.ssl, fd);
        if (SSL_accept(c.ssl) != 1) {  // the client did not trust us
            SSL_free(c.ssl);
            return;
        }
    }
    std::string data;
    char buf[16384];
    std::size_t headerEnd = std::string::npos;
    while ((headerEnd = data.find("\r\n\r\n")) == std::string::npos) {
        const int n = c.Read(buf, sizeof buf);
        if (n <= 0) break;
        data.append(buf, static_cast<std::size_t>(n));
    }
    ReceivedRequest req;
    if (headerEnd != std::string::npos) {
        std::size_t pos = data.find("\r\n");
        const std::string first = data.substr(0, pos);
        req.method = first.substr(0, first.find(' '));
        req.target = first.substr(first.find(' ') + 1, first.rfind(' ') - first.find(' ') - 1);
        while (pos < headerEnd) {
            const std::size_t next = data.find("\r\n", pos + 2);
            const std::string line = data.substr(pos + 2, next - pos - 2);
            if (!line.empty()) {
                req.headerLines.push_back(line);
                const std::size_t colon = line.find(':');
                std::string value = colon == std::string::npos ? "" : line.substr(colon + 1);
                value.erase(0, value.find_first_not_of(' '));
                req.headers[Lower(line.substr(0, colon))] = value;
            }
            pos = next;
        }
        const std::size_t length = req.headers.count("content-length")
                                       ? std::strtoul(req.headers["content-length"].c_str(), nullptr, 10)
                                       : 0;
        req.body = data.substr(headerEnd + 4);
        while (req.body.size() < length) {
            const int n = c.Read(buf, sizeof buf);
            if (n <= 0) break;
            req.body.append(buf, static_cast<std::size_t>(n));
        }
        {
            std::lock_guard lock(mutex_);
            requests_.push_back(req);
        }
        const Reply reply = handler_(req);
        bool stop = false;
        if (reply.delayMs > 0) stop = WaitForStop(reply.delayMs);
        if (reply.neverAnswer) {
            // Until the client hangs up or the server stops.
            for (;;) {
                pollfd p[2] = {{wakeFds_[0], POLLIN, 0}, {fd, POLLIN, 0}};
                poll(p, 2, -1);
                if (p[0].revents != 0 || p[1].revents != 0) break;
            }
        } else if (!stop) {
            const std::size_t n =
                reply.cutAfter > 0 ? std::min(reply.cutAfter, reply.bytes.size()) : reply.bytes.size();
            c.Write(reply.bytes.data(), n);
        }
    }
    if (c.ssl != nullptr) {
        SSL_shutdown(c.ssl);
        SSL_free(c.ssl);
    }
}

}  // namespace r88::test
