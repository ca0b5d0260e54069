#include "TMP3File.h"

#include "FileIO.h"
#include "FileReplacement.h"
#include "GenreTable.h"
#include "ID3v2Size.h"
#include "ID3v2TagComposer.h"

#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::uint8_t ExtHeaderFlag = 0x40;
constexpr std::uint8_t FooterFlag = 0x10;
constexpr std::int64_t ID3v1Length = ID3v1Tag::Size;
constexpr std::size_t ID3v2HeaderSize = ID3v2Size::HeaderSize;
// Most files have their first frame right behind the tag, so a small read of the audio usually settles the
// search; one page covers a frame at the start of the audio and the frame after it.
constexpr std::size_t FirstMPEGRead = 4096;
// The header is read with the rest of the file's first page: a small tag, or the audio of a file without one.
constexpr std::size_t HeaderReadAhead = 4096 - ID3v2HeaderSize;

bool StartsWith(const std::uint8_t* bytes, const char* id)
{
    return std::memcmp(bytes, id, std::strlen(id)) == 0;
}

} // namespace

TMP3File::TMP3File()
{
    ClearMPEGHeader();
    ClearTags();
}

TMP3File::TMP3File(const std::string& path)
    : TMP3File()
{
    SetFileName(path);
}

TMP3File::~TMP3File()
{
    Close();
}

// ---- Lifecycle and file access ----

void TMP3File::SetFileName(const std::string& path)
{
    FileName = path;
}

bool TMP3File::Open(int flags)
{
    Close();
    // Not blocking: opening a FIFO that merely has an MP3's name would otherwise wait for a writer. Reads and
    // writes of a regular file ignore the flag.
    Handle = open(FileName.c_str(), flags | O_CLOEXEC | O_NONBLOCK);
    struct stat info {};
    // Only regular files hold tags; a directory, FIFO or device must not look like an empty MP3 file.
    if (Handle >= 0 && (fstat(Handle, &info) != 0 || !S_ISREG(info.st_mode)))
        Close();
    IsOpen = IsOpenForWrite = Handle >= 0;
    ReadOnlyHandle = IsOpen && (flags & O_ACCMODE) == O_RDONLY;
    FileSize = ViewLength = IsOpen ? info.st_size : 0;
    return IsOpen;
}

bool TMP3File::OpenRead()
{
    return Open(O_RDONLY);
}

bool TMP3File::OpenReadWrite()
{
    return Open(O_RDWR);
}

bool TMP3File::EnsureOpen()
{
    return IsOpen || OpenRead();
}

void TMP3File::Close()
{
    if (Handle >= 0)
        close(Handle);
    Handle = -1;
    IsOpen = IsOpenForWrite = ReadOnlyHandle = false;
    // Once closed the file may change under us; the next query searches again.
    MPEGKnown = false;
    ReadAhead.Clear();
}

void TMP3File::Reset()
{
    Close();
    FileSize = -1;
    ClearMPEGHeader();
    ClearTags();
}

void TMP3File::ClearTags()
{
    ClearID3v1();
    ClearID3v2();
}

std::int64_t TMP3File::CurrentLength() const
{
    return FileIO::Length(Handle);
}

// The reads made for one public read share one view of the file, its length and the bytes read ahead, so that
// they need not ask the file again and again. A read of a tag takes a new view, as the file may have changed
// since the last call; the MPEG search goes on with the view of the tag reads before it, whose TagSize it uses.
// Nothing of ours writes through a read-only handle (every write opens the file read-write first), and outside
// a view, in the writes, every read asks the file itself.
class TMP3File::View {
public:
    View(TMP3File& file, bool lookAgain) : File(file)
    {
        if (File.ViewDepth++ == 0 && lookAgain && File.IsOpen) {
            File.ViewLength = File.CurrentLength();
            File.ReadAhead.Clear();
        }
    }
    ~View() { --File.ViewDepth; }
    View(const View&) = delete;
    View& operator=(const View&) = delete;

private:
    TMP3File& File;
};

bool TMP3File::InView() const
{
    return ViewDepth > 0 && ReadOnlyHandle;
}

std::int64_t TMP3File::KnownLength() const
{
    return InView() ? ViewLength : CurrentLength();
}

