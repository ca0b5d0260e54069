// File information, playing, the help page and the about box: what the user sees and what reaches the desktop.
// A plain MPEG-1 file with both tags is shown in the whole-road test.
#include "MainWindowFixture.h"

#include "TAboutForm.h"

#include <QtCore/QLocale>
#include <QtGui/QDesktopServices>

#include <algorithm>

namespace {

// Takes the place of the desktop's opener for the schemes the program hands over, through Qt's own hook.
class OpenedUrls : public QObject {
    Q_OBJECT

public:
    OpenedUrls()
    {
        for (const QString& scheme : Schemes)
            QDesktopServices::setUrlHandler(scheme, this, "Open");
    }
    ~OpenedUrls() override { std::ranges::for_each(Schemes, QDesktopServices::unsetUrlHandler); }
    const QStringList Schemes = {"file", "https", "mailto"};

    QList<QUrl> Urls;

public slots:
    void Open(const QUrl& url) { Urls << url; }
};

// Whether this process still holds a descriptor on the file.
bool HeldOpen(const std::filesystem::path& file)
{
    std::error_code error;
    for (const auto& descriptor : std::filesystem::directory_iterator("/proc/self/fd"))
        if (std::filesystem::read_symlink(descriptor.path(), error) == file)
            return true;
    return false;
}

class AccessoriesTest : public MainWindowTest {
protected:
    OpenedUrls Opened;

