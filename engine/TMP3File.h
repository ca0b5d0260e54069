#pragma once

#include "ID3v1Tag.h"
#include "ID3v2Frames.h"
#include "ID3v2Size.h"
#include "MPEGAudioProperties.h"
#include "ReadAheadBuffer.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// The tag engine: one MP3 file on disk at a time, its ID3v1 record and its ID3v2 header. Reads open the file
// read-only when it is not open and leave it open; writes open it read-write themselves and close it when done.
// Nothing here shows a message or throws: operations answer with booleans, numbers and new strings.
class TMP3File {
public:
    // Bytes of the audio copied at a time when the file is rewritten: 256 KiB, since a rewrite through 32 KiB
    // pieces took twice as long as copying the file.
    static constexpr std::size_t CopyBufferSize = 1 << 18;

    TMP3File();
    // For the file at path (bytes), nothing read yet.
    explicit TMP3File(const std::string& path);
    ~TMP3File();
    TMP3File(const TMP3File&) = delete;
    TMP3File& operator=(const TMP3File&) = delete;

    // Lifecycle and file access.
    void SetFileName(const std::string& path);
    const std::string& GetFileName() const { return FileName; }
    bool OpenRead();
    bool OpenReadWrite();
    void Close();
    void Reset();
    void ClearTags();
    int GetHandle() const { return Handle; }
    std::int64_t GetFileSize() const { return FileSize; }
    void UpdateFileSize();
    // Sets the owner's write bit of a read-only file and returns its old mode bits; -1 when nothing was changed.
    static int MakeWritable(const std::string& path);
    // Puts back the mode bits MakeWritable returned; a negative value does nothing.
    static void RestoreAttributes(const std::string& path, int saved);
    // Rewrites the file so that the ID3v2 tag occupies newSize bytes at its start, followed by the audio from
    // TagSize on. The space holds tag, padded with zeros; so a caller that grows its tag hands the complete tag
    // here and the file is never without it. The original stays byte-identical on every failure.
    bool ResizeTagSpace(std::uint32_t newSize, std::span<const std::uint8_t> tag = {});
    // The ID3v1 tag, then the ID3v2 tag; whether the file could be opened.
    bool ReadTags();

    // ID3v1 tag.
    void ClearID3v1();
    bool DetectID3v1();
    bool HasID3v1();
    bool ReadID3v1();
    bool WriteID3v1Tag();
    bool DeleteID3v1();
    std::string GetID3v1Title() const { return V1.Title(); }
    std::string GetID3v1Artist() const { return V1.Artist(); }
    std::string GetID3v1Album() const { return V1.Album(); }
    std::string GetID3v1Year() const { return V1.Year(); }
    std::string GetID3v1Comment() const { return V1.Comment(); }
    std::uint8_t GetID3v1Track() const { return V1.Track(); }
    std::uint8_t GetID3v1Genre() const { return V1.Genre(); }
    void SetID3v1Title(const std::string& text) { V1.SetTitle(text); }
    void SetID3v1Artist(const std::string& text) { V1.SetArtist(text); }
    void SetID3v1Album(const std::string& text) { V1.SetAlbum(text); }
    void SetID3v1Year(const std::string& text) { V1.SetYear(text); }
    void SetID3v1Comment(const std::string& text) { V1.SetComment(text); }
    void SetID3v1Track(std::uint8_t track) { V1.SetTrack(track); }
    void SetID3v1Genre(std::uint8_t genre) { V1.SetGenre(genre); }
    // The genre table's name for the record's genre byte; empty for 148-255.
    std::string GenreName() const;
    // 255 when no name matches.
    static std::uint8_t GenreIndex(const std::string& name);
    // The record as it will be written.
    const ID3v1Tag& GetID3v1Record() const { return V1; }

