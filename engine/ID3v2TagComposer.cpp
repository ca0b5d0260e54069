#include "ID3v2TagComposer.h"

#include "ID3v2Size.h"

#include <algorithm>

namespace {

constexpr std::uint8_t Experimental = 0x20;
constexpr std::uint8_t Footer = 0x10;

std::uint8_t WrittenFlags(const ID3v2Frames& frames, std::uint8_t tagFlags)
{
    if (frames.Version() != frames.WriteVersion())
        return 0;
    return tagFlags & (frames.WriteVersion() == 4 ? Experimental | Footer : Experimental);
}

void PutHeader(std::uint8_t* at, const char* identifier, std::uint8_t version, std::uint8_t revision,
               std::uint8_t flags, std::uint32_t size)
{
    std::copy_n(identifier, 3, at);
    at[3] = version;
    at[4] = revision;
    at[5] = flags;
    const ID3v2Size::SizeBytes bytes = ID3v2Size::PackSynchsafeSize(size);
    std::copy(bytes.begin(), bytes.end(), at + 6);
}

} // namespace

std::optional<std::vector<std::uint8_t>> ComposeID3v2Tag(const ID3v2Frames& frames, std::uint8_t revision,
                                                         std::uint8_t tagFlags, const ID3v2Placement& placement)
{
    // A tag area reaching into the ID3v1 tag at the end (or past the file) cannot be right: moving the audio
    // behind it would cut the ID3v1 tag in two.
    const std::uint64_t id3v1 = placement.HasID3v1 ? ID3v2Size::ID3v1Size : 0;
    if (!frames.IsWritable() || frames.HasDeferredBodies() || placement.TagSize + id3v1 > placement.FileSize)
        return std::nullopt;
    const std::uint8_t version = frames.WriteVersion();
    const std::uint8_t flags = WrittenFlags(frames, tagFlags);
    const bool hasFooter = flags & Footer;
    const std::uint64_t required = ID3v2Size::RequiredID3v2Size(frames.FramesSize(), hasFooter);
    const std::uint64_t area =
        ID3v2Size::TagAreaSize(required, placement.FileSize, placement.TagSize, placement.HasID3v1);
    const std::uint64_t sizeField = area - ID3v2Size::HeaderSize - (hasFooter ? ID3v2Size::FooterSize : 0);
    if (sizeField > ID3v2Size::MaxSynchsafeSize)
        return std::nullopt;

    std::vector<std::uint8_t> tag(ID3v2Size::HeaderSize);
    const std::uint8_t writtenRevision = frames.Version() == version ? revision : 0;
    PutHeader(tag.data(), "ID3", version, writtenRevision, flags, static_cast<std::uint32_t>(sizeField));
    const std::vector<std::uint8_t> body = frames.Render();
    tag.insert(tag.end(), body.begin(), body.end());
    tag.resize(area, 0);
    if (hasFooter)
        PutHeader(tag.data() + area - ID3v2Size::FooterSize, "3DI", version, writtenRevision, flags,
                  static_cast<std::uint32_t>(sizeField));
    return tag;
}