    AccessoriesTest() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    ~AccessoriesTest() override { QLocale::setDefault(QLocale::system()); }
};

TEST_F(AccessoriesTest, FileInfoShowsTheFirstFramesPropertiesAndBothTags)
{
    // MPEG-2 Layer III, 64 kbit/s, 22050 Hz, with CRC, mono, copyright, emphasis 50/15: 208-byte frames.
    const Mp3Fixture::HeaderBytes mpeg2 = {0xFF, 0xF2, 0x80, 0xC9};
    const QStringList noAudio = {"unknown bytes", "Unknown", "unknown kbps", "unknown Hz", "Unknown",
                                 "unknown seconds", "unknown bytes", "Unknown", "Unknown", "Unknown", "Unknown",
                                 "Unknown"};
    const struct {
        std::string Name;
        std::optional<Bytes> Content; // none: the file is gone after it was listed
        QStringList Shown;
    } rows[] = {
        {"mpeg2.mp3", Mp3Fixture::Frames(30, mpeg2),
         {"6,240 bytes", "0 bytes", "No", "No", "NA", "MPEG-2 Layer III", "64 kbps", "22,050 Hz", "Mono", "0:01",
          "208 bytes", "~30 frames", "Yes", "Yes", "No", "50/15 ms"}},
        {"noaudio.mp3", Concat({Mp3Fixture::PaddedID3v2Tag(2048), Bytes(500, 0)}),
         QStringList {"2,548 bytes", "unknown bytes", "No", "Yes", "2,048 bytes"} + noAudio.mid(1)},
        {"gone.mp3", std::nullopt, QStringList {"unknown bytes", "unknown bytes", "No", "No", "NA"} + noAudio.mid(1)},
    };
    const auto boxes = Answering({}, [&] {
        for (const auto& row : rows) {
            writeFile(Music.file(row.Name), row.Content.value_or(Mp3Fixture::Mp3(20, 1344)));
            Show(row.Name);
            if (!row.Content)
                std::filesystem::remove(Music.file(row.Name));
            EXPECT_EQ(FileInfoShown([this] { Main.FileInfoMI->trigger(); }),
                      QStringList {QFile::decodeName(Music.file(row.Name).c_str())} + row.Shown)
                << row.Name;
            EXPECT_FALSE(HeldOpen(Music.file(row.Name))) << row.Name;
        }
    });
    EXPECT_EQ(Texts(boxes), QStringList());

    // The separator is the user's.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Show("mpeg2.mp3");
    EXPECT_EQ(FileInfoShown([this] { QTest::mouseClick(Main.FileInfoBtn, Qt::LeftButton); }).value(8), "22.050 Hz");
}

TEST_F(AccessoriesTest, FileInfoAndPlayAskForExactlyOneRow)
{
    const QString fileInfoRule = "You must have only one MP3 selected to use this option!";
    const QString playRule = "You must have only one file selected to play it!";
    // An empty list: nothing at all.
    EXPECT_EQ(Texts(Answering({}, [this] {
                  Press(Qt::Key_P, Qt::ControlModifier);
                  Press(Qt::Key_I, Qt::ControlModifier);
              })),
              QStringList());
    Put("a.mp3", {}), Put("b.mp3", {});
    AddDirectory(Music.path());
    // None of the rows selected, then two of them (a shift-double-click keeps both).
    EXPECT_EQ(Texts(Answering({}, [this] { Main.FileInfoMI->trigger(); })), QStringList {fileInfoRule});
    ClickRow(0);
    const QRect second = Main.Selected3->visualRect(List.index(1, 0));
    EXPECT_EQ(Texts(Answering({}, [&] {
                  QTest::mouseDClick(Main.Selected3->viewport(), Qt::LeftButton, Qt::ShiftModifier, second.center());
                  Main.FileInfoMI->trigger();
              })),
              (QStringList {playRule, fileInfoRule}));
    EXPECT_EQ(Opened.Urls, QList<QUrl>());
}

TEST_F(AccessoriesTest, PlayHandsTheSelectedFileToTheDesktopFromEveryTrigger)
{
    Put("Jóga 01.mp3", {});
    Show("Jóga 01.mp3");
    Press(Qt::Key_P, Qt::ControlModifier);
    QTest::mouseClick(Main.PlayMP3Btn, Qt::LeftButton);
    Main.PlayMP3->trigger();
    QTest::mouseDClick(Main.Selected3->viewport(), Qt::LeftButton, {},
                       Main.Selected3->visualRect(List.index(0, 0)).center());
    const QUrl song = QUrl::fromLocalFile(QFile::decodeName(Music.file("Jóga 01.mp3").c_str()));
    EXPECT_EQ(Opened.Urls, QList<QUrl>(4, song));

    // A name that is not UTF-8 reaches the opener as its own bytes.
    Put("Caf\xE9.mp3", {});
    Show("Caf\xE9.mp3");
    Press(Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(Opened.Urls.last().toEncoded().endsWith("/Caf%E9.mp3")) << Opened.Urls.last().toString().toStdString();
}

TEST_F(AccessoriesTest, ContentsOpensTheHelpPageBesideTheProgram)
{
    std::filesystem::create_directories(Music.file("Help"));
    writeFile(Music.file("Help/help.htm"), Bytes {'<'});
    Main.ProgramDirectory = QFile::decodeName(Music.path().c_str()) + "/";
    Press(Qt::Key_F1);
    EXPECT_EQ(Opened.Urls, QList<QUrl> {QUrl::fromLocalFile(Main.ProgramDirectory + "Help/help.htm")});
}

TEST_F(AccessoriesTest, AboutBoxShowsTheVersionAndItsLinksOpenTheirAddressesOnly)
{
    QString version;
    OnNextModal([&](QWidget& modal) {
        auto* about = qobject_cast<TAboutForm*>(&modal);
        ASSERT_NE(about, nullptr);
        version = about->VersionTxt->text();
        QTest::mouseClick(about->URLTxt, Qt::LeftButton);
        QTest::mouseClick(about->EmailTxt, Qt::LeftButton);
        // A caption that looks like an address opens nothing without a URL.
        about->EmailTxt->URL.clear();
        QTest::mouseClick(about->EmailTxt, Qt::LeftButton);
        QTest::mouseClick(about->Button1, Qt::LeftButton);
    });
    Press(Qt::Key_F10);
    EXPECT_EQ(version, "1.4.5 (April 14, 2002)");
    EXPECT_EQ(Opened.Urls, (QList<QUrl> {QUrl("https://www.example.org/vellum-mp3/"),
                                         QUrl("mailto:vellum-mp3@example.org")}));
}

} // namespace

#include "AccessoriesTest.moc"
