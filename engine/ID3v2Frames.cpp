#include "ID3v2Frames.h"

#include "FrameArea.h"
#include "TextDecoding.h"
#include "TextEncoding.h"

#include <algorithm>
#include <unicode/utf8.h>

namespace {

// The bytes between a new frame's encoding byte and its texts.
constexpr std::array<std::uint8_t, 0> TextPrefix = {};
constexpr std::array<std::uint8_t, 3> CommentPrefix = {'e', 'n', 'g'};
constexpr std::array<std::uint8_t, 2> NoFlags = {0, 0};
// Bytes before the description: the encoding, and for comments and lyrics a 3-byte language.
constexpr std::size_t CommentPrefixLength = 4;
constexpr std::size_t YearLength = 4;

// Frame flags asking that the frame be dropped when a program that does not know it alters the tag.
constexpr std::uint16_t V3DiscardOnTagAlter = 0x8000;
constexpr std::uint16_t V4DiscardOnTagAlter = 0x4000;

bool HasLanguage(std::string_view id) { return id == "COMM" || id == "USLT"; }
bool HasDescription(std::string_view id) { return HasLanguage(id) || id == "TXXX" || id == "WXXX"; }

// Text information frames other than "TXXX" occur once per tag.
bool IsSingleTextFrame(std::string_view id) { return id[0] == 'T' && id != "TXXX"; }

// The description of a frame with one; none when the frame cannot be decoded.
std::optional<std::string> Description(const RawFrame& frame, std::uint8_t version)
{
    const std::size_t start = HasLanguage(frame.ID()) ? CommentPrefixLength : 1;
    const std::optional<std::vector<std::uint8_t>> content = frame.Content(version);
    if (!content || content->size() < start)
        return std::nullopt;
    return TextDecoding::DecodeText((*content)[0], content->data() + start, content->size() - start);
}

std::optional<std::string> Language(const RawFrame& frame, std::uint8_t version)
{
    const std::optional<std::vector<std::uint8_t>> content = frame.Content(version);
    if (!content || content->size() < CommentPrefixLength)
        return std::nullopt;
    return std::string(content->begin() + 1, content->begin() + CommentPrefixLength);
}

bool IsDiscardedOnAlter(const RawFrame& frame, std::uint8_t version)
{
    return frame.Flags() & (version == 4 ? V4DiscardOnTagAlter : V3DiscardOnTagAlter);
}

bool HasEmptyDescription(const RawFrame& frame, std::uint8_t version)
{
    const std::optional<std::string> description = Description(frame, version);
    return description && description->empty();
}

// The first `count` characters of UTF-8 text.
std::string FirstCharacters(const std::string& text, std::size_t count)
{
    std::int32_t end = 0;
    U8_FWD_N(text.data(), end, static_cast<std::int32_t>(text.size()), static_cast<std::int32_t>(count));
    return text.substr(0, static_cast<std::size_t>(end));
}

std::optional<unsigned> LeadingNumber(const std::string& text)
{
    std::size_t i = 0;
    unsigned number = 0;
    while (i < text.size() && i < 9 && text[i] >= '0' && text[i] <= '9')
        number = number * 10 + static_cast<unsigned>(text[i++] - '0');
    if (i == 0 || (i < text.size() && text[i] != '/'))
        return std::nullopt;
    return number;
}

} // namespace

void ID3v2Frames::Load(const std::uint8_t* area, std::size_t size, std::uint8_t version, std::uint8_t tagFlags)
{
    MemoryFrameSource source(area, size);
    Load(source, size, version, tagFlags);
}

void ID3v2Frames::Load(FrameAreaSource& area, std::size_t size, std::uint8_t version, std::uint8_t tagFlags)
{
    ClearFrames();
    ReadVersion = version;
    FrameArea read = FrameArea::Read(area, size, version, tagFlags);
    Writable = read.Writable;
    // First the frame each slot takes, then the rest as pass-through frames in the order they were read.
    std::array<std::optional<std::size_t>, FrameTable::Count> chosen;
    for (std::size_t i = 0; i < read.Frames.size(); ++i) {
        const std::uint8_t index = FrameTable::FrameIndex(read.Frames[i].ID());
        if (index == FrameTable::NoFrame)
            continue;
        if (!chosen[index] || ReplacesInSlot(read.Frames[i]))
            chosen[index] = i;
    }
    SlotFrames.reserve(std::min<std::size_t>(read.Frames.size(), FrameTable::Count));
    for (std::size_t i = 0; i < read.Frames.size(); ++i) {
        RawFrame& frame = read.Frames[i];
        const std::uint8_t index = FrameTable::FrameIndex(frame.ID());
        if (index != FrameTable::NoFrame && chosen[index] == i)
            PutSlot(index, std::move(frame));
        else if (index != FrameTable::NoFrame || !IsDiscardedOnAlter(frame, version))
            PassThrough.push_back(std::move(frame));
    }
}

