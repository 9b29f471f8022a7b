#include "fake_http.h"

#include <algorithm>
#include <filesystem>

#include "state/text_file.h"

namespace sextrix::testing {

namespace {

const FakeHttp::Answer kNotFound = FakeHttp::Answer::withBody(404, "<html>Not Found</html>");

std::string reasonOf(int status) {
    switch (status) {
        case 200: return "OK";
        case 403: return "Forbidden";
        case 404: return "Not Found";
        case 500: return "Internal Server Error";
        case 503: return "Service Unavailable";
        default: return "";
    }
}

}  // namespace

HttpResult FakeHttp::get(const HttpRequest& request, const BlockSink& onBlock) {
    requests.push_back(request);
    Answer answer = kNotFound;
    if (auto it = answers.find(request.url); it != answers.end()) {
        answer = it->second;
    } else {
        for (const auto& [prefix, folder] : folders) {
            if (request.url.rfind(prefix, 0) != 0) continue;
            const std::string path = folder + "/" + request.url.substr(prefix.size());
            if (std::filesystem::is_regular_file(path)) answer = Answer::withBody(200, readFileBytes(path).value());
        }
    }

    HttpResult result;
    const std::uint64_t size = answer.status >= 300 ? 0 : answer.hugeBytes ? answer.hugeBytes : answer.body.size();
    // A server that fails before sending a byte has sent no status either.
    if (size > 0 || (answer.error.empty() && !answer.timeOut)) result.status = answer.status;
    const std::size_t step = std::max<std::size_t>(blockSize, 1);
    std::string block;
    while (result.bytes < size) {
        const std::size_t length = static_cast<std::size_t>(std::min<std::uint64_t>(step, size - result.bytes));
        if (answer.hugeBytes) {
            block.resize(length);
            for (std::size_t k = 0; k < length; ++k) block[k] = static_cast<char>('0' + (result.bytes + k) % 10);
        } else {
            block = answer.body.substr(static_cast<std::size_t>(result.bytes), length);
        }
        result.bytes += length;
        if (!onBlock(block)) {
            result.cancelled = true;
            result.error = httpCancelledError();
            return result;
        }
    }
    if (answer.timeOut) {
        result.timedOut = true;
        result.error = httpTimeoutError(request.timeoutMs);
    } else if (!answer.error.empty()) {
        result.error = answer.error;
    } else if (answer.status >= 300) {
        result.error = httpStatusError(answer.status, reasonOf(answer.status));
        if (answer.status >= 400) result.errorBody = answer.body.substr(0, HttpResult::kErrorBodyBytes);
    }
    return result;
}

}  // namespace sextrix::testing
