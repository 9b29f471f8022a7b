#pragma once
// HTTP GET for the catalogue downloads, the body handed over in blocks as it
// arrives: the caller writes each block to its file and yields to the event
// loop there, so the windows stay alive during a long download and a Cancel
// can be seen. Qt implements it in ui/; tests use a fake serving set bodies.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace sextrix {

struct HttpRequest {
    std::string url;  // http:// or https://
    std::string userAgent = "VB OpenUrl";
    // Always from the server: nothing read from a cache or kept in one, and
    // the server and proxies are asked for a fresh answer too.
    bool noCache = true;
    // The longest wait for the server, in ms: for the answer to begin, then
    // between two blocks. 0 or less waits for ever.
    int timeoutMs = 30000;
    // Asked while the server is silent, a few times a second: true stops the
    // download as a callback returning false does (a Cancel pressed while no
    // block arrives). Empty: only the callback can cancel.
    std::function<bool()> cancelRequested;
};

struct HttpResult {
    int status = 0;           // the HTTP status of the last answer (after redirects); 0 when none came
    std::string error;        // empty when the whole body was received
    bool cancelled = false;   // the block callback returned false, or cancelRequested said so
    bool timedOut = false;    // the server went quiet for longer than the time-out
    std::uint64_t bytes = 0;  // body bytes handed to the callback
    // The start of the body of a refusal (status 400 or more): the server's
    // own words, at most kErrorBodyBytes, never handed to the callback.
    std::string errorBody;
    static constexpr std::size_t kErrorBodyBytes = 4096;

    bool ok() const { return error.empty(); }
};

class Http {
public:
    virtual ~Http() = default;

    // Receives one block of the body; returning false cancels the download.
    using BlockSink = std::function<bool(std::string_view block)>;

    // Runs the GET until the body is complete, the request fails, times out
    // or is cancelled, calling onBlock once per block received. Redirects are
    // followed. A status of 400 or more (or a redirect that could not be
    // followed) is a failure, and the body of such an answer (an error page)
    // is not handed over: its start is kept in the result's errorBody. An empty body is a success with no block. Never
    // throws for a failed request; the description is in the result's error.
    virtual HttpResult get(const HttpRequest& request, const BlockSink& onBlock) = 0;
};

// The error texts of a result, the same whichever implementation answers.
inline std::string httpStatusError(int status, std::string_view reason) {
    std::string text = "HTTP " + std::to_string(status);
    if (!reason.empty()) text += " " + std::string(reason);
    return text;
}
inline std::string httpTimeoutError(int timeoutMs) {
    return "No answer from the server for " + std::to_string(timeoutMs) + " ms";
}
inline std::string httpCancelledError() { return "Download cancelled"; }

}  // namespace sextrix
