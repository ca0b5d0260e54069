// What the saves and removals may do to a file on disk: change its tags and nothing else, keep its mode bits and
// its links, never touch a stranger's file, and after any failure leave it byte-identical with no temporary file.
#include "EngineFile.h"
#include "FileReplaceStepOverride.h"
#include "FileSizeLimit.h"
#include "ID3v2Bytes.h"
#include "IndependentReaders.h"
#include "Mp3Fixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace IndependentReaders;

// The writes and deletes the window offers, each on a file read first as the window reads it.
enum Op { AppendV1, OverwriteV1, DeleteV1, SaveV2InPlace, GrowV2, DeleteV2 };
const char* const OpNames[] = {"append v1", "overwrite v1", "delete v1", "save v2 in place", "grow v2", "delete v2"};
const Bytes Audio = Mp3Fixture::Frames(8);
const std::string Grown(5000, 'G');

Bytes Song(bool withV1)
{
    return Concat({ID3v2Bytes::Tag(3, ID3v2Bytes::Frame("TIT2", ID3v2Bytes::TextBody("Old")), 1000), Audio,
                   withV1 ? Mp3Fixture::ID3v1Record({.Title = "Old one"}) : Bytes{}});
}

bool Apply(TMP3File& engine, Op op)
{
    switch (op) {
    case AppendV1:
    case OverwriteV1: engine.SetID3v1Title("New"); return engine.WriteID3v1Tag();
    case DeleteV1: return engine.DeleteID3v1();
    case SaveV2InPlace: engine.SetID3v2Title("New"); return engine.WriteID3v2Tag();
    case GrowV2: engine.SetID3v2Title(Grown); return engine.WriteID3v2Tag();
    case DeleteV2: return engine.DeleteID3v2();
    }
    return false;
}

// The file's bytes, mode and kind, and every other file beside it.
struct Snapshot {
    std::optional<Bytes> Content;
    fs::perms Mode {};
    bool Link = false;
    std::map<std::string, Bytes> Others;
    bool operator==(const Snapshot&) const = default;
};

struct FileSafety : EngineFile {
    fs::path watched = path; // the name the engine was given
    bool v1Before = false;

    Snapshot Take() const
    {
        Snapshot s;
        s.Link = fs::is_symlink(watched);
        if (fs::is_regular_file(watched))
            s.Content = readFile(watched), s.Mode = fs::status(watched).permissions();
        std::error_code none;
        for (const auto& entry : fs::directory_iterator(watched.parent_path()))
            if (entry.is_regular_file() && !entry.is_symlink() && !fs::equivalent(entry.path(), watched, none))
                s.Others[entry.path().filename().string()] = readFile(entry.path());
        return s;
    }

    void Reopen(const fs::path& name, bool read = true)
    {
        watched = name;
        engine.Reset();
        engine.SetFileName(name.string());
        ASSERT_TRUE(!read || engine.ReadTags());
    }

    // Only the content changed, the audio is untouched and TagLib sees the ID3v1 tag asked for.
    void ExpectDone(Op op, const Snapshot& before) const
    {
        const Snapshot after = Take();
        EXPECT_EQ(std::tie(after.Others, after.Mode, after.Link), std::tie(before.Others, before.Mode, before.Link));
        const Bytes rest = Mp3Fixture::AudioOf(readFile(watched));
        const bool v1After = op == AppendV1 || op == OverwriteV1 || (v1Before && op != DeleteV1);
        EXPECT_EQ(Slice(rest, 0, rest.size() - (v1After ? 128 : 0)), Audio);
        const auto v1 = TagLibID3v1(watched);
        EXPECT_EQ(v1 ? v1->Title : "none", !v1After ? "none" : op == AppendV1 || op == OverwriteV1 ? "New" : "Old one");
    }
};

struct Situation {
    const char* Name;
    std::function<void(FileSafety&)> Arrange;        // after the file was put and read
    std::function<std::optional<bool>(Op)> Succeeds; // nullopt: not asked
    std::function<std::shared_ptr<void>(FileSafety&)> During = {};
};