// Of two frames of an ID the later takes the slot. A comment with a description takes it only when no comment has
// none: those are mostly other programs' data ("iTunNORM" and the like), and the first of them is the comment.
bool ID3v2Frames::ReplacesInSlot(const RawFrame& later) const
{
    return later.ID() != "COMM" || HasEmptyDescription(later, ReadVersion);
}

void ID3v2Frames::ClearFrames()
{
    // Every file read clears the slots more than once, and mostly finds them empty.
    if (!SlotFrames.empty()) {
        SlotFrames.clear();
        SlotPositions = NoSlots();
    }
    PassThrough.clear();
    ReadVersion = 0;
    Writable = true;
}

std::uint8_t ID3v2Frames::WriteVersion() const
{
    return ReadVersion == 4 ? 4 : 3;
}

bool ID3v2Frames::IsEmpty() const
{
    return PassThrough.empty() && SlotFrames.empty();
}

bool ID3v2Frames::HasDeferredBodies() const
{
    const auto deferred = [](const RawFrame& frame) { return frame.Deferred.has_value(); };
    return std::any_of(PassThrough.begin(), PassThrough.end(), deferred) ||
           std::any_of(SlotFrames.begin(), SlotFrames.end(), deferred);
}

bool ID3v2Frames::LoadDeferredBodies(
    const std::function<std::optional<std::vector<std::uint8_t>>(const RawFrame&)>& read)
{
    // Read all first, so that a failure leaves no frame half loaded.
    std::vector<std::pair<RawFrame*, std::vector<std::uint8_t>>> loaded;
    for (std::vector<RawFrame>* frames : {&PassThrough, &SlotFrames})
        for (RawFrame& frame : *frames) {
            if (!frame.Deferred)
                continue;
            std::optional<std::vector<std::uint8_t>> body = read(frame);
            if (!body)
                return false;
            loaded.emplace_back(&frame, std::move(*body));
        }
    for (auto& [frame, body] : loaded) {
        frame->Body = std::move(body);
        frame->Deferred.reset();
    }
    return true;
}

const RawFrame* ID3v2Frames::Slot(std::uint8_t index) const
{
    return index < FrameTable::Count && SlotPositions[index] != NoSlot ? &SlotFrames[SlotPositions[index]] : nullptr;
}

RawFrame& ID3v2Frames::PutSlot(std::uint8_t index, RawFrame frame)
{
    if (SlotPositions[index] != NoSlot)
        return SlotFrames[SlotPositions[index]] = std::move(frame);
    SlotPositions[index] = static_cast<std::uint8_t>(SlotFrames.size());
    return SlotFrames.emplace_back(std::move(frame));
}

void ID3v2Frames::RemoveSlot(std::uint8_t index)
{
    const std::uint8_t position = SlotPositions[index];
    if (position == NoSlot)
        return;
    SlotFrames.erase(SlotFrames.begin() + position);
    SlotPositions[index] = NoSlot;
    for (std::uint8_t& later : SlotPositions)
        if (later != NoSlot && later > position)
            --later;
}

std::string ID3v2Frames::GetFrameText(std::string_view id, std::size_t prefixLength, bool unicodeAllowed,
                                      bool hasDescription) const
{
    const RawFrame* frame = Slot(FrameTable::FrameIndex(id));
    if (!frame)
        return {};
    const std::optional<std::vector<std::uint8_t>> content = frame->Content(ReadVersion);
    if (!content || content->empty())
        return {};
    const std::uint8_t* bytes = content->data();
    const std::size_t size = content->size();
    const std::uint8_t encoding = unicodeAllowed ? bytes[0] : std::uint8_t{TextDecoding::Latin1};
    std::size_t start = prefixLength;
    if (hasDescription && start < size)
        start = TextDecoding::SkipTerminatedText(encoding, bytes, size, start);
    if (start >= size)
        return {};
    return TextDecoding::DecodeText(encoding, bytes + start, size - start);
}

