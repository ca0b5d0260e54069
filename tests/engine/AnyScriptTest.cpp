// Text of every script read from each encoding, written in the one its characters need, kept when not edited, and
// narrowed for ID3v1 by characters, checked on disk, by TagLib and by mutagen; then malformed text.
#include "EngineFile.h"
#include "ID3v2Bytes.h"
#include "IndependentReaders.h"
#include "Mp3Fixture.h"

#include <gtest/gtest.h>
#include <taglib/tstring.h>

using namespace ID3v2Bytes;

namespace {

// The text in a frame's encoding, by TagLib (16-bit text with a byte-order mark is little-endian).
Bytes Encoded(const std::string& text, std::uint8_t encoding)
{
    constexpr TagLib::String::Type Types[] = {TagLib::String::Latin1, TagLib::String::UTF16, TagLib::String::UTF16BE,
                                              TagLib::String::UTF8};
    const TagLib::ByteVector bytes = TagLib::String(text, TagLib::String::UTF8).data(Types[encoding]);
    return Concat({Bytes{encoding}, Bytes(bytes.begin(), bytes.end())});
}

using AnyScript = EngineFile;

// Faults each row catches: a byte-order slip, a surrogate pair split, text cut in the middle of a character,
// text that fits ISO-8859-1 written as UTF-16, an unchanged frame re-encoded.
TEST_F(AnyScript, ReadsWritesKeepsAndNarrowsTextOfEveryScript)
{
    // The text, and as ISO-8859-1 stores it, one character for each.
    const std::vector<std::tuple<const char*, std::string, std::string>> scripts = {
        {"Latin-1 accents", "Déjà vu à Noël", "Déjà vu à Noël"}, {"Cyrillic", "Группа крови", "?????? ?????"},
        {"Greek", "Ελληνικά", "????????"},                         {"Japanese", "夜に駆ける", "?????"},
        {"Arabic", "أغنية", "?????"},                             {"Emoji", "Rocket 🚀 Song", "Rocket ? Song"},
        {"Combining accent", "Cafe\u0301", "Café"},
    };
    const std::vector<std::pair<std::uint8_t, std::uint8_t>> storedAs = {{3, 1}, {4, 3}, {4, 2}};
    for (const auto& [name, text, latin1] : scripts)
        for (const auto& [version, encoding] : storedAs) {
            SCOPED_TRACE(name + (" in v2." + std::to_string(version)) + " encoding " + std::to_string(encoding));
            const Bytes title = Frame("TIT2", Encoded(text, encoding), version);
            Put(Concat({Tag(version, Concat({title, Frame("TPE1", TextBody("Old"), version)}), 100),
                        Mp3Fixture::Frames(4)}));
            ASSERT_TRUE(engine.ReadTags());
            EXPECT_EQ(engine.GetID3v2Title(), text);

            // The artist and comment edited, the title stored back as shown: a new artist frame in the encoding
            // its text needs, the comment's empty description in the same, the title frame as it was.
            engine.SetID3v2Title(engine.GetID3v2Title());
            engine.SetID3v2Artist(text);
            engine.SetID3v2Comment(text);
            ASSERT_TRUE(engine.ExportID3v2(dir.file("song.id2").string()));
            ASSERT_TRUE(engine.WriteID3v2Tag());
            const Bytes artist = Frame("TPE1", Encoded(text, latin1 == text ? 0 : version == 4 ? 3 : 1), version);
            const Bytes tag = Slice(Content(), 0, Mp3Fixture::TagAreaOf(Content()));
            EXPECT_NE(Find(tag, title), std::string::npos) << "the title frame is no longer as stored";
            EXPECT_NE(Find(tag, artist), std::string::npos) << "the artist frame is not in its encoding";
            EXPECT_EQ(readFile(dir.file("song.id2")), tag) << "the side file is not the tag saved";
            const auto mutagen = IndependentReaders::MutagenID3v2(path);
            ASSERT_TRUE(mutagen);
            EXPECT_EQ(mutagen->Texts.at("TIT2") + "|" + mutagen->Texts.at("TPE1") + "|" + mutagen->Texts.at("COMM::eng"),
                      text + "|" + text + "|" + text);

            // Copied to ID3v1 as the conversion does: each character one byte, the width counting characters.
            engine.SetID3v1Title(engine.GetID3v2Title());
            engine.SetID3v1Album(text + text + text);
            ASSERT_TRUE(engine.WriteID3v1Tag());
            const auto album = TagLib::String(latin1 + latin1 + latin1, TagLib::String::UTF8).substr(0, 30);
            const auto v1 = IndependentReaders::TagLibID3v1(path).value_or(IndependentReaders::ID3v1Fields{});
            EXPECT_EQ(v1.Title + "|" + v1.Album, latin1 + "|" + album.to8Bit(true));
        }
}

// Each from an area exactly as long as its frame and from every cut of it, so that sanitizers see a read past it.
TEST(AnyScriptText, MalformedTextGivesADefinedTextAndNoReadPastTheFrame)
{
    const std::string R = "\uFFFD"; // the replacement character
    const std::vector<std::tuple<const char*, Bytes, std::string>> cases = {
        {"Latin-1 up to a zero byte", {0, 'a', 0xE9, 0, 'c'}, "aé"}, {"unknown encoding as Latin-1", {7, 0xE9}, "é"},
        {"UTF-16 big-endian by its mark", {1, 0xFE, 0xFF, 0x04, 0x1A}, "К"}, {"no mark", {1, 0x1A, 0x04}, "К"},
        {"UTF-16BE behind a little-endian mark", {2, 0xFF, 0xFE, 0x2D, 0x4E}, "中"},
        {"lone surrogates", {1, 0xFF, 0xFE, 0x3D, 0xD8, 'x', 0, 0x80, 0xDE}, R + "x" + R},
        {"pair cut by the frame's end", {1, 0xFF, 0xFE, 0x3D, 0xD8, 0x80}, R + R}, {"mark only", {1, 0xFF, 0xFE}, ""},
        {"odd byte count", {1, 0xFF, 0xFE, 'H', 0, 'i'}, "H" + R}, {"half a mark", {1, 0xFF}, R},
        {"odd zero byte ending the text", {1, 0xFF, 0xFE, 'H', 0, 'i', 0, 0}, "Hi"},
        {"FF FE inside the text", {1, 0xFF, 0xFE, 'a', 0, 0xFF, 0xFE, 'b', 0}, "a\uFEFFb"},
        {"zero character inside 16-bit text", {1, 0xFF, 0xFE, 'a', 0, 0, 0, 'c', 0}, "a"},
        {"Latin-1 labelled as UTF-8", {3, 'c', 'a', 'f', 0xE9}, "caf" + R},
        {"UTF-8 cut short", {3, 0xE4, 0xB8, 'a', 0xE4, 0xB8}, R + "a" + R}, {"zero in UTF-8", {3, 'a', 0, 'c'}, "a"},
        // overlong, a surrogate, past U+10FFFF: one U+FFFD for each byte that cannot go on the sequence before it
        {"UTF-8 of no character", {3, 0xC0, 0xAF, 0xED, 0xA0, 0xF4, 0x90}, R + R + R + R + R + R},
    };
    for (const auto& [name, body, expected] : cases)
        for (std::size_t length = 1; length <= body.size(); ++length) {
            SCOPED_TRACE(std::string(name) + ", " + std::to_string(length) + " bytes");
            const Bytes area = Frame("TIT2", Slice(body, 0, length), 4);
            ID3v2Frames frames;
            frames.Load(area.data(), area.size(), 4, 0);
            const std::string title = frames.GetID3v2Title();
            EXPECT_TRUE(length < body.size() || title == expected) << title;
        }
}

} // namespace
