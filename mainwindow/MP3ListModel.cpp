#include "MP3ListModel.h"

#include "DisplayName.h"
#include "EngineText.h"

#include <QtCore/QLocale>

#include <algorithm>
#include <array>
#include <charconv>
#include <iterator>
#include <numeric>
#include <string_view>

namespace {

constexpr const char* Captions[MP3ListModel::ColumnCount] = {"File", "ID3v1", "ID3v2", "Title",
                                                              "Bitrate", "Size", "Length"};
constexpr Qt::AlignmentFlag Alignments[MP3ListModel::ColumnCount] = {
    Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignHCenter, Qt::AlignLeft, Qt::AlignLeft, Qt::AlignRight, Qt::AlignRight};

QVariant Alignment(int column)
{
    return static_cast<int>(Alignments[column] | Qt::AlignVCenter);
}

QString Flag(bool present)
{
    return present ? QStringLiteral("Y") : QString();
}

QString Text(const ListRow& row, int column)
{
    switch (column) {
    case MP3ListModel::FileColumn: return DisplayName(row.Caption);
    case MP3ListModel::ID3v1Column: return Flag(row.HasID3v1);
    case MP3ListModel::ID3v2Column: return Flag(row.HasID3v2);
    case MP3ListModel::TitleColumn: return FromEngineText(row.Title);
    case MP3ListModel::BitrateColumn: return QString::number(row.Bitrate);
    case MP3ListModel::SizeColumn: return SizeText(row.Size);
    case MP3ListModel::LengthColumn: return QString::fromLatin1(row.Length);
    default: return {};
    }
}

unsigned char FoldCase(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 'a' && byte <= 'z' ? static_cast<unsigned char>(byte - 'a' + 'A') : byte;
}

template <class Number>
int CompareNumbers(Number a, Number b)
{
    return (a > b) - (a < b);
}

// a-z count as A-Z; every other byte compares by its 8-bit code.
int CompareTexts(std::string_view a, std::string_view b)
{
    const auto [endA, endB] = std::mismatch(a.begin(), a.end(), b.begin(), b.end(),
                                            [](char x, char y) { return FoldCase(x) == FoldCase(y); });
    if (endA == a.end() || endB == b.end())
        return CompareNumbers(a.size(), b.size());
    return CompareNumbers(FoldCase(*endA), FoldCase(*endB));
}

// "m:ss" read as the number m0ss, so 9:59 (9059) comes before 10:00 (10000); a text that is no number counts 0.
std::int64_t LengthValue(std::string_view text)
{
    std::array<char, 24> digits {}; // more than any 64-bit number has; no allocation while sorting
    if (text.size() > digits.size())
        return 0;
    const auto end = std::copy(text.begin(), text.end(), digits.begin());
    if (const auto colon = std::find(digits.begin(), end, ':'); colon != end)
        *colon = '0';
    std::int64_t value = 0;
    const auto [stop, error] = std::from_chars(digits.data(), end, value);
    return error == std::errc() && stop == end ? value : 0;
}

} // namespace

MP3ListModel::MP3ListModel(std::array<QIcon, 4> icons, QObject* parent)
    : QAbstractTableModel(parent)
    , Icons(std::move(icons))
{
}

int MP3ListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : RowCount();
}

int MP3ListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant MP3ListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const ListRow& row = Row(index.row());
    switch (role) {
    case Qt::DisplayRole: return Text(row, index.column());
    case Qt::DecorationRole:
        return index.column() == FileColumn ? QVariant(Icons[RowImage(row.HasID3v1, row.HasID3v2)]) : QVariant();
    case Qt::TextAlignmentRole: return Alignment(index.column());
    default: return {};
    }
}

QVariant MP3ListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return {};
    if (role == Qt::DisplayRole)
        return QString::fromLatin1(Captions[section]);
    return role == Qt::TextAlignmentRole ? Alignment(section) : QVariant();
}

Qt::ItemFlags MP3ListModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
}

void MP3ListModel::Append(std::vector<ListRow> rows)
{
    if (rows.empty())
        return;
    beginInsertRows({}, RowCount(), RowCount() + static_cast<int>(rows.size()) - 1);
    Rows.insert(Rows.end(), std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
    endInsertRows();
}

void MP3ListModel::Clear()
{
    beginResetModel();
    Rows.clear();
    Rows.shrink_to_fit();
    endResetModel();
}

void MP3ListModel::SetTagState(int i, const TagState& state)
{
    ListRow& row = Rows[static_cast<std::size_t>(i)];
    row.HasID3v1 = state.HasID3v1;
    row.HasID3v2 = state.HasID3v2;
    row.Title = state.Title;
    row.Size = state.Size;
    emit dataChanged(index(i, FileColumn), index(i, SizeColumn), {Qt::DisplayRole, Qt::DecorationRole});
}

void MP3ListModel::SetCaption(int i, const std::string& caption)
{
    Rows[static_cast<std::size_t>(i)].Caption = caption;
    emit dataChanged(index(i, FileColumn), index(i, FileColumn), {Qt::DisplayRole});
}

int MP3ListModel::Compare(const ListRow& a, const ListRow& b, int column)
{
    switch (column) {
    case FileColumn: return CompareTexts(a.Caption, b.Caption);
    // The columns' texts are "" and "Y".
    case ID3v1Column: return CompareNumbers(a.HasID3v1, b.HasID3v1);
    case ID3v2Column: return CompareNumbers(a.HasID3v2, b.HasID3v2);
    case TitleColumn: return CompareTexts(a.Title, b.Title);
    case BitrateColumn: return CompareNumbers(a.Bitrate, b.Bitrate);
    case SizeColumn: return CompareNumbers(a.Size, b.Size);
    case LengthColumn: return CompareNumbers(LengthValue(a.Length), LengthValue(b.Length));
    default: return 0;
    }
}

void MP3ListModel::SortBy(int column, bool descending)
{
    // Sorting positions, not rows, moves no strings while comparing.
    std::vector<std::size_t> order(Rows.size());
    std::iota(order.begin(), order.end(), std::size_t {0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const int result = Compare(Rows[a], Rows[b], column);
        return descending ? result > 0 : result < 0;
    });
    Reorder(order);
}

// order[i] is the old position of the row that goes to position i.
void MP3ListModel::Reorder(const std::vector<std::size_t>& order)
{
    emit layoutAboutToBeChanged({}, VerticalSortHint);
    std::vector<int> newPosition(order.size());
    std::vector<ListRow> sorted;
    sorted.reserve(Rows.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        newPosition[order[i]] = static_cast<int>(i);
        sorted.push_back(std::move(Rows[order[i]]));
    }
    Rows = std::move(sorted);
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex& old : from)
        to.append(index(newPosition[static_cast<std::size_t>(old.row())], old.column()));
    changePersistentIndexList(from, to);
    emit layoutChanged({}, VerticalSortHint);
}

QString SizeText(std::int64_t size)
{
    QLocale locale;
    // The C locale leaves the group separator out unless asked.
    locale.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    return locale.toString(static_cast<qlonglong>(size));
}