std::string ID3v2Frames::GetTextFrame(std::string_view id) const
{
    return GetFrameText(id, 1, true, false);
}

std::string ID3v2Frames::GetID3v2Title() const { return GetTextFrame("TIT2"); }
std::string ID3v2Frames::GetID3v2Artist() const { return GetTextFrame("TPE1"); }
std::string ID3v2Frames::GetID3v2Album() const { return GetTextFrame("TALB"); }
std::string ID3v2Frames::GetID3v2Comment() const { return GetFrameText("COMM", CommentPrefixLength, true, true); }
std::string ID3v2Frames::GetID3v2Track() const { return GetTextFrame("TRCK"); }
std::string ID3v2Frames::GetID3v2Genre() const { return GetTextFrame("TCON"); }
std::string ID3v2Frames::GetID3v2Composer() const { return GetTextFrame("TCOM"); }
std::string ID3v2Frames::GetID3v2OrigArtist() const { return GetTextFrame("TOPE"); }
std::string ID3v2Frames::GetID3v2Copyright() const { return GetTextFrame("TCOP"); }
std::string ID3v2Frames::GetID3v2EncodedBy() const { return GetTextFrame("TENC"); }

// Only the description follows the encoding byte; the link itself is always ISO-8859-1.
std::string ID3v2Frames::GetID3v2URL() const
{
    const RawFrame* frame = Slot(FrameTable::FrameIndex("WXXX"));
    const std::optional<std::vector<std::uint8_t>> content = frame ? frame->Content(ReadVersion) : std::nullopt;
    if (!content || content->empty())
        return {};
    const std::size_t start = TextDecoding::SkipTerminatedText((*content)[0], content->data(), content->size(), 1);
    return TextDecoding::DecodeText(TextDecoding::Latin1, content->data() + start, content->size() - start);
}

std::string ID3v2Frames::GetID3v2Year() const
{
    if (Slot(FrameTable::FrameIndex("TYER")))
        return GetTextFrame("TYER");
    return FirstCharacters(GetTextFrame("TDRC"), YearLength);
}

void ID3v2Frames::SetFrame(std::string_view id, std::array<std::uint8_t, 2> flags, const std::string& text,
                           std::span<const std::uint8_t> prefix, const std::string& description)
{
    const std::uint8_t index = FrameTable::FrameIndex(id);
    if (index == FrameTable::NoFrame)
        return;
    const RawFrame* slot = Slot(index);
    if (text.empty()) {
        if (slot)
            RemovePassThroughLike(*slot);
        RemoveSlot(index);
        return;
    }
    // A link is always ISO-8859-1, whatever the encoding of its description.
    const bool isLink = id == "WXXX";
    const std::uint8_t encoding = isLink ? TextEncoding::EncodingFor({description}, WriteVersion())
                                         : TextEncoding::EncodingFor({description, text}, WriteVersion());
    std::vector<std::uint8_t> body(1 + prefix.size(), encoding);
    std::copy(prefix.begin(), prefix.end(), body.begin() + 1);
    if (HasDescription(id))
        TextEncoding::AppendText(body, encoding, description, true);
    if (isLink) {
        const std::string link = TextEncoding::LinkToLatin1(text);
        body.insert(body.end(), link.begin(), link.end());
    } else {
        TextEncoding::AppendText(body, encoding, text, false);
    }
    RemovePassThroughLike(PutSlot(index, RawFrame::Make(FrameTable::ID(index), flags, std::move(body))));
}

void ID3v2Frames::SetText(std::string_view id, const std::string& text, const std::string& current)
{
    if (text != current)
        SetFrame(id, NoFlags, text, TextPrefix);
}

void ID3v2Frames::SetID3v2Title(const std::string& text) { SetText("TIT2", text, GetID3v2Title()); }
void ID3v2Frames::SetID3v2Artist(const std::string& text) { SetText("TPE1", text, GetID3v2Artist()); }
void ID3v2Frames::SetID3v2Album(const std::string& text) { SetText("TALB", text, GetID3v2Album()); }
void ID3v2Frames::SetID3v2Track(const std::string& text) { SetText("TRCK", text, GetID3v2Track()); }
void ID3v2Frames::SetID3v2Genre(const std::string& text) { SetText("TCON", text, GetID3v2Genre()); }
void ID3v2Frames::SetID3v2Composer(const std::string& text) { SetText("TCOM", text, GetID3v2Composer()); }
void ID3v2Frames::SetID3v2OrigArtist(const std::string& text) { SetText("TOPE", text, GetID3v2OrigArtist()); }
void ID3v2Frames::SetID3v2Copyright(const std::string& text) { SetText("TCOP", text, GetID3v2Copyright()); }
void ID3v2Frames::SetID3v2EncodedBy(const std::string& text) { SetText("TENC", text, GetID3v2EncodedBy()); }

