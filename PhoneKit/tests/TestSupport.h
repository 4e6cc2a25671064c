#pragma once

#include "PhoneKit/numbers/PhoneExtractor.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace PhoneKit::testing {

inline const Region& region(const char* id) {
    static const std::vector<Region>& all = Region::all();
    for (const Region& row : all) {
        if (row.id == id) return row;
    }
    throw std::invalid_argument(id);
}

inline PhoneNumber mobile(std::string digits) { return {std::move(digits), PhoneNumber::Kind::mobile}; }
inline PhoneNumber landline(std::string digits) { return {std::move(digits), PhoneNumber::Kind::landline}; }
inline PhoneNumber other(std::string digits) { return {std::move(digits), PhoneNumber::Kind::other}; }

using Numbers = std::vector<PhoneNumber>;

inline void write(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string read(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

/// A fresh folder under the system's temporary one, removed with all it holds.
class TemporaryFolder {
public:
    TemporaryFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tovu-test-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                     ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace PhoneKit::testing
