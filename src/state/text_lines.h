#pragma once
// Line handling of the program's text files. Lines are written with CR LF.
// The settings files (defaut.cfg, config.cfg) are read with LineEnds::Any,
// as an editor may have saved them with LF or CR; the rest with the default,
// CrOrCrLf, where a lone LF is an ordinary character of the line (the star
// answer relies on this: its LF-separated records arrive as one long line; a
// language entry keeps a lone LF inside it; a project saved with LF only is
// refused as one line).
#include <string>
#include <string_view>
#include <vector>

namespace sextrix {

enum class LineEnds {
    CrOrCrLf,  // a lone LF stays in the line
    Any,       // CR LF, LF or CR
};

// Reads lines one at a time from bytes held in memory.
class LineReader {
public:
    explicit LineReader(std::string bytes, LineEnds ends = LineEnds::CrOrCrLf)
        : bytes_(std::move(bytes)), ends_(ends) {}

    bool atEnd() const { return pos_ >= bytes_.size(); }
    // The next line without its terminator; throws EndOfFileError at the end.
    std::string readLine();

private:
    std::string bytes_;
    LineEnds ends_;
    std::size_t pos_ = 0;
};

std::vector<std::string> splitLines(std::string_view bytes, LineEnds ends = LineEnds::CrOrCrLf);

// Each line followed by CR LF.
std::string joinLinesCrLf(const std::vector<std::string>& lines);

// The words of a text (split at blanks) gathered onto lines of at most
// `width` characters; a longer word stands on a line of its own.
std::vector<std::string> wordLines(std::string_view text, std::size_t width);

// The text without the blanks and tabs around it.
std::string trimmedText(std::string_view text);

// The text with A-Z made a-z and every other byte as it is, whatever the
// locale: keywords, tags, protocol names and file extensions are ASCII.
std::string asciiLower(std::string_view text);

}  // namespace sextrix
