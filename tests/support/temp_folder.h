#pragma once
// Temporary program folders and the shipped data folder, for tests and
// benchmarks that read and write files.
#include <string>

namespace sextrix::testing {

// A temporary program folder, removed at the end of the test.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    void write(const std::string& name, const std::string& bytes) const;
    std::string read(const std::string& name) const;

private:
    std::string path_;
};

// The shipped data folder (data/ of the source tree).
std::string dataFolder();
std::string dataFile(const std::string& name);

}  // namespace sextrix::testing
