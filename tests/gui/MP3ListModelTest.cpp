// What the MP3 list's rows cannot show through a handful of real files: the header click's comparison of
// each column, sizes in the user's locale, and rows updated after a tag or a name changed.
#include "GuiTestSupport.h"

#include "MP3ListModel.h"

#include <QtCore/QLocale>
#include <QtGui/QPixmap>
#include <QtTest/QSignalSpy>

namespace {

::testing::Environment* const QtApp = ::testing::AddGlobalTestEnvironment(new QtEnvironment<QApplication>);

using M = MP3ListModel;

ListRow Row(const std::string& caption, std::int64_t size = 0, int bitrate = 0, const std::string& length = "")
{
    return {"/music/", caption, caption, caption, length, size, bitrate, false, false};
}

TEST(MP3ListModel, HeaderClickComparesEachColumnByItsKind)
{
    ListRow v1 = Row("x"), v2 = Row("x");
    v1.HasID3v1 = v2.HasID3v2 = true;
    const struct {
        int Column;
        ListRow Lesser, Greater;
    } cases[] = {
        {M::FileColumn, Row("A.mp3"), Row("b.mp3")},
        {M::FileColumn, Row("b.mp3"), Row("C.mp3")},
        {M::FileColumn, Row("Z.mp3"), Row("_.mp3")},    // letters fold to upper case, not lower
        {M::FileColumn, Row("z.mp3"), Row("\xE9.mp3")}, // other bytes by their 8-bit code
        {M::ID3v1Column, Row("x"), v1},
        {M::ID3v2Column, Row("x"), v2},
        {M::TitleColumn, Row("alpha"), Row("Beta")},
        {M::BitrateColumn, Row("x", 0, 96), Row("x", 0, 128)},
        {M::SizeColumn, Row("x", 9'999), Row("x", 10'000)},
        {M::SizeColumn, Row("x", 3'000'000), Row("x", 30'000'000)},
        {M::LengthColumn, Row("x", 0, 0, "9:59"), Row("x", 0, 0, "10:00")},
        {M::LengthColumn, Row("x", 0, 0, "no time"), Row("x", 0, 0, "0:01")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Lesser.Caption + " " + c.Lesser.Length);
        EXPECT_LT(M::Compare(c.Lesser, c.Greater, c.Column), 0);
        EXPECT_GT(M::Compare(c.Greater, c.Lesser, c.Column), 0);
    }
    EXPECT_EQ(M::Compare(Row("abc.MP3"), Row("ABC.mp3"), M::FileColumn), 0);
}

TEST(MP3ListModel, SizesAreGroupedByThousandsInTheUsersLocale)
{
    QLocale::setDefault(QLocale::c());
    for (const auto& [size, text] : std::map<std::int64_t, QString> {{0, "0"}, {999, "999"}, {9'999, "9,999"},
                                                                      {5'000'000'000, "5,000,000,000"}})
        EXPECT_EQ(SizeText(size), text);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(SizeText(1'234'567), "1.234.567");
    QLocale::setDefault(QLocale::system());
}

TEST(MP3ListModel, ARowUpdatedAfterASaveOrRenameShowsItsNewStateOnly)
{
    std::array<QIcon, 4> icons;
    for (QIcon& icon : icons)
        icon = QIcon(QPixmap(1, 1)); // each its own icon
    M model(icons);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    model.Append({Row("a.mp3", 5, 192, "4:01"), Row("b.mp3")});
    EXPECT_EQ(inserted.count(), 1) << "one notification for a whole batch";
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    const auto shown = [&model](int column) { return model.index(0, column).data().toString().toStdString(); };
    for (const auto& [v1, v2, image, flags] : {std::tuple{true, false, 2, "Y "}, {false, true, 3, " Y"}}) {
        model.SetTagState(0, v1, v2, "T\xE9", 12'345);
        EXPECT_EQ(model.index(0, M::FileColumn).data(Qt::DecorationRole).value<QIcon>().cacheKey(),
                  icons[static_cast<std::size_t>(image)].cacheKey());
        EXPECT_EQ(shown(M::ID3v1Column) + " " + shown(M::ID3v2Column), flags);
        EXPECT_EQ(shown(M::TitleColumn) + " " + shown(M::BitrateColumn) + " " + shown(M::LengthColumn),
                  "T\xC3\xA9 192 4:01");
        EXPECT_EQ(model.Row(0).Size, 12'345);
        ASSERT_FALSE(changed.isEmpty());
        EXPECT_EQ(changed.takeLast().at(1).toModelIndex().column(), M::SizeColumn) << "the view repaints up to Size";
    }
    model.SetCaption(0, "new.mp3");
    EXPECT_EQ(shown(M::FileColumn), "new.mp3");
    EXPECT_EQ(model.Row(0).Path() + " " + model.Row(0).OriginalName, "/music/new.mp3 a.mp3");
}

} // namespace
