#pragma once
// A scripted web for core tests: bodies set per address (or files of a
// folder), handed over in blocks of a chosen size; every request recorded.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "state/http.h"

namespace sextrix::testing {

class FakeHttp : public Http {
public:
    // What one address answers. The body is handed over first (the whole of
    // it on success, what came before the failure otherwise), then the
    // status, error or time-out ends the download.
    struct Answer {
        int status = 200;
        std::string body;
        std::string error;     // a failure of the connection, e.g. "Connection refused"
        bool timeOut = false;  // the server falls silent after the body
        // When not 0, the body is this many bytes of "0123456789" repeated,
        // made block by block: a download the caller has to stop.
        std::uint64_t hugeBytes = 0;

        static Answer withBody(int status, std::string body) {
            Answer answer;
            answer.status = status;
            answer.body = std::move(body);
            return answer;
        }
    };

    void serve(const std::string& url, std::string body) { answers[url] = Answer::withBody(200, std::move(body)); }
    void answer(const std::string& url, Answer scripted) { answers[url] = std::move(scripted); }
    // Addresses beginning with urlPrefix serve the file named by the rest,
    // e.g. "http://cat.test/" + "stars.txt" -> folder/stars.txt.
    void serveFolder(const std::string& urlPrefix, const std::string& folder) { folders[urlPrefix] = folder; }

    // Anything else answers 404. A status of 300 or more hands over no body.
    HttpResult get(const HttpRequest& request, const BlockSink& onBlock) override;

    std::size_t blockSize = 4096;
    std::map<std::string, Answer> answers;
    std::map<std::string, std::string> folders;
    std::vector<HttpRequest> requests;
};

}  // namespace sextrix::testing
