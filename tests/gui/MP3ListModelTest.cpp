// The MP3 list's rows as the view shows them: column texts, icons, header-click order, and the selection and
// loaded row staying on their files through a sort.
#include "GuiTestSupport.h"

#include "MP3ListModel.h"

#include <QtCore/QItemSelectionModel>
#include <QtGui/QPixmap>
#include <QtTest/QSignalSpy>

#include <set>

namespace {

::testing::Environment* const QtApp = ::testing::AddGlobalTestEnvironment(new QtEnvironment<QApplication>);

using M = MP3ListModel;

ListRow Row(const std::string& caption, std::int64_t size = 0, int bitrate = 0, const std::string& length = "")
{
    return {"/music/", caption, caption, caption, length, size, bitrate, false, false};
}

std::array<QIcon, 4> Icons()
{
    std::array<QIcon, 4> icons;
    const Qt::GlobalColor colours[] = {Qt::green, Qt::gray, Qt::blue, Qt::red};
    for (std::size_t i = 0; i < icons.size(); ++i) {
        QPixmap pixmap(16, 16);
        pixmap.fill(colours[i]);
        icons[i] = QIcon(pixmap);
    }
    return icons;
}

QString Shown(const M& model, int column, int role = Qt::DisplayRole)
{
    return model.data(model.index(0, column), role).toString();
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

TEST(MP3ListModel, SortKeepsSelectionCurrentAndLoadedRowOnTheirFiles)
{
    M model(Icons());
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    model.Append({Row("b.mp3", 300), Row("A.mp3", 100), Row("c.mp3", 200), Row("d.mp3", 200)});
    EXPECT_EQ(inserted.count(), 1);
    QItemSelectionModel selection(&model);
    for (const int row : {0, 3})
        selection.select(model.index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    selection.setCurrentIndex(model.index(2, 0), QItemSelectionModel::NoUpdate);
    const QPersistentModelIndex loaded = model.index(1, 0);

    const auto caption = [&](const QModelIndex& index) { return model.Row(index.row()).Caption; };
    const struct {
        int Column;
        bool Descending;
        std::string Order;
    } cases[] = {
        {M::FileColumn, false, "A.mp3 b.mp3 c.mp3 d.mp3 "},
        {M::FileColumn, true, "d.mp3 c.mp3 b.mp3 A.mp3 "},
        {M::SizeColumn, true, "b.mp3 d.mp3 c.mp3 A.mp3 "}, // equal sizes keep their order
    };
    for (const auto& c : cases) {
        model.SortBy(c.Column, c.Descending);
        std::string order;
        for (int i = 0; i < model.RowCount(); ++i)
            order += model.Row(i).Caption + " ";
        EXPECT_EQ(order, c.Order);
        std::set<std::string> selected;
        for (const QModelIndex& row : selection.selectedRows())
            selected.insert(caption(row));
        EXPECT_EQ(selected, (std::set<std::string> {"b.mp3", "d.mp3"}));
        EXPECT_EQ(caption(selection.currentIndex()), "c.mp3");
        EXPECT_EQ(caption(loaded), "A.mp3");
    }
}

TEST(MP3ListModel, ColumnsShowTheRowWithTheirCaptionsAndAlignments)
{
    QLocale::setDefault(QLocale::c());
    M model(Icons());
    model.Append({{"/music/", "\xC3\x9C" "ber.mp3", "old.mp3", "Caf\xE9", "3:05", 1'234'567, 128, true, false}});
    const QStringList texts = {QString::fromUtf8("Über.mp3"), "Y", "", "Café", "128", "1,234,567", "3:05"};
    const QStringList captions = {"File", "ID3v1", "ID3v2", "Title", "Bitrate", "Size", "Length"};
    const int alignments[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignHCenter, Qt::AlignLeft,
                              Qt::AlignLeft, Qt::AlignRight,   Qt::AlignRight};
    ASSERT_EQ(model.columnCount(), M::ColumnCount);
    for (int column = 0; column < M::ColumnCount; ++column) {
        EXPECT_EQ(Shown(model, column), texts[column]);
        EXPECT_EQ(model.headerData(column, Qt::Horizontal).toString(), captions[column]);
        for (const QVariant& alignment : {model.data(model.index(0, column), Qt::TextAlignmentRole),
                                          model.headerData(column, Qt::Horizontal, Qt::TextAlignmentRole)})
            EXPECT_EQ(alignment.toInt() & Qt::AlignHorizontal_Mask, alignments[column]) << column;
        EXPECT_EQ(model.flags(model.index(0, column)), Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    }
    model.SetCaption(0, "new.mp3");
    EXPECT_EQ(Shown(model, M::FileColumn), "new.mp3");
    EXPECT_EQ(model.Row(0).Path() + " " + model.Row(0).OriginalName, "/music/new.mp3 old.mp3");

    for (const auto& [size, text] : std::map<std::int64_t, QString> {{0, "0"}, {999, "999"}, {9'999, "9,999"},
                                                                      {5'000'000'000, "5,000,000,000"}})
        EXPECT_EQ(SizeText(size), text);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(SizeText(1'234'567), "1.234.567");
    QLocale::setDefault(QLocale::system());
}

TEST(MP3ListModel, TagStateSetsImageFlagsTitleAndSizeOnly)
{
    QLocale::setDefault(QLocale::c());
    const std::array<QIcon, 4> icons = Icons();
    M model(icons);
    model.Append({Row("a.mp3", 5, 192, "4:01")});
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    const struct {
        bool V1, V2;
        std::size_t Image;
        QString Flags;
    } cases[] = {{true, true, 0, "Y Y"}, {true, false, 2, "Y "}, {false, true, 3, " Y"}, {false, false, 1, " "}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Image);
        model.SetTagState(0, c.V1, c.V2, "T", 10'000 + static_cast<int>(c.Image));
        const QIcon shown = model.data(model.index(0, M::FileColumn), Qt::DecorationRole).value<QIcon>();
        EXPECT_EQ(shown.cacheKey(), icons[c.Image].cacheKey());
        EXPECT_EQ(Shown(model, M::ID3v1Column) + " " + Shown(model, M::ID3v2Column), c.Flags);
        EXPECT_EQ(Shown(model, M::TitleColumn) + " " + Shown(model, M::SizeColumn), QString("T 10,00%1").arg(c.Image));
        EXPECT_EQ(Shown(model, M::BitrateColumn) + " " + Shown(model, M::LengthColumn), "192 4:01");
        ASSERT_FALSE(changed.isEmpty());
        EXPECT_EQ(changed.takeLast().at(1).toModelIndex().column(), M::SizeColumn) << "the view repaints up to Size";
    }
    QLocale::setDefault(QLocale::system());
}

} // namespace
