#include "answer_fetch.h"

#include "service_text.h"

namespace sextrix {
namespace {

FetchFailure failureOf(const HttpResult& result) {
    if (result.cancelled) return FetchFailure::Cancelled;
    if (result.timedOut) return FetchFailure::TimedOut;
    if (result.status >= 300 || (result.ok() && result.status != 200)) return FetchFailure::HttpStatus;
    return result.ok() ? FetchFailure::None : FetchFailure::Transport;
}

}  // namespace

FetchedAnswer fetchAnswer(Http& http, const HttpRequest& request, std::uint64_t maxBytes,
                          const std::function<AnswerOutcome(std::string body)>& accept,
                          const std::function<bool(std::uint64_t received)>& progress) {
    FetchedAnswer fetched;
    std::string body;
    bool tooLarge = false;
    const HttpResult result = http.get(request, [&](std::string_view block) {
        fetched.bytes += block.size();
        if (fetched.bytes > maxBytes) return !(tooLarge = true);
        body.append(block);
        return !progress || progress(fetched.bytes);
    });
    fetched.status = result.status;
    fetched.answered = result.cancelled || result.status != 0 || result.bytes != 0;
    if (tooLarge) {
        fetched.failure = FetchFailure::TooLarge;
        return fetched;
    }
    fetched.failure = failureOf(result);
    if (fetched.failure != FetchFailure::None) {
        fetched.detail = result.error;
        fetched.serviceWords = serviceMessage(result.errorBody);
        return fetched;
    }
    // Kept for the service's words, should the acceptance not take it.
    const std::string received = body;
    AnswerOutcome accepted = accept ? accept(std::move(body)) : AnswerOutcome(AcceptedAnswer{std::move(body), {}});
    if (accepted) {
        fetched.answer = std::move(*accepted);
        return fetched;
    }
    const bool notAnAnswer = accepted.error().cause == kNotAnAnswer;
    fetched.failure = notAnAnswer ? FetchFailure::NotAnAnswer : FetchFailure::Rejected;
    fetched.detail = accepted.error().cause;
    if (notAnAnswer) fetched.serviceWords = serviceMessage(received);
    return fetched;
}

std::string fetchFailureText(const FetchedAnswer& fetched, const FetchWords& words, int timeoutSeconds,
                             std::uint64_t maxBytes) {
    std::string text;
    switch (fetched.failure) {
        case FetchFailure::None: return {};
        case FetchFailure::Cancelled: text = words.cancelled; break;
        case FetchFailure::TimedOut: text = words.silentFor + " " + std::to_string(timeoutSeconds) + " s"; break;
        case FetchFailure::HttpStatus: text = words.httpStatus(fetched.status); break;
        case FetchFailure::Transport: text = fetched.detail; break;
        case FetchFailure::TooLarge: return words.tooLarge + " (> " + words.size(maxBytes) + ")";
        case FetchFailure::NotAnAnswer: text = words.notAnAnswer; break;
        case FetchFailure::Rejected: return fetched.detail;
    }
    return fetched.serviceWords.empty() ? text : text + ": \"" + fetched.serviceWords + "\"";
}

}  // namespace sextrix
