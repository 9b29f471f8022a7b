#pragma once
// A small HTTP server on 127.0.0.1 (a free port) for window tests: every GET
// is answered by the test's handler, whole, then the connection closes. It
// lives on the test's thread, so the program's own event loops serve it.
#include <QTcpServer>
#include <QTcpSocket>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "state/text_file.h"
#include "ui_support.h"

namespace sextrix::testing {

class LocalHttpServer {
public:
    struct Reply {
        int status = 200;
        std::string body;
    };
    using Handler = std::function<Reply(const std::string& path)>;

    explicit LocalHttpServer(Handler handler) : handler_(std::move(handler)) {
        server_.listen(QHostAddress::LocalHost);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection())
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { read(socket); });
        });
    }

    std::string base() const { return "http://127.0.0.1:" + std::to_string(server_.serverPort()); }
    std::vector<std::string> paths;  // requested, in order

private:
    void read(QTcpSocket* socket) {
        std::string& head = pending_[socket];
        head += socket->readAll().toStdString();
        if (head.find("\r\n\r\n") == std::string::npos) return;
        const std::string path = head.substr(4, head.find(' ', 4) - 4);  // "GET <path> HTTP/1.1"
        head.clear();
        paths.push_back(path);
        const Reply reply = handler_(path);
        const std::string bytes = "HTTP/1.1 " + std::to_string(reply.status) +
                                  " X\r\nContent-Length: " + std::to_string(reply.body.size()) +
                                  "\r\nConnection: close\r\n\r\n" + reply.body;
        socket->write(bytes.data(), static_cast<qint64>(bytes.size()));
        socket->disconnectFromHost();
    }

    Handler handler_;
    QTcpServer server_;
    std::map<QTcpSocket*, std::string> pending_;
};

// A program folder for the demo field whose star service is a local server
// answering every USNO-A query with the demo's own answer (English
// interface, no asteroid service).
struct LocalDemoService {
    LocalDemoService();
    std::string answer;
    LocalHttpServer server;
    TempFolder folder;
};

inline LocalDemoService::LocalDemoService()
    : answer(readFileBytes(dataFile("demo/data.txt")).value()), server([this](const std::string& path) {
          if (path.rfind("/skycat/servers/usnoa_res?", 0) == 0) return LocalHttpServer::Reply{200, answer};
          return LocalHttpServer::Reply{404, "no such page"};
      }) {
    installDataFiles(folder, {"lang-fr.cfg", "lang-en.cfg", "deepobj1.txt", "deepobj2.txt"});
    folder.write("lang.cfg", readFileBytes(dataFile("lang-en.cfg")).value());
    folder.write("hosts.cfg", "star=usnoa:" + server.base() + "\r\ntimeout=10\r\n");
    std::filesystem::create_directory(folder.file("demo"));
    folder.write("demo/m67.jpg", readFileBytes(dataFile("demo/m67.jpg")).value());
}

}  // namespace sextrix::testing