// The comment shown is the one replaced: it keeps its language and its description.
void ID3v2Frames::SetID3v2Comment(const std::string& text)
{
    if (text == GetID3v2Comment())
        return;
    const RawFrame* shown = Slot(FrameTable::FrameIndex("COMM"));
    const std::optional<std::string> language = shown ? Language(*shown, ReadVersion) : std::nullopt;
    const std::optional<std::string> description = shown ? Description(*shown, ReadVersion) : std::nullopt;
    if (!language || !description) {
        SetFrame("COMM", NoFlags, text, CommentPrefix);
        return;
    }
    const std::vector<std::uint8_t> prefix(language->begin(), language->end());
    SetFrame("COMM", NoFlags, text, prefix, *description);
}

void ID3v2Frames::SetID3v2URL(const std::string& text)
{
    if (text != GetID3v2URL())
        SetFrame("WXXX", NoFlags, text, TextPrefix);
}

void ID3v2Frames::SetID3v2TrackNumber(std::uint8_t number)
{
    if (LeadingNumber(GetID3v2Track()) != unsigned{number})
        SetFrame("TRCK", NoFlags, std::to_string(number), TextPrefix);
}

void ID3v2Frames::SetID3v2Year(const std::string& text)
{
    if (text == GetID3v2Year())
        return;
    const bool v4 = WriteVersion() == 4;
    const std::string date = GetTextFrame("TDRC");
    // A full date keeps its month and day when only the year is replaced.
    const bool keepsDate = text.size() == YearLength && date.size() > YearLength && date[YearLength] == '-';
    const std::string dateText = keepsDate ? text + date.substr(YearLength) : text;
    if (v4 || Slot(FrameTable::FrameIndex("TDRC")))
        SetFrame("TDRC", NoFlags, dateText, TextPrefix);
    if (!v4 || Slot(FrameTable::FrameIndex("TYER")))
        SetFrame("TYER", NoFlags, text, TextPrefix);
}

void ID3v2Frames::RemovePassThroughLike(const RawFrame& frame)
{
    std::erase_if(PassThrough, [&](const RawFrame& other) { return SameFrame(frame, other); });
}

// Whether two frames are, by the rules of the format, the same frame of which a tag may hold only one.
bool ID3v2Frames::SameFrame(const RawFrame& a, const RawFrame& b) const
{
    const std::string_view id = a.ID();
    if (id != b.ID())
        return false;
    if (IsSingleTextFrame(id))
        return true;
    if (!HasDescription(id))
        return false;
    // The frames the setters make hold no flags, so they read the same in every version.
    const std::optional<std::string> description = Description(a, ReadVersion);
    if (!description || description != Description(b, ReadVersion))
        return false;
    return !HasLanguage(id) || Language(a, ReadVersion) == Language(b, ReadVersion);
}

std::uint64_t ID3v2Frames::FramesSize() const
{
    std::uint64_t size = 0;
    for (const RawFrame& frame : PassThrough)
        size += frame.WrittenSize();
    for (const RawFrame& frame : SlotFrames)
        size += frame.WrittenSize();
    return size;
}

std::vector<std::uint8_t> ID3v2Frames::Render() const
{
    std::vector<std::uint8_t> out;
    out.reserve(FramesSize());
    // A comment with a description is the slot's only when it is the first comment.
    const RawFrame* comment = Slot(FrameTable::FrameIndex("COMM"));
    const RawFrame* leading = comment && !HasEmptyDescription(*comment, ReadVersion) ? comment : nullptr;
    if (leading)
        leading->AppendTo(out, WriteVersion());
    for (const RawFrame& frame : PassThrough)
        frame.AppendTo(out, WriteVersion());
    for (std::uint8_t i = 0; i < FrameTable::Count; ++i)
        if (const RawFrame* frame = Slot(i); frame && frame != leading)
            frame->AppendTo(out, WriteVersion());
    return out;
}
