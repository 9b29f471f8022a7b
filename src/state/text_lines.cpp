#include "text_lines.h"

#include "errors.h"

namespace sextrix {

std::string LineReader::readLine() {
    if (atEnd()) throw EndOfFileError();
    const std::size_t cr = bytes_.find('\r', pos_);
    if (cr == std::string::npos) {
        std::string line = bytes_.substr(pos_);
        pos_ = bytes_.size();
        return line;
    }
    std::string line = bytes_.substr(pos_, cr - pos_);
    pos_ = cr + 1;
    if (pos_ < bytes_.size() && bytes_[pos_] == '\n') ++pos_;
    return line;
}

std::vector<std::string> splitLines(std::string_view bytes) {
    LineReader reader{std::string(bytes)};
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

}  // namespace sextrix
