#pragma once

#include "FrameAreaSource.h"
#include "FrameTable.h"
#include "RawFrame.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The frames of one ID3v2 tag: one slot per frame-ID table entry, holding the last frame of that ID (for "COMM"
// the last without a description, else the first), and beside them every other frame read (IDs outside the
// table, other frames of an ID that occurs more than once) as a pass-through frame that is written back
// unchanged.
//
// Write order: the pass-through frames in the order they were read, then the slot frames in table order; a comment
// with a description in the slot goes first of all. Each slot frame is thus where a re-read looks for it, and a
// re-read finds in the slots what was written from them.
//
// Texts are UTF-8. Every frame the setters make has flags 00 00 and the text encoding that
// TextEncoding::EncodingFor gives its texts: ISO-8859-1 whenever they fit it.
class ID3v2Frames {
public:
    // Loads the frame area: the bytes behind the header and extended header, up to the end of the tag or the end
    // of the file, whichever is first. Nothing past `size` is read. `version` and `tagFlags` are the header's
    // version and flag bytes. After reading only a header, Load(nullptr, 0, version, flags) records the version.
    void Load(const std::uint8_t* area, std::size_t size, std::uint8_t version, std::uint8_t tagFlags);
    // The same from a source that may leave large binary bodies in the file (see RawFrame).
    void Load(FrameAreaSource& area, std::size_t size, std::uint8_t version, std::uint8_t tagFlags);
    // Empties every slot, the pass-through frames and the version (a new tag).
    void ClearFrames();

    // The version read (0 for a new tag) and the version the frames are written as: 4 stays 4, all else is 3.
    std::uint8_t Version() const { return ReadVersion; }
    std::uint8_t WriteVersion() const;
    // False when the tag read holds frames that cannot be written back (see FrameArea::Writable): writing it
    // would lose them.
    bool IsWritable() const { return Writable; }
    // True when there is no frame to write.
    bool IsEmpty() const;
    // Whether some frame's body is still in the file; such frames cannot be rendered.
    bool HasDeferredBodies() const;
    // Gives every frame whose body is still in the file its body, as `read` returns it for the frame; false,
    // with the frames left as they were, when `read` cannot give one.
    bool LoadDeferredBodies(const std::function<std::optional<std::vector<std::uint8_t>>(const RawFrame&)>& read);

    // The frame in a slot; null when the slot is empty or the index is not in the table.
    const RawFrame* Slot(std::uint8_t index) const;
    const std::vector<RawFrame>& PassThroughFrames() const { return PassThrough; }

    // The text of a slot's frame: the encoding byte, then prefixLength - 1 more fixed bytes, then with
    // hasDescription a zero-terminated description, then the text. Without unicodeAllowed the bytes are taken as
    // ISO-8859-1 whatever the encoding byte says. Empty when the frame is absent or cannot be decoded.
    std::string GetFrameText(std::string_view id, std::size_t prefixLength, bool unicodeAllowed,
                             bool hasDescription) const;
    std::string GetTextFrame(std::string_view id) const;

    std::string GetID3v2Title() const;
    std::string GetID3v2Artist() const;
    std::string GetID3v2Album() const;
    std::string GetID3v2Comment() const;
    std::string GetID3v2Track() const;
    // "TYER"; when a tag has no "TYER", the first four characters of "TDRC", as version 2.4 keeps its year there.
    std::string GetID3v2Year() const;
    std::string GetID3v2Genre() const;
    std::string GetID3v2Composer() const;
    std::string GetID3v2OrigArtist() const;
    std::string GetID3v2Copyright() const;
    std::string GetID3v2EncodedBy() const;
    std::string GetID3v2URL() const;

    // Puts a new frame of an ID in the table into its slot: the encoding byte, the prefix bytes (a comment's
    // language), for frames with a description the description and its terminator, then the text ("WXXX": the
    // link, always ISO-8859-1). An empty text removes the slot's frame. Pass-through frames that the new frame
    // stands for (text frames of the same ID; comments, user texts and user links with the same language and
    // description) are removed, so that a re-read cannot find them instead.
    void SetFrame(std::string_view id, std::array<std::uint8_t, 2> flags, const std::string& text,
                  std::span<const std::uint8_t> prefix, const std::string& description = {});

    // The setters leave a frame as read when given exactly the text their getter returns for it, so that saving
    // one field does not re-encode the others.
    void SetID3v2Title(const std::string& text);
    void SetID3v2Artist(const std::string& text);
    void SetID3v2Album(const std::string& text);
    void SetID3v2Comment(const std::string& text);
    void SetID3v2Track(const std::string& text);
    // Leaves a track whose number (before any "/total") is already this one as it is.
    void SetID3v2TrackNumber(std::uint8_t number);
    // "TDRC" in a version 2.4 tag, "TYER" otherwise; the other of the two is updated as well when present.
    void SetID3v2Year(const std::string& text);
    void SetID3v2Genre(const std::string& text);
    void SetID3v2Composer(const std::string& text);
    void SetID3v2OrigArtist(const std::string& text);
    void SetID3v2Copyright(const std::string& text);
    void SetID3v2EncodedBy(const std::string& text);
    void SetID3v2URL(const std::string& text);

    // The bytes Render gives.
    std::uint64_t FramesSize() const;
    // Every frame in write order, frame sizes encoded for WriteVersion.
    std::vector<std::uint8_t> Render() const;

private:
    bool ReplacesInSlot(const RawFrame& later) const;
    void SetText(std::string_view id, const std::string& text, const std::string& current);
    void RemovePassThroughLike(const RawFrame& frame);
    bool SameFrame(const RawFrame& a, const RawFrame& b) const;

    static constexpr std::uint8_t NoSlot = 255;
    static constexpr std::array<std::uint8_t, FrameTable::Count> NoSlots()
    {
        std::array<std::uint8_t, FrameTable::Count> none{};
        none.fill(NoSlot);
        return none;
    }
    RawFrame& PutSlot(std::uint8_t index, RawFrame frame);
    void RemoveSlot(std::uint8_t index);

    // The slot frames, in the order they were put, and for each table entry the position of its frame there.
    // Kept apart so that a new object and an empty tag cost next to nothing: the list loads many files.
    std::vector<RawFrame> SlotFrames;
    std::array<std::uint8_t, FrameTable::Count> SlotPositions = NoSlots();
    std::vector<RawFrame> PassThrough;
    std::uint8_t ReadVersion = 0;
    bool Writable = true;
};
