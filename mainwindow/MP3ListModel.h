#pragma once

#include "ListRow.h"

#include <QtCore/QAbstractTableModel>
#include <QtGui/QIcon>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The rows of the MP3 list and their seven columns, behind the list view Selected3. Rows stay in the order
// in which they were added until SortBy reorders them.
class MP3ListModel : public QAbstractTableModel {
public:
    enum Column {
        FileColumn, ID3v1Column, ID3v2Column, TitleColumn, BitrateColumn, SizeColumn, LengthColumn, ColumnCount
    };

    // The four row icons, by RowImage index.
    explicit MP3ListModel(std::array<QIcon, 4> icons, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // At the end, with one insert notification for the batch.
    void Append(std::vector<ListRow> rows);
    void Clear();
    int RowCount() const { return static_cast<int>(Rows.size()); }
    const ListRow& Row(int i) const { return Rows[static_cast<std::size_t>(i)]; }
    // After a tag of row i was written or removed: flags, image, title and size.
    void SetTagState(int i, const TagState& state);
    void SetCaption(int i, const std::string& caption);
    // Reorders the rows; persistent indexes (the view's selection and current index, the loaded row) follow
    // their rows. Equal rows keep their order.
    void SortBy(int column, bool descending);
    // The header click's comparison, negative/zero/positive, ascending.
    static int Compare(const ListRow& a, const ListRow& b, int column);

private:
    void Reorder(const std::vector<std::size_t>& order);

    std::array<QIcon, 4> Icons;
    std::vector<ListRow> Rows;
};

// The Size column: bytes grouped by thousands with the user's locale group separator, zero as "0".
QString SizeText(std::int64_t size);
