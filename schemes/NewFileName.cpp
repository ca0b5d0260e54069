#include "NewFileName.h"

#include "StringOps.h"

namespace {

bool IsUnsafeNameChar(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return c == '/' || byte < 0x20 || byte == 0x7F;
}

// Latin-1 characters from 0x80 up take two bytes in the UTF-8 name on disk.
std::size_t DiskBytes(char c)
{
    return static_cast<unsigned char>(c) < 0x80 ? 1 : 2;
}

std::size_t DiskBytes(const std::string& text)
{
    std::size_t bytes = 0;
    for (const char c : text)
        bytes += DiskBytes(c);
    return bytes;
}

std::string CutToDiskBytes(std::string text, std::size_t limit)
{
    std::size_t bytes = DiskBytes(text);
    while (bytes > limit) {
        bytes -= DiskBytes(text.back());
        text.pop_back();
    }
    return text;
}

// The new extension is ".mp" and the old name's last character, so ".mp2" stays ".mp2".
std::string NewExtension(const std::string& oldName)
{
    return ReplaceUnsafeNameChars(".mp" + (oldName.empty() ? std::string("3") : oldName.substr(oldName.size() - 1)));
}

} // namespace

std::string ReplaceUnsafeNameChars(const std::string& text)
{
    std::string safe = text;
    for (char& c : safe)
        if (IsUnsafeNameChar(c))
            c = '_';
    return safe;
}

std::string NewFileName(const std::string& stem, const std::string& oldName)
{
    const std::string extension = NewExtension(oldName);
    std::string base = StripExtension(ReplaceUnsafeNameChars(stem));
    if (base.empty())
        base = StripExtension(ReplaceUnsafeNameChars(oldName));
    if (base.empty())
        base.push_back('_');
    return CutToDiskBytes(base, MaxFileNameBytes - DiskBytes(extension)) + extension;
}