// `ahead`: how many bytes behind these the reads that follow will want.
std::optional<std::span<const std::uint8_t>> TMP3File::ReadBytes(std::int64_t offset, std::size_t count,
                                                                 std::size_t ahead)
{
    return ReadAhead.Read(Handle, offset, count, ahead, InView());
}

// The body as the frame walk asks for it: each read takes the bytes up to the next 64 KiB along, with the footer
// and the start of the audio when it reaches the end, so that a tag and the first frame behind it take one or
// two reads; a large picture is not read at all unless it lies among them.
class TMP3File::BodySource : public FrameAreaSource {
public:
    explicit BodySource(TMP3File& file)
        : File(file), Base(file.ID3v2BodyOffset()),
          Length(static_cast<std::size_t>(file.ID3v2BodyEnd() - file.ID3v2BodyOffset()))
    {
    }
    std::size_t Size() const { return Length; }

    std::span<const std::uint8_t> Bytes(std::size_t offset, std::size_t count) override
    {
        if (offset >= Length)
            return {};
        count = std::min(count, Length - offset);
        const std::size_t rest = Length - offset - count;
        const std::size_t ahead = rest > FrameReadAhead ? FrameReadAhead : rest + File.FooterBytes() + FirstMPEGRead;
        return File.ReadBytes(Base + static_cast<std::int64_t>(offset), count, ahead)
            .value_or(std::span<const std::uint8_t>{});
    }
    bool Holds(std::size_t offset, std::size_t count) const override
    {
        return File.InView() && File.ReadAhead.Held(Base + static_cast<std::int64_t>(offset)) >= count;
    }

private:
    static constexpr std::size_t FrameReadAhead = 65536;
    TMP3File& File;
    std::int64_t Base;
    std::size_t Length;
};

void TMP3File::UpdateFileSize()
{
    if (IsOpen) {
        FileSize = std::max<std::int64_t>(CurrentLength(), 0);
        return;
    }
    OpenRead();
    Close();
}

int TMP3File::MakeWritable(const std::string& path)
{
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || (info.st_mode & S_IWUSR) != 0)
        return -1;
    const mode_t bits = info.st_mode & 07777;
    return chmod(path.c_str(), bits | S_IWUSR) == 0 ? static_cast<int>(bits) : -1;
}

void TMP3File::RestoreAttributes(const std::string& path, int saved)
{
    if (saved >= 0)
        chmod(path.c_str(), static_cast<mode_t>(saved));
}

bool TMP3File::ResizeTagSpace(std::uint32_t newSize, std::span<const std::uint8_t> tag)
{
    const int saved = MakeWritable(FileName);
    const bool result = EnsureOpen() && RewriteWithTagSpace(newSize, tag);
    if (result) {
        TagSize = newSize;
        OpenReadWrite();
    }
    RestoreAttributes(FileName, saved);
    return result;
}

bool TMP3File::RewriteWithTagSpace(std::uint32_t newSize, std::span<const std::uint8_t> tag)
{
    const std::int64_t length = CurrentLength();
    // A tag that claims more than the file holds, or more bytes than the space, cannot be right; nor can one
    // whose area reaches into the ID3v1 tag, which moving the audio would cut in two.
    const std::int64_t id3v1 = DetectID3v1() ? ID3v1Length : 0;
    if (length < 0 || TagSize + id3v1 > length || tag.size() > newSize)
        return false;
    FileReplacement replacement(FileName);
    replacement.Write(tag.data(), tag.size());
    replacement.WriteZeros(newSize - tag.size());
    replacement.CopyFrom(Handle, TagSize, length - TagSize, CopyBufferSize);
    const bool replaced = replacement.Commit(Handle);
    Close();
    return replaced;
}

bool TMP3File::ReadTags()
{
    const View view(*this, true);
    return ReadID3v1() && ReadID3v2();
}

// ---- ID3v1 tag ----

void TMP3File::ClearID3v1()
{
    V1.Clear();
    HasV1 = V1Known = false;
}

bool TMP3File::DetectID3v1()
{
    HasV1 = false;
    if (!EnsureOpen())
        return false;
    const std::int64_t length = CurrentLength();
    std::uint8_t id[3] {};
    // A file shorter than a tag has none, even when it happens to begin with "TAG".
    HasV1 = length >= ID3v1Length && FileIO::ReadAt(Handle, length - ID3v1Length, id, sizeof id) == sizeof id
        && StartsWith(id, "TAG");
    return HasV1;
}

