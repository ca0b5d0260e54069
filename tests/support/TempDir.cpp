#include "TempDir.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "vellum-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    Path = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    // A test may leave read-only entries behind; give write permission back so removal works as a normal user.
    for (auto& entry : std::filesystem::recursive_directory_iterator(Path, ignored))
        std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(Path, ignored);
}

bool TempDir::HasTemporaryFile() const
{
    return std::ranges::any_of(std::filesystem::recursive_directory_iterator(Path), [](const auto& entry) {
        const std::string name = entry.path().filename().string();
        return name.starts_with("TMP") && name.ends_with(".$$$");
    });
}

Bytes readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const std::filesystem::path& path, const Bytes& content)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(content.data()), static_cast<std::streamsize>(content.size()));
}

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

Bytes Slice(const Bytes& data, std::size_t from, std::size_t count)
{
    from = std::min(from, data.size());
    count = std::min(count, data.size() - from);
    return Bytes(data.begin() + static_cast<std::ptrdiff_t>(from),
                 data.begin() + static_cast<std::ptrdiff_t>(from + count));
}