std::optional<bool> Always(Op) { return true; }
std::optional<bool> Never(Op) { return false; }
std::optional<bool> UnlessRewrite(Op op) { return op != GrowV2 && op != DeleteV2; }

TEST_F(FileSafety, EveryWriteAndDeleteChangesOnlyItsTagOrNothing)
{
    const std::vector<Situation> situations = {
        // First, so that the process's first temporary names are the strangers'.
        {"strangers' files with temporary names", [](FileSafety& f) {
             for (int number = 1; number <= 40; ++number)
                 writeFile(f.dir.file("TMP" + std::to_string(number) + ".$$$"), Bytes(1, 9));
         }, Always},
        {"read-only, not world-readable", [](FileSafety& f) { ASSERT_EQ(chmod(f.path.c_str(), 0440), 0); }, Always},
        {"read-only setgid file", [](FileSafety& f) { ASSERT_EQ(chmod(f.path.c_str(), 02444), 0); }, Always},
        {"file reached through a link", [](FileSafety& f) {
             fs::rename(f.path, f.dir.file("real.mp3"));
             fs::create_symlink("real.mp3", f.path);
             f.Reopen(f.path);
         }, Always},
        {"no read before", [](FileSafety& f) { f.Reopen(f.path, false); }, Always},
        {"last step of the rewrite fails", [](FileSafety&) {}, UnlessRewrite, [](FileSafety&) {
             return std::make_shared<FileReplaceStepOverride>([](const char*, const char*) { return -1; });
         }},
        {"disk full", [](FileSafety&) {}, [](Op op) { return std::optional(op != AppendV1 && op != GrowV2); },
         [](FileSafety& f) { return std::make_shared<FileSizeLimit>(f.original.size() + 50); }},
        {"directory moved after the read", [](FileSafety& f) {
             fs::create_directory(f.dir.file("sub"));
             fs::rename(f.path, f.dir.file("sub") / "song.mp3");
             f.Reopen(f.dir.file("sub") / "song.mp3");
             fs::rename(f.dir.file("sub"), f.dir.file("moved"));
             f.watched = f.dir.file("moved") / "song.mp3";
         }, Never},
        {"missing file", [](FileSafety& f) {
             fs::remove(f.path);
             f.Reopen(f.path, false);
         }, Never},
        {"a directory of that name", [](FileSafety& f) {
             fs::remove(f.path);
             fs::create_directory(f.path);
             f.Reopen(f.path, false);
             EXPECT_FALSE(f.engine.ReadTags());
         }, Never},
        // Another program added or removed the ID3v1 tag since the read: the cached answer must not be used.
        {"ID3v1 tag added or removed on disk since the read", [](FileSafety& f) {
             f.v1Before = !f.v1Before;
             writeFile(f.path, Song(f.v1Before));
         }, [](Op op) { return op <= DeleteV1 ? std::optional(true) : std::nullopt; }},
    };
    // Both roads of a rewrite: the new version named from the start (first, for the strangers' names), and
    // unnamed until it is complete.
    for (const bool unnamed : {false, true}) {
        for (const Situation& s : situations) {
            for (const Op op : {AppendV1, OverwriteV1, DeleteV1, SaveV2InPlace, GrowV2, DeleteV2}) {
                const std::optional<bool> succeeds = s.Succeeds(op);
                if (!succeeds)
                    continue;
                SCOPED_TRACE(std::string(s.Name) + ", " + OpNames[op] + (unnamed ? "" : ", named temporary"));
                std::optional<NamedTemporaries> named;
                if (!unnamed)
                    named.emplace();
                watched = path;
                v1Before = op != AppendV1;
                Put(Song(v1Before));
                ASSERT_TRUE(engine.ReadTags());
                s.Arrange(*this);
                const Snapshot before = Take();
                bool done = false;
                {
                    const auto held = s.During ? s.During(*this) : nullptr;
                    done = Apply(engine, op);
                }
                EXPECT_EQ(done, *succeeds);
                if (!done) {
                    EXPECT_EQ(Take(), before);
                } else {
                    ExpectDone(op, before);
                    const auto v2 = TagLibID3v2(watched);
                    EXPECT_EQ(v2 ? v2->Title : "none",
                              op == DeleteV2 ? "none" : op == SaveV2InPlace ? "New" : op == GrowV2 ? Grown : "Old");
                    // Saved a second time by the same object: what it did first left nothing stale behind.
                    engine.SetID3v2Album("Again");
                    ASSERT_TRUE(engine.WriteID3v2Tag());
                    ExpectDone(op, before);
                    const auto again = TagLibID3v2(watched).value_or(TagLibTag {});
                    EXPECT_EQ(again.Album, "Again");
                    EXPECT_TRUE(op != DeleteV2 || again.Title.empty()) << "the removed tag came back";
                }
                for (const auto& entry : fs::directory_iterator(dir.path()))
                    fs::remove_all(entry.path());
            }
        }
    }
}

