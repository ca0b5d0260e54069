// The MP3 list: which row the editor shows, keys, sorting, the context menu, clearing, and the rows'
// lookups.
#include "TMainForm.h"

#include "DisplayName.h"
#include "EngineText.h"
#include "MP3ListModel.h"
#include "MessageBoxes.h"

#include <QtCore/QFile>
#include <QtGui/QCursor>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QMenu>
#include <QtWidgets/QStyle>

#include <algorithm>

namespace {

const QString NoFileLoaded = QStringLiteral("No File Loaded!");

// Widths of the list's columns as first shown; 0 for a column as wide as its caption or its widest value. The
// Title column takes whatever width the others leave.
constexpr std::array<int, MP3ListModel::ColumnCount> ColumnWidths = {300, 45, 45, 150, 0, 75, 0};
// The widest Bitrate or Length a file gives: 999 minutes and 59 seconds.
const QString WidestValue = QStringLiteral("000:00");

// Keys after which the editor follows the selection: letters (type-ahead), Space and the moving keys.
bool MovesSelection(int key)
{
    switch (key) {
    case Qt::Key_Space:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Home:
    case Qt::Key_Up:
    case Qt::Key_Down:
        return true;
    default:
        return key >= Qt::Key_A && key <= Qt::Key_Z;
    }
}

} // namespace

void TMainForm::SetUpList()
{
    ListModel = new MP3ListModel({QIcon(Image(BothTagsImage)), QIcon(Image(NoTagImage)),
                                  QIcon(Image(ID3v1OnlyImage)), QIcon(Image(ID3v2OnlyImage))},
                                 this);
    Selected3->setModel(ListModel);
    QHeaderView& header = *Selected3->header();
    header.setSectionsClickable(true);
    header.setSortIndicatorShown(true);
    header.setSortIndicator(-1, Qt::AscendingOrder);
    // A cell's text has a margin on each side.
    const int textMargin = 2 * (Selected3->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, Selected3) + 1);
    const int valueWidth = Selected3->fontMetrics().horizontalAdvance(WidestValue) + textMargin;
    for (int column = 0; column < MP3ListModel::ColumnCount; ++column) {
        const int width = ColumnWidths[static_cast<std::size_t>(column)];
        Selected3->setColumnWidth(column, width > 0 ? width : std::max(header.sectionSizeHint(column), valueWidth));
    }
    header.setStretchLastSection(false);
    header.setSectionResizeMode(MP3ListModel::TitleColumn, QHeaderView::Stretch);
    connect(&header, &QHeaderView::sectionClicked, this, &TMainForm::Selected3ColumnClick);
    connect(Selected3, &MP3ListView::Clicked, this, &TMainForm::Selected3Click);
    connect(Selected3, &MP3ListView::KeyReleased, this, &TMainForm::Selected3KeyUp);
    connect(Selected3, &QWidget::customContextMenuRequested, this, &TMainForm::Selected3ContextPopup);
    connect(ClearMP3MI, &QAction::triggered, this, &TMainForm::ClearMP3MIClick);
    connect(Selected3, &MP3ListView::FilesDropped, this, &TMainForm::AddPaths);
}

int TMainForm::RowCount() const
{
    return ListModel->RowCount();
}

std::string TMainForm::ItemPath(int i) const
{
    return i >= 0 && i < RowCount() ? ListModel->Row(i).Path() : std::string();
}

std::string TMainForm::ItemDirectory(int i) const
{
    return i >= 0 && i < RowCount() ? ListModel->Row(i).Directory : std::string();
}

std::string TMainForm::ItemOriginalName(int i) const
{
    return i >= 0 && i < RowCount() ? ListModel->Row(i).OriginalName : std::string();
}

void TMainForm::RefreshListItem(int i, const TagState& state)
{
    ListModel->SetTagState(i, state);
}

QList<int> TMainForm::SelectedRows() const
{
    QList<int> rows;
    for (const QModelIndex& index : Selected3->selectionModel()->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

bool TMainForm::IsRowSelected(int i) const
{
    return Selected3->selectionModel()->isRowSelected(i);
}

void TMainForm::DeselectRow(int i)
{
    Selected3->selectionModel()->select(ListModel->index(i, 0),
                                        QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
}

std::string TMainForm::ItemImportName(int i) const
{
    return ToEngineText(DisplayName(ListModel->Row(i).Caption));
}

void TMainForm::Selected3Click()
{
    if (RowCount() == 0)
        return;
    const QList<int> selected = SelectedRows();
    if (selected.isEmpty()) {
        ClearAllFields();
        DisableFileCommands();
        FileLoaded->setText(NoFileLoaded);
        LoadedIndex = -1;
        return;
    }
    const bool several = selected.size() > 1;
    if (!several || LoadedIndex == -1 || !selected.contains(LoadedIndex)) {
        SaveBtn->setEnabled(true);
        RenameBtn->setEnabled(true);
        LoadedIndex = selected.first();
        LoadCurrentItem();
    }
    if (several)
        DeleteBtn->setEnabled(true);
}

std::optional<int> TMainForm::OnlySelectedRow(const QString& message)
{
    if (RowCount() == 0)
        return std::nullopt;
    const QList<int> selected = SelectedRows();
    if (selected.size() != 1) {
        ShowMessage(message);
        return std::nullopt;
    }
    return selected.first();
}

void TMainForm::DisableFileCommands()
{
    for (QWidget* command : std::initializer_list<QWidget*>{DeleteID3v1Btn, DeleteID3v2Btn, SaveBtn, DeleteBtn,
                                                            RenameBtn})
        command->setEnabled(false);
}

void TMainForm::Selected3KeyUp(const QKeyEvent& key)
{
    if (key.matches(QKeySequence::SelectAll))
        SelectAllRows();
    else if (MovesSelection(key.key()))
        Selected3Click();
}

// Ctrl+A: every row selected, and the first one loaded when nothing was, with the commands the click
// enables for such a selection.
void TMainForm::SelectAllRows()
{
    Selected3->selectAll();
    if (LoadedIndex == -1 && RowCount() > 0) {
        LoadedIndex = 0;
        Selected3->selectionModel()->setCurrentIndex(ListModel->index(0, 0), QItemSelectionModel::NoUpdate);
        SaveBtn->setEnabled(true);
        RenameBtn->setEnabled(true);
        LoadCurrentItem();
    }
    if (RowCount() > 1)
        DeleteBtn->setEnabled(true);
    Selected3->setFocus();
}

void TMainForm::Selected3ColumnClick(int column)
{
    SortDescending = column == SortColumn ? !SortDescending : false;
    SortColumn = column;
    const QPersistentModelIndex loaded = ListModel->index(LoadedIndex, 0);
    ListModel->SortBy(column, SortDescending);
    if (loaded.isValid())
        LoadedIndex = loaded.row();
    Selected3->header()->setSortIndicator(column, SortDescending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void TMainForm::Selected3ContextPopup()
{
    const qsizetype selected = Selected3->selectionModel()->selectedRows().size();
    PlayMP3->setEnabled(selected == 1);
    for (QAction* item : {WriteID3v1, WriteID3v2, CreateID3v1, CreateID3v2})
        item->setEnabled(selected >= 1);
    MP3Options->popup(QCursor::pos());
}

void TMainForm::ClearMP3MIClick()
{
    if (RowCount() == 0 || !ConfirmAction(QStringLiteral("Clear current list of MP3s?\n")))
        return;
    ListModel->Clear();
    Listed.Clear();
    ClearAllFields();
    FileLoaded->setText(NoFileLoaded);
    LoadedIndex = -1;
    DisableFileCommands();
}
