// File information and playing, each asked of exactly one row.
#include "MainWindowFixture.h"

#include "TFileInfoForm.h"

#include <QtGui/QDesktopServices>

namespace {

// Takes the place of the desktop's opener for files, through Qt's own hook.
class OpenedUrls : public QObject {
    Q_OBJECT

public:
    OpenedUrls() { QDesktopServices::setUrlHandler("file", this, "Open"); }
    ~OpenedUrls() override { QDesktopServices::unsetUrlHandler("file"); }
    QList<QUrl> Urls;

public slots:
    void Open(const QUrl& url) { Urls << url; }
};

using AccessoriesTest = MainWindowTest;

TEST_F(AccessoriesTest, FileInfoShowsTheFirstFramesPropertiesAndBothTags)
{
    // A tag, then 208-byte MPEG-2 Layer III frames past the file's first read: CRC, mono, copyright, emphasis 50/15.
    const Mp3Fixture::HeaderBytes mpeg2 = {0xFF, 0xF2, 0x80, 0xC9};
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const std::vector<std::tuple<std::string, Bytes, QStringList>> rows = {
        {"mpeg2.mp3", Concat({Mp3Fixture::PaddedID3v2Tag(1344), Mp3Fixture::Frames(30, mpeg2)}),
         {"7,584 bytes", "1,344 bytes", "No", "Yes", "1,344 bytes", "MPEG-2 Layer III", "64 kbps", "22,050 Hz", "Mono",
          "0:01", "208 bytes", "~30 frames", "Yes", "Yes", "No", "50/15 ms"}},
        {"noaudio.mp3", Concat({Mp3Fixture::PaddedID3v2Tag(2048), Bytes(500, 0)}),
         {"2,548 bytes", "unknown bytes", "No", "Yes", "2,048 bytes", "Unknown", "unknown kbps", "unknown Hz",
          "Unknown", "unknown seconds", "unknown bytes", "Unknown", "Unknown", "Unknown", "Unknown", "Unknown"}}};
    for (const auto& [name, content, values] : rows) {
        writeFile(Music.file(name), content);
        Show(name);
        QStringList shown;
        OnNextModal([&shown](QWidget& modal) {
            auto* form = qobject_cast<TFileInfoForm*>(&modal);
            ASSERT_NE(form, nullptr);
            for (QLabel* value : {form->Bytes, form->Sync, form->ID3v1, form->ID3v2, form->ID3v2Size, form->Type,
                                  form->Bitrate, form->Freq, form->Audio, form->Length, form->FrameSize,
                                  form->NumFrames, form->CRC, form->Copyright, form->Original, form->Emphasis})
                shown << value->text();
            QTest::mouseClick(form->CloseBtn, Qt::LeftButton);
        });
        EXPECT_TRUE(Answering({}, [this] { Main.FileInfoMI->trigger(); }).empty()) << name;
        EXPECT_EQ(shown, values) << name;
    }
}

TEST_F(AccessoriesTest, PlayHandsTheFileByItsOwnBytesToTheDesktopOrSaysItCannot)
{
    Put("a.mp3", {}), Put("Caf\xE9.mp3", {});

    // Without a launcher on the desktop nothing opens, and the user is told which file or page stayed unopened.
    Show("a.mp3");
    const TempDir noPrograms;
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", noPrograms.path().c_str());
    EXPECT_EQ(Texts(Answering({}, [this] { Press(Qt::Key_P, Qt::ControlModifier), Main.ContentsMI->trigger(); })),
              QStringList({"The desktop found no program to open\n" + QString::fromStdString(Folder()) + "a.mp3",
                           "The desktop found no program to open\n" + Main.ProgramDirectory + "Help/help.htm"}));
    qputenv("PATH", path);

    // A name that is not UTF-8 reaches the opener as its own bytes.
    OpenedUrls opened;
    Show("Caf\xE9.mp3");
    Press(Qt::Key_P, Qt::ControlModifier);
    ASSERT_EQ(opened.Urls.size(), 1);
    EXPECT_TRUE(opened.Urls[0].toEncoded().endsWith("/Caf%E9.mp3")) << opened.Urls[0].toString().toStdString();
}

} // namespace

#include "AccessoriesTest.moc"