// The size of a file over 4 GiB is not cut to 32 bits: its ID3v1 tag is written at the real end, found and
// removed there. The file is sparse, so it takes no disk space.
TEST_F(FileSafety, FileOver4GiBHasItsID3v1TagAtItsEnd)
{
    const std::int64_t length = (std::int64_t{1} << 32) + 1000;
    writeFile(path, {});
    ASSERT_EQ(truncate(path.c_str(), length - 128), 0);
    engine.SetFileName(path.string());
    engine.SetID3v1Title("Far");
    ASSERT_TRUE(engine.WriteID3v1Tag());
    TMP3File fresh;
    fresh.SetFileName(path.string());
    ASSERT_TRUE(fresh.ReadID3v1());
    EXPECT_EQ(fresh.GetFileSize(), length);
    EXPECT_EQ(fresh.GetID3v1Title(), "Far");
    ASSERT_TRUE(fresh.DeleteID3v1());
    EXPECT_EQ(static_cast<std::int64_t>(fs::file_size(path)), length - 128);
}

// A save killed while it writes the new version, as by a power cut or kill -9, leaves the file as it was and nothing
// beside it. The kernel kills the child the moment the new version would outgrow the limit.
TEST_F(FileSafety, RewriteKilledMidwayLeavesTheFileAsItWasAndNoFileBesideIt)
{
    Put(Song(true));
    ASSERT_TRUE(engine.ReadTags());
    engine.SetID3v2Title(Grown);
    const pid_t child = fork();
    if (child == 0) {
        prctl(PR_SET_DUMPABLE, 0); // no core file
        const FileSizeLimit limit(original.size() / 2);
        std::signal(SIGXFSZ, SIG_DFL);
        engine.WriteID3v2Tag();
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << status;
    EXPECT_EQ(Content(), original);
    EXPECT_TRUE(Alone());
}

// Another program cuts the file short while a save copies its audio into the new version: the short copy must
// not replace the file. The cut lands the moment the new version is created, before its first copied audio byte.
TEST_F(FileSafety, FileCutShortWhileItsAudioIsCopiedIsNotReplaced)
{
    Put(Concat({ID3v2Bytes::Tag(3, ID3v2Bytes::Frame("TIT2", ID3v2Bytes::TextBody("Old")), 200),
                Mp3Fixture::Frames(100)}));
    ASSERT_TRUE(engine.ReadTags());
    static std::string target;
    static std::size_t cut;
    target = path.string();
    cut = original.size() - 1000;
    {
        const auto cutThenNamed = [](const char*, mode_t) {
            return truncate(target.c_str(), static_cast<off_t>(cut)) == 0 ? (errno = EOPNOTSUPP, -1) : -1;
        };
        const StepOverride<FileReplaceStep::OpenFunction> cutting(FileReplaceStep::OpenUnnamed, cutThenNamed);
        engine.SetID3v2Title(std::string(3000, 'L'));
        EXPECT_FALSE(engine.WriteID3v2Tag());
    }
    EXPECT_EQ(Content(), Slice(original, 0, cut));
    EXPECT_TRUE(Alone());
}

} // namespace
