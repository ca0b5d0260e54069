// Files and folders handed to the program from outside: named on its command line, or dragged from a file manager
// and dropped on the list.
#include "MainWindowFixture.h"

#include "CommandLine.h"
#include "DesktopOpen.h"

#include <QtCore/QMimeData>

namespace {

// Drags the URLs over the list and drops them, the file manager proposing a move (Shift held). The action the drop
// reports back, after which a file manager deletes moved files; IgnoreAction when the list did not take them or
// showed nothing while they were over it.
Qt::DropAction Drop(QWidget& list, const QList<QUrl>& urls)
{
    QMimeData data;
    data.setUrls(urls);
    const QImage plain = list.grab().toImage();
    const QPoint at = list.rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::ShiftModifier);
    QApplication::sendEvent(&list, &enter);
    const bool shown = list.grab().toImage() != plain;
    QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::ShiftModifier);
    drop.setDropAction(Qt::MoveAction);
    QApplication::sendEvent(&list, &drop);
    QCoreApplication::processEvents(); // the files load once the drop has ended
    return enter.isAccepted() && shown && drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
}

TEST_F(MainWindowTest, FoldersAndMP3FilesGivenOrDroppedLoadOnceEachAndOneMessageNamesTheOthers)
{
    Put("album/a.mp3", {.V2 = {{"TIT2", "A"}}});
    Put("album/sub/b.mp3", {});
    Put("Caf\xE9.mp3", {});
    writeFile(Music.file("notes.txt"), Bytes(10, 'x'));
    const std::vector<std::string> given = {"album", "./Caf\xE9.mp3", "gone.mp3", "notes.txt", "album/a.mp3"};
    // The command line names them relative to the working directory, a drop by absolute URLs.
    std::filesystem::current_path(Music.path());
    QList<QUrl> dropped;
    for (const std::string& path : given)
        dropped << FileUrl(Folder() + path);
    QWidget& list = *Main.Selected3->viewport();
    EXPECT_EQ(Drop(list, {QUrl(QStringLiteral("https://example.org/a.mp3"))}), Qt::IgnoreAction) << "not a file";
    const std::vector<std::pair<std::string, std::function<void()>>> ways = {
        {"", [&] { Main.AddPaths(given); }}, {Folder(), [&] { EXPECT_EQ(Drop(list, dropped), Qt::CopyAction); }}};
    for (const auto& [shownFolder, give] : ways) {
        Answering({QMessageBox::Yes}, [this] { Main.ClearMP3MI->trigger(); });
        const QString folder = QString::fromStdString(shownFolder);
        const QString named = folder + "gone.mp3 (not found)\n" + folder + "notes.txt (not an MP3 file)";
        EXPECT_EQ(Texts(Answering({}, give)), QStringList {"Not added to the list:\n" + named});
        EXPECT_EQ(Captions(), (Names {"a.mp3", "b.mp3", "Caf\xE9.mp3"}));
        EXPECT_EQ(List.Row(2).Path(), Folder() + "Caf\xE9.mp3");
    }
}

TEST(CommandLineTest, PathsKeepTheirBytesAndAnUnknownOptionStopsTheStart)
{
    char program[] = "vellum-mp3", latin1[] = "Caf\xE9.mp3", end[] = "--", dashed[] = "-x.mp3", unknown[] = "--bogus";
    char* paths[] = {program, latin1, end, dashed};
    EXPECT_EQ(PathArguments(4, paths), (Names {"Caf\xE9.mp3", "-x.mp3"}));
    char* wrong[] = {program, unknown};
    EXPECT_EQ(PathArguments(2, wrong), std::nullopt);
}

} // namespace
