#pragma once
// Line handling of the program's text files: a line ends at CR or at CR LF;
// a lone LF is an ordinary character of the line (the catalogue answer relies
// on this: its LF-separated records arrive as one long line). Lines are
// written with CR LF.
#include <string>
#include <string_view>
#include <vector>

namespace sextrix {

// Reads lines one at a time from bytes held in memory.
class LineReader {
public:
    explicit LineReader(std::string bytes) : bytes_(std::move(bytes)) {}

    bool atEnd() const { return pos_ >= bytes_.size(); }
    // The next line without its terminator; throws EndOfFileError at the end.
    std::string readLine();

private:
    std::string bytes_;
    std::size_t pos_ = 0;
};

std::vector<std::string> splitLines(std::string_view bytes);

// Each line followed by CR LF.
std::string joinLinesCrLf(const std::vector<std::string>& lines);

}  // namespace sextrix