    // ID3v2 tag. Reading only the header leaves the frames empty, so a later write holds only what was set.
    void ClearID3v2();
    void ClearFrames() { Frames.ClearFrames(); }
    bool DetectID3v2();
    bool HasID3v2();
    bool ReadID3v2Header();
    bool ReadID3v2Frames();
    bool ReadID3v2();
    std::uint8_t GetID3v2Version() const { return Version; }
    int GetID3v2Size() const { return static_cast<int>(TagSize); }
    static std::uint32_t UnpackSynchsafeSize(const std::uint8_t* bytes);
    static std::uint32_t UnpackPlainSize(const std::uint8_t* bytes);
    // Synchsafe for version 4 tags, plain for every other version.
    std::uint32_t UnpackFrameSize(const std::uint8_t* bytes) const;

    static std::uint8_t FrameIndex(std::string_view id) { return FrameTable::FrameIndex(id); }
    std::string GetFrameText(std::string_view id, std::size_t prefixLength, bool unicodeAllowed,
                             bool hasDescription) const
    {
        return Frames.GetFrameText(id, prefixLength, unicodeAllowed, hasDescription);
    }
    std::string GetTextFrame(std::string_view id) const { return Frames.GetTextFrame(id); }
    std::string GetID3v2Title() const { return Frames.GetID3v2Title(); }
    std::string GetID3v2Artist() const { return Frames.GetID3v2Artist(); }
    std::string GetID3v2Album() const { return Frames.GetID3v2Album(); }
    std::string GetID3v2Comment() const { return Frames.GetID3v2Comment(); }
    std::string GetID3v2Track() const { return Frames.GetID3v2Track(); }
    std::string GetID3v2Year() const { return Frames.GetID3v2Year(); }
    std::string GetID3v2Genre() const { return Frames.GetID3v2Genre(); }
    std::string GetID3v2Composer() const { return Frames.GetID3v2Composer(); }
    std::string GetID3v2OrigArtist() const { return Frames.GetID3v2OrigArtist(); }
    std::string GetID3v2Copyright() const { return Frames.GetID3v2Copyright(); }
    std::string GetID3v2EncodedBy() const { return Frames.GetID3v2EncodedBy(); }
    std::string GetID3v2URL() const { return Frames.GetID3v2URL(); }
    void SetFrame(std::string_view id, std::array<std::uint8_t, 2> flags, const std::string& text,
                  std::span<const std::uint8_t> prefix, const std::string& description = {})
    {
        Frames.SetFrame(id, flags, text, prefix, description);
    }
    void SetID3v2Title(const std::string& text) { Frames.SetID3v2Title(text); }
    void SetID3v2Artist(const std::string& text) { Frames.SetID3v2Artist(text); }
    void SetID3v2Album(const std::string& text) { Frames.SetID3v2Album(text); }
    void SetID3v2Comment(const std::string& text) { Frames.SetID3v2Comment(text); }
    void SetID3v2Track(const std::string& text) { Frames.SetID3v2Track(text); }
    void SetID3v2TrackNumber(std::uint8_t number) { Frames.SetID3v2TrackNumber(number); }
    void SetID3v2Year(const std::string& text) { Frames.SetID3v2Year(text); }
    void SetID3v2Genre(const std::string& text) { Frames.SetID3v2Genre(text); }
    void SetID3v2Composer(const std::string& text) { Frames.SetID3v2Composer(text); }
    void SetID3v2OrigArtist(const std::string& text) { Frames.SetID3v2OrigArtist(text); }
    void SetID3v2Copyright(const std::string& text) { Frames.SetID3v2Copyright(text); }
    void SetID3v2EncodedBy(const std::string& text) { Frames.SetID3v2EncodedBy(text); }
    void SetID3v2URL(const std::string& text) { Frames.SetID3v2URL(text); }
    // The frames as read and set, for the side files.
    const ID3v2Frames& GetID3v2Frames() const { return Frames; }
    // Bytes of the tag without padding, and the size that keeps the file a multiple of 2048 bytes.
    std::uint64_t RequiredID3v2Size() const;
    std::uint64_t AlignedTagSize();
    // Writes the whole tag at the start of the file: in place when it fits the tag area (padded out to it),
    // else through a rewrite. False, with the file unchanged, when the tag cannot be written.
    bool WriteID3v2Tag();
    // Rewrites the file without its ID3v2 tag; a file without one is not touched.
    bool DeleteID3v2();

