#include "temp_folder.h"

#include <unistd.h>
#include <atomic>
#include <filesystem>

#include "state/text_file.h"

namespace sextrix::testing {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    static std::atomic<int> counter{0};
    path_ =
        (fs::temp_directory_path() / ("sextrix-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++)))
            .string();
    fs::remove_all(path_);
    fs::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

void TempFolder::write(const std::string& name, const std::string& bytes) const { writeFileBytes(file(name), bytes); }

std::string TempFolder::read(const std::string& name) const { return readFileBytes(file(name)).value(); }

std::string dataFolder() { return SEXTRIX_DATA_DIR; }
std::string dataFile(const std::string& name) { return dataFolder() + "/" + name; }

}  // namespace sextrix::testing