bool TMP3File::HasID3v1()
{
    return V1Known ? HasV1 : DetectID3v1();
}

bool TMP3File::ReadID3v1()
{
    const View view(*this, true);
    ClearID3v1();
    if (!EnsureOpen())
        return false;
    const std::int64_t length = KnownLength();
    auto& record = V1.Bytes();
    const bool found = length >= ID3v1Length
        && FileIO::ReadAt(Handle, length - ID3v1Length, record.data(), record.size()) == ID3v1Length && V1.IsTag();
    if (!found)
        ClearID3v1();
    // Known either way, so that asking for the tag later does not read the file again.
    HasV1 = found;
    V1Known = true;
    return true;
}

bool TMP3File::WriteID3v1Tag()
{
    const int saved = MakeWritable(FileName);
    bool result = false;
    if (OpenReadWrite()) {
        const std::int64_t length = CurrentLength();
        // Asked of the file itself: a stale answer would overwrite audio or append a second tag.
        const bool overwrite = DetectID3v1();
        const auto& record = V1.Bytes();
        const std::int64_t offset = overwrite ? length - ID3v1Length : length;
        result = length >= 0 && FileIO::WriteAt(Handle, offset, record.data(), record.size());
        // A partial tag appended to the audio would be read as garbage; give the file back its old length.
        if (!result && !overwrite && length >= 0)
            (void)!ftruncate(Handle, length);
        if (result)
            HasV1 = V1Known = V1.IsTag();
        UpdateFileSize();
        Close();
    }
    RestoreAttributes(FileName, saved);
    return result;
}

bool TMP3File::DeleteID3v1()
{
    // A file that is gone has had nothing deleted.
    if (!EnsureOpen())
        return false;
    if (!HasID3v1())
        return true;
    const int saved = MakeWritable(FileName);
    bool result = false;
    if (OpenReadWrite()) {
        // Only a tag still present is cut off, never 128 bytes of audio.
        result = !DetectID3v1() || ftruncate(Handle, CurrentLength() - ID3v1Length) == 0;
        if (result)
            ClearID3v1();
        UpdateFileSize();
        Close();
    }
    RestoreAttributes(FileName, saved);
    return result;
}

std::string TMP3File::GenreName() const
{
    return GenreTable::Name(V1.Genre());
}

std::uint8_t TMP3File::GenreIndex(const std::string& name)
{
    return GenreTable::Index(name);
}

// ---- ID3v2 header ----

void TMP3File::ClearID3v2()
{
    V2Header = {'I', 'D', '3', 3, 0, 0, 0, 0, 0, 0};
    V2Footer = {'3', 'D', 'I', 3, 0, 0, 0, 0, 0, 0};
    TagSize = 0;
    ExtHeader = ExtendedHeader();
    Version = 0;
    HasV2 = V2Known = HasExtHeader = HasFooter = HasExtData = ExtHeaderUnreadable = false;
    Frames.ClearFrames();
}

bool TMP3File::DetectID3v2()
{
    HasV2 = false;
    // A tag is never shorter than its header; a cut-short header is no tag here, as on reading.
    std::uint8_t header[ID3v2HeaderSize] {};
    if (EnsureOpen())
        HasV2 = FileIO::ReadAt(Handle, 0, header, sizeof header) == sizeof header && StartsWith(header, "ID3");
    return HasV2;
}

bool TMP3File::HasID3v2()
{
    return V2Known ? HasV2 : DetectID3v2();
}

bool TMP3File::ReadID3v2Header()
{
    const View view(*this, true);
    ClearID3v2();
    if (!EnsureOpen())
        return false;
    if (LoadID3v2Header())
        Frames.Load(nullptr, 0, Version, V2Header[5]); // the version decides where a year is set
    return true;
}

