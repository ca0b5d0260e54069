// Text of every script: decoded from each stored encoding, written back in the encoding its characters need, left
// byte-identical when not edited, and narrowed to ISO-8859-1 for ID3v1 one character at a time; checked on disk and
// with TagLib and mutagen. Then malformed text, which must give a defined text and never a read past its frame.
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

std::string Repeated(const std::string& text, std::size_t times)
{
    std::string all;
    while (times-- > 0)
        all += text;
    return all;
}

struct Script {
    const char* Name;
    std::string Text;
    std::string ID3v1; // as ISO-8859-1 stores it, one character for each
};

using AnyScript = EngineFile;

// Faults each row catches: a byte-order slip, a surrogate pair split, text cut in the middle of a character,
// text that fits ISO-8859-1 written as UTF-16, an unchanged frame re-encoded.
TEST_F(AnyScript, ReadsWritesKeepsAndNarrowsTextOfEveryScript)
{
    const std::vector<Script> scripts = {
        {"Latin-1 accents", "Déjà vu à Noël", "Déjà vu à Noël"}, {"Cyrillic", "Группа крови", "?????? ?????"},
        {"Greek", "Ελληνικά", "????????"},                         {"Japanese", "夜に駆ける", "?????"},
        {"Arabic", "أغنية", "?????"},                             {"Emoji", "Rocket 🚀 Song", "Rocket ? Song"},
        {"Combining accent", "Cafe\u0301", "Café"},
    };
    // The version and encoding of the stored title.
    const std::vector<std::pair<std::uint8_t, std::uint8_t>> stored = {{3, 1}, {4, 3}, {4, 2}};
    for (const Script& script : scripts)
        for (const auto& [version, encoding] : stored) {
            SCOPED_TRACE(std::string(script.Name) + ", version 2." + std::to_string(version) + ", encoding "
                         + std::to_string(encoding));
            const Bytes title = Frame("TIT2", Encoded(script.Text, encoding), version);
            Put(Concat({Tag(version, Concat({title, Frame("TPE1", TextBody("Old"), version)}), 100),
                        Mp3Fixture::Frames(4)}));
            ASSERT_TRUE(engine.ReadTags());
            EXPECT_EQ(engine.GetID3v2Title(), script.Text);

            // The artist edited, the title stored back as shown: a new artist frame in the encoding its text
            // needs, the title frame as it was.
            engine.SetID3v2Title(engine.GetID3v2Title());
            engine.SetID3v2Artist(script.Text);
            const std::filesystem::path side = dir.file("song.id2");
            ASSERT_TRUE(engine.ExportID3v2(side.string()));
            ASSERT_TRUE(engine.WriteID3v2Tag());
            const bool latin1 = script.ID3v1 == script.Text;
            const Bytes artist = Frame("TPE1", Encoded(script.Text, latin1 ? 0 : version == 4 ? 3 : 1), version);
            const Bytes tag = Slice(Content(), 0, Mp3Fixture::TagAreaOf(Content()));
            EXPECT_NE(Find(tag, title), std::string::npos) << "the title frame is no longer as stored";
            EXPECT_NE(Find(tag, artist), std::string::npos) << "the artist frame is not in its encoding";
            EXPECT_EQ(readFile(side), tag) << "the side file is not the tag saved";
            const auto mutagen = IndependentReaders::MutagenID3v2(path);
            ASSERT_TRUE(mutagen);
            EXPECT_EQ(mutagen->Texts.at("TIT2") + "|" + mutagen->Texts.at("TPE1"), script.Text + "|" + script.Text);

            // Copied to ID3v1 as the conversion does: each character one byte, the width counting characters.
            engine.SetID3v1Title(engine.GetID3v2Title());
            engine.SetID3v1Album(Repeated(engine.GetID3v2Artist(), 4));
            ASSERT_TRUE(engine.WriteID3v1Tag());
            const auto album = TagLib::String(Repeated(script.ID3v1, 4), TagLib::String::UTF8).substr(0, 30);
            const auto v1 = IndependentReaders::TagLibID3v1(path);
            ASSERT_TRUE(v1);
            EXPECT_EQ(v1->Title + "|" + v1->Album, script.ID3v1 + "|" + album.to8Bit(true));
        }
}

