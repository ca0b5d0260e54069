// Text of any script from the file to the screen and back: shown in the list and the editor, typed through an input
// method and saved, imported from names (in a folder whose name is not UTF-8) through filters of any character, and
// held to typing limits by the characters seen.
#include "MainWindowFixture.h"

#include "TFiltersForm.h"
#include "TOptionsForm.h"

#include <QtCore/QStringEncoder>
#include <QtGui/QInputMethodEvent>

namespace {

using IndependentReaders::MutagenID3v2;

using AnyScriptTest = MainWindowTest;

// A title frame of version 2.3 in UTF-16 with its byte-order mark.
Bytes UTF16Title(const QString& title)
{
    const QByteArray units = QStringEncoder(QStringEncoder::Utf16LE)(title);
    return ID3v2Bytes::Frame("TIT2", ID3v2Bytes::TextBody("\xFF\xFE" + units.toStdString(), 1));
}

TEST_F(AnyScriptTest, EveryScriptIsShownAndSavedExactly)
{
    const QStringList texts = {QStringLiteral("Café"), QStringLiteral("Группа крови"), QStringLiteral("Ελλάδα"),
                               QStringLiteral("夜に駆ける"), QStringLiteral("مرحبا"), QStringLiteral("Rocket 🚀 Song"),
                               QStringLiteral("Cafe\u0301")};
    Windows.OptionsForm().AutoAdvanceSave->setChecked(false);
    for (int i = 0; i < texts.size(); ++i) {
        const QString& text = texts[i];
        SCOPED_TRACE(text.toStdString());
        const auto path = Music.file(std::to_string(i) + ".mp3");
        writeFile(path, Concat({ID3v2Bytes::Tag(3, UTF16Title(text), 64), Mp3Fixture::Frames(4)}));
        Show(std::to_string(i) + ".mp3");
        EXPECT_EQ(Cell(List.RowCount() - 1, MP3ListModel::TitleColumn) + "|" + Main.TitleV2->text(), text + "|" + text);

        Main.ArtistV2->clear();
        Main.ArtistV2->setFocus();
        QInputMethodEvent commit; // what an input method hands the field when the user commits a text
        commit.setCommitString(text);
        QApplication::sendEvent(Main.ArtistV2, &commit);
        ClickActive(Main.SaveBtn);
        EXPECT_EQ(QString::fromStdString(MutagenID3v2(path)->Texts.at("TPE1")), text);
    }
}

// The fields the file lacks show what the import scheme reads in its name, through the filters and both halves, and
// showing it never writes it. Its folder, not valid UTF-8, is chosen in the folder browser by the name shown.
TEST_F(AnyScriptTest, ATaglessFileTakesItsTagsFromItsNameThroughFiltersOfAnyCharacter)
{
    TFiltersForm& filters = Windows.FiltersForm();
    for (const auto& [from, to] : {std::pair {"ё", "е"}, {"🚀", ""}, {"_", " "}}) {
        // Typed or pasted, a text goes through the edit's check as insert does: one character of any script.
        filters.ImpFilter1->insert(QStringLiteral("ab"));
        filters.ImpFilter1->insert(QString::fromUtf8(from));
        filters.ImpFilter2->insert(QString::fromUtf8(to));
        EXPECT_TRUE(Texts(Answering({}, [&] { QTest::mouseClick(filters.ImpAddBtn, Qt::LeftButton); })).isEmpty());
    }
    EXPECT_EQ(filters.ImportFilterList(), (FilterList {"ё -> е", "🚀 -> ", "_ ->  "}));
    Main.ImportCB->setEditText(QStringLiteral("$ARTIST-$TITLE"));
    Main.CapitalizeFirst->setChecked(false);
    const auto path = Put("Caf\xE9/the_band-беспечный ангел мёд🚀.mp3", {});
    const Bytes before = readFile(path);
    AddDirectory(Music.file("Caf\xE9"));
    ClickRow(0);
    EXPECT_EQ(List.Row(0).Path(), path.string());
    EXPECT_EQ(Main.Artist->text() + "|" + Main.ArtistV2->text() + "|" + Main.TitleV2->text(),
              QStringLiteral("the band|the band|беспечный ангел мед"));
    EXPECT_EQ(readFile(path), before);
}

// An ID3v1 field holds 30 characters however many bytes or UTF-16 units they take, the import scheme box 100; a
// stored scheme longer than that can still be edited down, but not up.
TEST_F(AnyScriptTest, TypingLimitsCountCharactersAsTheUserSeesThem)
{
    const QString thirty = QStringLiteral("e\u0301🚀").repeated(15); // 60 code points, 30 characters seen
    Main.Title->insert(thirty);
    Main.Title->insert(QStringLiteral("x"));
    EXPECT_EQ(Main.Title->text(), thirty);
    QLineEdit& scheme = *Main.ImportCB->lineEdit();
    scheme.clear();
    QTest::keyClicks(&scheme, QString(120, QLatin1Char('x')));
    EXPECT_EQ(scheme.text(), QString(100, QLatin1Char('x')));
    scheme.setText(QString(150, QLatin1Char('s'))); // as a stored scheme is put in
    scheme.end(false);
    scheme.backspace();
    scheme.insert(QStringLiteral("ab"));
    EXPECT_EQ(scheme.text().size(), 149);
}

} // namespace