// Reads the header into the header fields, leaving the frames alone; whether the file begins with a tag.
bool TMP3File::LoadID3v2Header()
{
    const auto header = ReadBytes(0, V2Header.size(), HeaderReadAhead);
    if (!header || header->size() != V2Header.size() || !StartsWith(header->data(), "ID3")) {
        V2Header = {'I', 'D', '3', 3, 0, 0, 0, 0, 0, 0};
        // Known to be absent, so that asking for the tag later does not read the file again.
        HasV2 = false;
        V2Known = true;
        return false;
    }
    std::copy(header->begin(), header->end(), V2Header.begin());
    TakeID3v2HeaderFields();
    // An extended header that cannot be right hides where the frames start: they cannot be read, so the tag
    // must not be written over them. One cut short by the end of the file leaves no room for frames anyway.
    if (HasExtHeader && !ReadExtendedHeader()) {
        ExtHeader = ExtendedHeader();
        const std::int64_t room = ID3v2BodyEnd() - ID3v2BodyOffset();
        ExtHeaderUnreadable = room >= static_cast<std::int64_t>(ExtHeader.Start.size());
    }
    return true;
}

void TMP3File::TakeID3v2HeaderFields()
{
    HasV2 = V2Known = true;
    // The audio starts behind the tag: what was found before belongs to another TagSize.
    MPEGKnown = false;
    Version = V2Header[3];
    const std::uint8_t flags = V2Header[5];
    // Footers exist only from version 4 on; in version 2 the bit 0x40 means compression, not an extended header.
    HasFooter = Version >= 4 && (flags & FooterFlag) != 0;
    HasExtHeader = (Version == 3 || Version == 4) && (flags & ExtHeaderFlag) != 0;
    TagSize = UnpackSynchsafeSize(V2Header.data() + 6) + ID3v2HeaderSize + FooterBytes();
    ExtHeader = ExtendedHeader();
    HasExtData = ExtHeaderUnreadable = false;
}

bool TMP3File::ReadID3v2Frames()
{
    const View view(*this, true);
    if (!EnsureOpen())
        return false;
    if (!V2Known)
        ReadID3v2Header();
    if (!HasID3v2())
        return IsOpen;
    BodySource body(*this);
    Frames.Load(body, body.Size(), Version, V2Header[5]);
    return IsOpen;
}

bool TMP3File::ReadID3v2()
{
    const View view(*this, true);
    return ReadID3v2Header() && ReadID3v2Frames();
}

std::uint64_t TMP3File::RequiredID3v2Size() const
{
    return ID3v2Size::RequiredID3v2Size(Frames.FramesSize(), HasFooter);
}

std::uint64_t TMP3File::AlignedTagSize()
{
    const std::int64_t length = EnsureOpen() ? std::max<std::int64_t>(CurrentLength(), 0) : 0;
    const std::uint64_t fileSize = static_cast<std::uint64_t>(length);
    return ID3v2Size::AlignedTagSize(fileSize, std::min<std::uint64_t>(TagSize, fileSize), HasID3v1());
}

bool TMP3File::WriteID3v2Tag()
{
    // A caller that read nothing still must not push an old tag into the audio: take its size from the file.
    if (!V2Known && EnsureOpen())
        LoadID3v2Header();
    const int saved = MakeWritable(FileName);
    bool result = false;
    if (OpenReadWrite()) {
        const auto tag = ComposeTag();
        result = tag && WriteComposedTag(*tag);
        UpdateFileSize();
        Close();
    }
    RestoreAttributes(FileName, saved);
    return result;
}

// The whole tag for the open file's tag area, as it would be written now; none when the frames behind an
// unreadable extended header were never read.
std::optional<std::vector<std::uint8_t>> TMP3File::ComposeTag()
{
    const std::int64_t length = CurrentLength();
    if (ExtHeaderUnreadable || length < 0 || !LoadDeferredBodies())
        return std::nullopt;
    return ComposeID3v2Tag(Frames, V2Header[4], V2Header[5],
                           {static_cast<std::uint64_t>(length), TagSize, DetectID3v1()});
}