    // The tag body: the bytes after the header and the extended header up to the end of the frames (before a
    // footer), bounded by the file as well, so a size field that claims more than the file holds is never
    // trusted. Offsets are from the start of the file.
    std::int64_t ID3v2BodyOffset() const;
    std::int64_t ID3v2BodyEnd() const;
    // Reads the body; false when there is no tag or it cannot be read.
    bool ReadID3v2Body(std::vector<std::uint8_t>& body);
    // The whole tag, as its header declares it, lies inside the file, so its space may be rewritten.
    bool ID3v2TagFitsFile() const;

    // Side files: the tag read (ID3v1) or the tag WriteID3v2Tag would write into this file (ID3v2), written whole
    // to sidePath. False, with no side file written, when the file has no such tag, the side file would be the
    // MP3 file itself, or it cannot be written.
    bool ExportID3v1(const std::string& sidePath);
    bool ExportID3v2(const std::string& sidePath);

    // MPEG audio: the first frame behind the ID3v2 tag. The search runs once while the file stays open and
    // unchanged; every getter answers from it.
    void ClearMPEGHeader();
    bool ReadMPEGHeader();
    std::int64_t GetSyncOffset();
    std::string GetMPEGVersionText();
    int GetBitrate();
    int GetSampleRate();
    int GetFrameLength();
    int GetFrameCount();
    int GetMinutes();
    int GetSeconds();
    std::string GetLengthText();
    // Everything the first frame tells, for the file information window.
    const MPEGAudioProperties& GetMPEGAudio();

private:
    // The extended header kept as one opaque block: its total length (0 when absent or not believable), its
    // first five bytes and the rest.
    struct ExtendedHeader {
        std::uint32_t Length = 0;
        std::array<std::uint8_t, 5> Start {};
        std::vector<std::uint8_t> Rest;
    };

    bool Open(int flags);
    bool EnsureOpen();
    std::int64_t CurrentLength() const;
    class View;
    class BodySource;
    bool InView() const;
    std::int64_t KnownLength() const;
    std::optional<std::span<const std::uint8_t>> ReadBytes(std::int64_t offset, std::size_t count,
                                                           std::size_t ahead);
    bool LoadID3v2Header();
    void TakeID3v2HeaderFields();
    bool ReadExtendedHeader();
    bool LoadDeferredBodies();
    std::optional<std::vector<std::uint8_t>> ComposeTag();
    bool WriteComposedTag(const std::vector<std::uint8_t>& tag);
    std::uint32_t FooterBytes() const;
    bool RewriteWithTagSpace(std::uint32_t newSize, std::span<const std::uint8_t> tag);
    const MPEGAudioProperties& Audio();
    bool SearchMPEGWindow(std::int64_t start, std::int64_t end, std::size_t size);

    std::string FileName;
    bool IsOpen = false;
    bool IsOpenForWrite = false;
    bool ReadOnlyHandle = false;
    int Handle = -1;
    bool HasV1 = false;
    bool HasV2 = false;
    bool V1Known = false;
    bool V2Known = false;
    bool HasExtData = false;
    bool HasExtHeader = false;
    bool HasFooter = false;
    // The extended header is flagged but its length cannot be right, so the frames behind it were not read.
    bool ExtHeaderUnreadable = false;
    std::uint8_t Version = 0;
    std::uint32_t TagSize = 0;
    std::int64_t FileSize = -1;
    ID3v1Tag V1;
    std::array<std::uint8_t, ID3v2Size::HeaderSize> V2Header {};
    std::array<std::uint8_t, ID3v2Size::HeaderSize> V2Footer {};
    ExtendedHeader ExtHeader;
    ID3v2Frames Frames;
    MPEGAudioProperties MPEG;
    bool MPEGKnown = false;
    // What the reads of the current view know of the file (see View).
    int ViewDepth = 0;
    std::int64_t ViewLength = 0;
    ReadAheadBuffer ReadAhead;
};
