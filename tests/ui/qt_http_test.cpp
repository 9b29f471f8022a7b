// The Qt download against a small HTTP server of the test's own on
// 127.0.0.1. The server lives on the test's thread: the download's local
// event loop serves it too.
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <map>
#include <string>
#include <vector>

#include "qtio/qt_http.h"

namespace sextrix::qtio {
namespace {

// Every byte value, in a body large enough to come in several reads.
const std::string& sampleBody() {
    static const std::string body = [] {
        std::string b(300000, '\0');
        for (std::size_t i = 0; i < b.size(); ++i) b[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
        return b;
    }();
    return body;
}

// Answers by path: /body (the sample in four writes 20 ms apart), /moved
// (a redirect to /body), /empty, /missing (404) and /silent (never answers).
class LocalServer {
public:
    LocalServer() {
        server_.listen(QHostAddress::LocalHost);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { read(socket); });
            }
        });
    }

    std::string url(const std::string& path) const {
        return "http://127.0.0.1:" + std::to_string(server_.serverPort()) + path;
    }

    std::vector<std::string> requestHeads;
    int bodiesSent = 0;  // /body answers written to their end

private:
    void read(QTcpSocket* socket) {
        std::string& head = pending_[socket];
        head += socket->readAll().toStdString();
        if (head.find("\r\n\r\n") == std::string::npos) return;
        requestHeads.push_back(head);
        const std::string path = head.substr(4, head.find(' ', 4) - 4);  // "GET <path> HTTP/1.1"
        head.clear();
        answer(socket, path);
    }

    static void send(QTcpSocket* socket, const std::string& bytes, bool last) {
        socket->write(bytes.data(), static_cast<qint64>(bytes.size()));
        if (last) socket->disconnectFromHost();  // after what is written has gone
    }

    void answer(QTcpSocket* socket, const std::string& path) {
        const std::string close = "Connection: close\r\n\r\n";
        if (path == "/body") {
            const std::string& body = sampleBody();
            send(socket, "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n" + close, false);
            const std::size_t quarter = body.size() / 4;
            for (int k = 0; k < 4; ++k)
                QTimer::singleShot(20 * k, socket, [this, socket, k, quarter, &body] {
                    send(socket, k < 3 ? body.substr(k * quarter, quarter) : body.substr(3 * quarter), k == 3);
                    bodiesSent += k == 3;
                });
        } else if (path == "/moved") {
            send(socket, "HTTP/1.1 302 Found\r\nLocation: /body\r\nContent-Length: 0\r\n" + close, true);
        } else if (path == "/empty") {
            send(socket, "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n" + close, true);
        } else if (path == "/missing") {
            send(socket, "HTTP/1.1 404 Not Found\r\nContent-Length: 12\r\n" + close + "no such page", true);
        }
    }

    QTcpServer server_;
    std::map<QTcpSocket*, std::string> pending_;
};

enum class Body { Whole, None, FirstBlockOnly };

struct GetRow {
    const char* name;
    const char* target;  // a path on the local server, or a whole address
    int timeoutMs;
    bool cancelAtFirstBlock;
    int status;
    const char* errorHas;  // "" for success
    bool cancelled, timedOut;
    Body body;
};

std::ostream& operator<<(std::ostream& os, const GetRow& row) { return os << row.name; }

class QtHttpGet : public ::testing::TestWithParam<GetRow> {};

TEST_P(QtHttpGet, HandsTheBodyOverInBlocks) {
    const GetRow& row = GetParam();
    LocalServer server;
    QtHttp http;
    const std::string target = row.target;
    HttpRequest request;
    request.url = target.front() == '/' ? server.url(target) : target;
    request.timeoutMs = row.timeoutMs;

    std::vector<std::string> blocks;
    const HttpResult result = http.get(request, [&](std::string_view block) {
        blocks.emplace_back(block);
        QCoreApplication::processEvents();  // the caller's yield
        return !row.cancelAtFirstBlock;
    });

    EXPECT_EQ(result.status, row.status);
    EXPECT_EQ(result.cancelled, row.cancelled);
    EXPECT_EQ(result.timedOut, row.timedOut);
    if (*row.errorHas == '\0')
        EXPECT_EQ(result.error, "");
    else
        EXPECT_NE(result.error.find(row.errorHas), std::string::npos) << result.error;

    std::string received;
    for (const auto& block : blocks) received += block;
    EXPECT_EQ(result.bytes, received.size());
    switch (row.body) {
        case Body::Whole:
            EXPECT_TRUE(received == sampleBody()) << received.size() << " bytes of " << sampleBody().size();
            EXPECT_GT(blocks.size(), 1u);
            break;
        case Body::None: EXPECT_TRUE(blocks.empty()) << blocks.size() << " blocks"; break;
        case Body::FirstBlockOnly:
            ASSERT_EQ(blocks.size(), 1u);
            EXPECT_LT(received.size(), sampleBody().size());
            EXPECT_EQ(received, sampleBody().substr(0, received.size()));
            EXPECT_EQ(server.bodiesSent, 0) << "the download went on after the cancel";
            break;
    }
    if (target.front() == '/') {
        EXPECT_FALSE(server.requestHeads.empty());
    }
    for (const auto& head : server.requestHeads) {
        EXPECT_NE(head.find("\r\nUser-Agent: VB OpenUrl\r\n"), std::string::npos) << head;
        EXPECT_NE(head.find("\r\nCache-Control: no-cache\r\n"), std::string::npos) << head;
    }
}

// A Cancel pressed while the server sends nothing ends the wait before the
// time-out.
TEST(QtHttpCancel, StopsASilentServerWhenAsked) {
    LocalServer server;
    QtHttp http;
    HttpRequest request;
    request.url = server.url("/silent");
    request.timeoutMs = 20000;
    int asked = 0;
    request.cancelRequested = [&] { return ++asked >= 3; };
    const HttpResult result = http.get(request, [](std::string_view) { return true; });
    EXPECT_TRUE(result.cancelled);
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(result.error, httpCancelledError());
    EXPECT_EQ(asked, 3);
}

INSTANTIATE_TEST_SUITE_P(
    LocalServer, QtHttpGet,
    ::testing::Values(
        GetRow{"WholeBody", "/body", 5000, false, 200, "", false, false, Body::Whole},
        GetRow{"RedirectFollowed", "/moved", 5000, false, 200, "", false, false, Body::Whole},
        GetRow{"EmptyBodyIsASuccess", "/empty", 5000, false, 200, "", false, false, Body::None},
        GetRow{"NotFound", "/missing", 5000, false, 404, "404 Not Found", false, false, Body::None},
        GetRow{"CancelFromTheCallback", "/body", 5000, true, 200, "cancel", true, false, Body::FirstBlockOnly},
        GetRow{"SilentServerTimesOut", "/silent", 300, false, 0, "300 ms", false, true, Body::None},
        GetRow{"NotAWebAddress", "ftp://127.0.0.1/x", 5000, false, 0, "Not a web address", false, false, Body::None}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sextrix::qtio
