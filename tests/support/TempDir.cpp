#include "support/TempDir.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace fs = std::filesystem;

namespace testsupport {
namespace {

const char kSeparator = static_cast<char>(fs::path::preferred_separator);

}  // namespace

TempDir::TempDir() {
    static std::atomic<unsigned> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    std::ostringstream name;
    name << "trevand-test-" << std::hex << stamp << "-" << counter++;
    const fs::path path = fs::temp_directory_path() / name.str();
    fs::create_directories(path);
    m_path = path.string();
}

TempDir::TempDir(const std::string& path, bool keep) : m_path(path), m_keep(keep) {
    std::error_code ignored;
    fs::create_directories(path, ignored);
}

TempDir::~TempDir() {
    if (m_keep) {
        return;
    }
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
}

std::string TempDir::File(const std::string& name) const { return JoinPath(m_path, name); }

std::string JoinPath(const std::string& dir, const std::string& name) { return dir + kSeparator + name; }

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool FileExists(const std::string& path) {
    std::error_code ignored;
    return fs::exists(path, ignored);
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

}  // namespace testsupport
