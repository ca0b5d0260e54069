// Files and folders handed to the program from outside: named on its command line, or dragged from a file manager
// and dropped on the list.
#include "MainWindowFixture.h"

#include "CommandLine.h"
#include "DesktopOpen.h"

#include <QtCore/QMimeData>

namespace {

class GivenPathsTest : public MainWindowTest {
protected:
    // Drags the paths over the list and drops them, the file manager proposing a move (Shift held); the action the
    // drop then reports back to the file manager, which deletes the files after a move.
    Qt::DropAction Drop(const std::vector<std::string>& paths)
    {
        QList<QUrl> urls;
        for (const std::string& path : paths)
            urls << FileUrl(path);
        QMimeData data;
        data.setUrls(urls);
        QWidget& list = *Main.Selected3->viewport();
        const QPoint at = list.rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::ShiftModifier);
        QApplication::sendEvent(&list, &enter);
        QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::ShiftModifier);
        drop.setDropAction(Qt::MoveAction);
        QApplication::sendEvent(&list, &drop);
        QCoreApplication::processEvents(); // the files load once the drop has ended
        return drop.dropAction();
    }
};

TEST_F(GivenPathsTest, FoldersAndMP3FilesLoadOnceEachAndOneMessageNamesTheOthers)
{
    Put("album/a.mp3", {.V2 = {{"TIT2", "A"}}});
    Put("album/sub/b.mp3", {});
    Put("Caf\xE9.mp3", {});
    writeFile(Music.file("notes.txt"), Bytes(10, 'x'));
    const std::vector<std::string> given = {"album", "./Caf\xE9.mp3", "gone.mp3", "notes.txt", "album/a.mp3"};
    // The command line names them relative to the working directory; a drop by absolute URLs.
    std::filesystem::current_path(Music.path());
    const std::vector<std::pair<std::string, std::function<void()>>> ways = {
        {"", [&] { Main.AddPaths(given); }},
        {Folder(), [&] {
             std::vector<std::string> absolute;
             for (const std::string& path : given)
                 absolute.push_back(Folder() + path);
             EXPECT_EQ(Drop(absolute), Qt::CopyAction);
         }}};
    for (const auto& [shownFolder, give] : ways) {
        SCOPED_TRACE(shownFolder);
        Answering({QMessageBox::Yes}, [this] { Main.ClearMP3MI->trigger(); });
        const QString folder = QString::fromStdString(shownFolder);
        const QString named = folder + "gone.mp3 (not found)\n" + folder + "notes.txt (not an MP3 file)";
        EXPECT_EQ(Texts(Answering({}, give)), QStringList {"Not added to the list:\n" + named});
        EXPECT_EQ(Captions(), (std::vector<std::string> {"a.mp3", "b.mp3", "Caf\xE9.mp3"}));
        EXPECT_EQ(List.Row(2).Path(), Folder() + "Caf\xE9.mp3");
    }
}

TEST_F(GivenPathsTest, OnlyLocalFilesAreTakenAndTheListShowsWhereTheyGoWhileTheyAreOverIt)
{
    QWidget& list = *Main.Selected3->viewport();
    const QImage plain = list.grab().toImage();
    for (const auto& [url, taken] : {std::pair {FileUrl(Folder() + "a.mp3"), true},
                                     {QUrl(QStringLiteral("https://example.org/a.mp3")), false}}) {
        QMimeData data;
        data.setUrls({url});
        QDragEnterEvent enter(list.rect().center(), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&list, &enter);
        EXPECT_EQ(enter.isAccepted(), taken) << url.toString().toStdString();
        EXPECT_EQ(list.grab().toImage() != plain, taken) << url.toString().toStdString();
        QDragLeaveEvent leave;
        QApplication::sendEvent(&list, &leave);
        EXPECT_EQ(list.grab().toImage(), plain);
    }
}

TEST(CommandLineTest, PathsKeepTheirBytesAndAnUnknownOptionStopsTheStart)
{
    char program[] = "vellum-mp3", latin1[] = "Caf\xE9.mp3", end[] = "--", dashed[] = "-x.mp3", unknown[] = "--bogus";
    char* paths[] = {program, latin1, end, dashed};
    EXPECT_EQ(PathArguments(4, paths), (std::vector<std::string> {"Caf\xE9.mp3", "-x.mp3"}));
    char* wrong[] = {program, unknown};
    EXPECT_EQ(PathArguments(2, wrong), std::nullopt);
}

} // namespace