// Reads the bodies the frames left in the file. The tag's header and each such frame's ID and size must still be
// where they were read: bodies from a file changed since then would belong to other frames.
bool TMP3File::LoadDeferredBodies()
{
    if (!Frames.HasDeferredBodies())
        return true;
    std::array<std::uint8_t, ID3v2HeaderSize> header {};
    if (FileIO::ReadAt(Handle, 0, header.data(), header.size()) != ID3v2HeaderSize || header != V2Header)
        return false;
    const std::int64_t base = ID3v2BodyOffset();
    return Frames.LoadDeferredBodies([&](const RawFrame& frame) -> std::optional<std::vector<std::uint8_t>> {
        const std::int64_t body = base + static_cast<std::int64_t>(frame.Deferred->Offset);
        std::array<std::uint8_t, ID3v2Size::FrameHeaderSize> stored {};
        std::vector<std::uint8_t> bytes(frame.Deferred->Size);
        const bool read = FileIO::ReadAt(Handle, body - ID3v2Size::FrameHeaderSize, stored.data(), stored.size())
                == ID3v2Size::FrameHeaderSize
            && std::equal(stored.begin(), stored.begin() + 8, frame.Header.begin())
            && FileIO::ReadAt(Handle, body, bytes.data(), bytes.size()) == static_cast<std::int64_t>(bytes.size());
        return read ? std::optional(std::move(bytes)) : std::nullopt;
    });
}

// Puts a tag made for this file's tag area at its start: over the old area when it is as large, else through a
// rewrite that installs tag and audio together. The header fields then describe the tag written.
bool TMP3File::WriteComposedTag(const std::vector<std::uint8_t>& tag)
{
    const bool written = tag.size() == TagSize ? FileIO::WriteAt(Handle, 0, tag.data(), tag.size())
                                               : ResizeTagSpace(static_cast<std::uint32_t>(tag.size()), tag);
    if (!written)
        return false;
    std::copy_n(tag.begin(), V2Header.size(), V2Header.begin());
    TakeID3v2HeaderFields();
    // The footer repeats the header behind its own identifier (only a version 2.4 tag may carry it).
    std::copy(V2Header.begin() + 3, V2Header.end(), V2Footer.begin() + 3);
    const std::uint64_t bodyEnd = TagSize - FooterBytes();
    Frames.Load(tag.data() + ID3v2HeaderSize, bodyEnd - ID3v2HeaderSize, Version, V2Header[5]);
    return true;
}

bool TMP3File::DeleteID3v2()
{
    // A file that cannot be opened has not lost its tag.
    if (!EnsureOpen())
        return false;
    if (!V2Known)
        LoadID3v2Header();
    if (!HasV2 && TagSize == 0)
        return true;
    if (!ResizeTagSpace(0))
        return false;
    UpdateFileSize();
    Close();
    ClearID3v2();
    return true;
}

bool TMP3File::ReadExtendedHeader()
{
    auto& start = ExtHeader.Start;
    const auto startBytes = ReadBytes(ID3v2HeaderSize, start.size(), 0);
    if (!startBytes || startBytes->size() != start.size())
        return false;
    std::copy(startBytes->begin(), startBytes->end(), start.begin());
    // Before version 4 the stored length leaves out its own four bytes.
    const std::uint64_t length = std::uint64_t{UnpackFrameSize(start.data())} + (Version < 4 ? 4 : 0);
    const std::uint64_t room = TagSize - ID3v2HeaderSize - FooterBytes();
    const std::int64_t fileLength = KnownLength();
    if (length < start.size() || length > room || fileLength < 0
        || ID3v2HeaderSize + length > static_cast<std::uint64_t>(fileLength))
        return false;
    const auto rest = ReadBytes(ID3v2HeaderSize + start.size(), length - start.size(), 0);
    if (!rest || rest->size() != length - start.size())
        return false;
    ExtHeader.Rest.assign(rest->begin(), rest->end());
    ExtHeader.Length = static_cast<std::uint32_t>(length);
    HasExtData = true;
    return true;
}

std::uint32_t TMP3File::UnpackSynchsafeSize(const std::uint8_t* bytes)
{
    return ID3v2Size::UnpackSynchsafeSize(bytes);
}

std::uint32_t TMP3File::UnpackPlainSize(const std::uint8_t* bytes)
{
    return ID3v2Size::UnpackPlainSize(bytes);
}

std::uint32_t TMP3File::UnpackFrameSize(const std::uint8_t* bytes) const
{
    return Version == 4 ? UnpackSynchsafeSize(bytes) : UnpackPlainSize(bytes);
}

std::uint32_t TMP3File::FooterBytes() const
{
    return HasFooter ? ID3v2Size::FooterSize : 0;
}