// Each text is loaded from a frame area exactly as long as the frame, and from every shorter cut of it, so that
// the sanitizers see any read past it.
TEST(AnyScriptText, MalformedTextGivesADefinedTextAndNoReadPastTheFrame)
{
    const std::string R = "\uFFFD"; // the replacement character
    const std::vector<std::tuple<const char*, Bytes, std::string>> cases = {
        {"Latin-1, up to a zero byte", {0, 'a', 0xE9, 0, 'c'}, "a\u00E9"},
        {"unknown encoding read as Latin-1", {7, 0xE9}, "\u00E9"},
        {"UTF-16, little-endian by its mark", {1, 0xFF, 0xFE, 0x1A, 0x04, 0x30, 0x04}, "Ка"},
        {"UTF-16, big-endian by its mark", {1, 0xFE, 0xFF, 0x04, 0x1A, 0x04, 0x30}, "Ка"},
        {"UTF-16 without a mark, little-endian", {1, 0x1A, 0x04}, "К"},
        {"UTF-16BE", {2, 0x4E, 0x2D, 0x65, 0x87}, "中文"},
        {"UTF-16BE behind a little-endian mark", {2, 0xFF, 0xFE, 0x2D, 0x4E}, "中"},
        {"surrogate pair", {1, 0xFF, 0xFE, 0x3D, 0xD8, 0x80, 0xDE, 'x', 0}, "🚀x"},
        {"surrogate pair, big-endian", {2, 0xD8, 0x3D, 0xDE, 0x80}, "🚀"},
        {"lone high surrogate", {1, 0xFF, 0xFE, 0x3D, 0xD8, 'x', 0}, R + "x"},
        {"lone low surrogate", {1, 0xFF, 0xFE, 0x80, 0xDE, 'x', 0}, R + "x"},
        {"pair cut by the end of the frame", {1, 0xFF, 0xFE, 'x', 0, 0x3D, 0xD8, 0x80}, "x" + R + R},
        {"odd byte count", {1, 0xFF, 0xFE, 'H', 0, 'i'}, "H" + R},
        {"odd zero byte ending the text", {1, 0xFF, 0xFE, 'H', 0, 'i', 0, 0}, "Hi"},
        {"mark only", {1, 0xFF, 0xFE}, ""},
        {"half a mark", {1, 0xFF}, R},
        {"FF FE inside the text", {1, 0xFF, 0xFE, 'a', 0, 0xFF, 0xFE, 'b', 0}, "a\uFEFFb"},
        {"zero character inside 16-bit text", {1, 0xFF, 0xFE, 'a', 0, 0, 0, 'c', 0}, "a"},
        {"UTF-8", {3, 0xE4, 0xB8, 0xAD, 0xF0, 0x9F, 0x9A, 0x80}, "中🚀"},
        {"Latin-1 labelled as UTF-8", {3, 'c', 'a', 'f', 0xE9}, "caf" + R},
        {"UTF-8 cut short", {3, 'a', 0xE4, 0xB8}, "a" + R},
        {"UTF-8 cut short before more text", {3, 0xE4, 0xB8, 'a'}, R + "a"},
        {"overlong UTF-8", {3, 0xC0, 0xAF, 0xE0, 0x80, 0xAF}, R + R + R + R + R},
        {"UTF-8 of a surrogate or past U+10FFFF", {3, 0xED, 0xA0, 0x80, 0xF4, 0x90}, R + R + R + R + R},
        {"zero byte inside UTF-8", {3, 'a', 0, 'c'}, "a"},
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
