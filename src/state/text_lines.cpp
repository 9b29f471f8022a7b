#include "text_lines.h"

#include <algorithm>
#include <utility>

#include "errors.h"

namespace sextrix {

std::string LineReader::readLine() {
    if (atEnd()) throw EndOfFileError();
    const std::size_t end = bytes_.find_first_of(ends_ == LineEnds::Any ? "\r\n" : "\r", pos_);
    if (end == std::string::npos) {
        std::string line = bytes_.substr(pos_);
        pos_ = bytes_.size();
        return line;
    }
    std::string line = bytes_.substr(pos_, end - pos_);
    pos_ = end + 1;
    if (bytes_[end] == '\r' && pos_ < bytes_.size() && bytes_[pos_] == '\n') ++pos_;
    return line;
}

std::vector<std::string> splitLines(std::string_view bytes, LineEnds ends) {
    LineReader reader{std::string(bytes), ends};
    std::vector<std::string> lines;
    while (!reader.atEnd()) lines.push_back(reader.readLine());
    return lines;
}

std::string joinLinesCrLf(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

std::vector<std::string> wordLines(std::string_view text, std::size_t width) {
    std::vector<std::string> lines;
    std::string line;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = std::min(text.find(' ', start), text.size());
        const std::string_view word = text.substr(start, end - start);
        start = end + 1;
        if (word.empty()) continue;
        if (!line.empty() && line.size() + 1 + word.size() > width) lines.push_back(std::exchange(line, {}));
        if (!line.empty()) line += ' ';
        line += word;
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

std::string trimmedText(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

std::string asciiLower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

}  // namespace sextrix