std::int64_t TMP3File::ID3v2BodyOffset() const
{
    return static_cast<std::int64_t>(ID3v2HeaderSize + ExtHeader.Length);
}

std::int64_t TMP3File::ID3v2BodyEnd() const
{
    if (!HasV2)
        return ID3v2BodyOffset();
    const std::int64_t declared = static_cast<std::int64_t>(TagSize) - FooterBytes();
    return std::max(ID3v2BodyOffset(), std::min(declared, KnownLength()));
}

bool TMP3File::ReadID3v2Body(std::vector<std::uint8_t>& body)
{
    const View view(*this, true);
    body.clear();
    if (!HasV2 || !EnsureOpen())
        return false;
    // Read as the file holds it, together with the footer and the start of the audio behind it.
    const auto bytes = ReadBytes(ID3v2BodyOffset(), static_cast<std::size_t>(ID3v2BodyEnd() - ID3v2BodyOffset()),
                                 FooterBytes() + FirstMPEGRead);
    if (bytes)
        body.assign(bytes->begin(), bytes->end());
    return bytes.has_value();
}

bool TMP3File::ID3v2TagFitsFile() const
{
    const std::int64_t length = CurrentLength();
    return HasV2 && length >= 0 && TagSize <= length;
}

// ---- MPEG audio ----

namespace {

constexpr std::array<std::size_t, 3> MPEGReadSizes = {FirstMPEGRead, 16384, MPEGSearchWindow};

} // namespace

void TMP3File::ClearMPEGHeader()
{
    MPEG = MPEGAudioProperties();
    MPEGKnown = false;
}

bool TMP3File::ReadMPEGHeader()
{
    return Audio().Found();
}

const MPEGAudioProperties& TMP3File::Audio()
{
    if (MPEGKnown)
        return MPEG;
    const View view(*this, false);
    MPEG = MPEGAudioProperties();
    if (!EnsureOpen())
        return MPEG;
    const std::int64_t start = TagSize;
    const std::int64_t end = KnownLength() - (HasID3v1() ? ID3v1Length : 0);
    // The first frame counts only once the frame after it was seen; while a read could not show that, read more,
    // up to the whole window. The bytes read along with the tag often show it without another read.
    const std::size_t held = std::min(ReadAhead.Held(start), MPEGSearchWindow);
    if (held == 0 || !SearchMPEGWindow(start, end, held))
        for (const std::size_t size : MPEGReadSizes)
            if (size > held && SearchMPEGWindow(start, end, size))
                break;
    MPEGKnown = true;
    return MPEG;
}

// Analyses up to size bytes of the audio; true when that answer cannot change with more bytes.
bool TMP3File::SearchMPEGWindow(std::int64_t start, std::int64_t end, std::size_t size)
{
    const std::int64_t available = std::max<std::int64_t>(end - start, 0);
    const auto read = ReadBytes(start, static_cast<std::size_t>(std::min<std::int64_t>(available, size)), 0);
    const std::span<const std::uint8_t> window = read.value_or(std::span<const std::uint8_t>{});
    MPEG = MPEGAudioProperties::Analyse(window, start, end);
    const bool wholeAudio = static_cast<std::int64_t>(window.size()) >= available;
    const bool nextFrameSeen = MPEG.Found()
        && static_cast<std::size_t>(MPEG.SyncOffset() - start) + MPEGSearchLookahead <= window.size();
    return wholeAudio || nextFrameSeen;
}

std::int64_t TMP3File::GetSyncOffset() { return Audio().SyncOffset(); }
std::string TMP3File::GetMPEGVersionText() { return Audio().VersionText(); }
int TMP3File::GetBitrate() { return Audio().Bitrate(); }
int TMP3File::GetSampleRate() { return Audio().SampleRate(); }
int TMP3File::GetFrameLength() { return Audio().FrameLength(); }
int TMP3File::GetFrameCount() { return Audio().FrameCount(); }
int TMP3File::GetMinutes() { return Audio().Minutes(); }
int TMP3File::GetSeconds() { return Audio().Seconds(); }
std::string TMP3File::GetLengthText() { return Audio().LengthText(); }
const MPEGAudioProperties& TMP3File::GetMPEGAudio() { return Audio(); }
