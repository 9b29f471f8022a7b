#include "text_lines.h"

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

}  // namespace sextrix
