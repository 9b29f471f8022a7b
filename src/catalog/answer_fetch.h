#pragma once
// One service answer fetched over HTTP: the body gathered block by block
// within a size cap, then handed to the service's acceptance, and why it did
// not come when it did not. The window and the command-line solver fetch
// through it; each says a failure in its own words (fetchFailureText).
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "download_protocols.h"
#include "state/http.h"

namespace sextrix {

// A full star answer is about 270 KB; anything past this is not one.
constexpr std::uint64_t kMaxAnswerBytes = std::uint64_t{16} << 20;

enum class FetchFailure {
    None,
    Cancelled,    // the progress callback or the request's cancelRequested said stop
    TimedOut,     // the server fell silent for longer than the request's time-out
    HttpStatus,   // the server refused: status in `status`
    Transport,    // no answer at all (host not found, connection refused...): `detail`
    TooLarge,     // the body grew beyond the cap
    NotAnAnswer,  // the acceptance did not recognise the body as an answer
    Rejected,     // the acceptance refused it for a reason of its own: `detail`
};

struct FetchedAnswer {
    FetchFailure failure = FetchFailure::None;
    int status = 0;                        // the HTTP status, when one came
    std::string detail;                    // see FetchFailure
    std::string serviceWords;              // what the server said instead of an answer, if anything
    bool answered = true;                  // the server said something, even a refusal
    std::uint64_t bytes = 0;               // body bytes received
    std::optional<AcceptedAnswer> answer;  // when failure is None
};

// progress(bytes received so far) runs after each block; false cancels.
// accept: none takes any body as it is.
FetchedAnswer fetchAnswer(Http& http, const HttpRequest& request, std::uint64_t maxBytes,
                          const std::function<AnswerOutcome(std::string body)>& accept,
                          const std::function<bool(std::uint64_t received)>& progress = {});

// The words of a failure; the defaults are English, the window gives its
// language's.
struct FetchWords {
    std::string cancelled = "download cancelled";
    std::string silentFor = "no answer from the server for";  // followed by " 30 s"
    std::string tooLarge = "answer too large";                // followed by " (> 16384 KB)"
    std::string notAnAnswer = std::string(kNotAnAnswer);
    std::function<std::string(int status)> httpStatus = [](int status) { return httpStatusError(status, {}); };
    std::function<std::string(std::uint64_t bytes)> size = [](std::uint64_t bytes) {
        return std::to_string(bytes / 1024) + " KB";
    };
};

// "answer too large (> 16384 KB)", or "HTTP 404: \"what the service said\""...;
// empty for a fetch that did not fail. timeoutSeconds is the request's.
std::string fetchFailureText(const FetchedAnswer& fetched, const FetchWords& words, int timeoutSeconds,
                             std::uint64_t maxBytes);

}  // namespace sextrix
