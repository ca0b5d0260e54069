// Side files: one tag of every selected file copied into "<name>.id1" or "<name>.id2" in a folder the user chooses.
#include "TMainForm.h"

#include "DisplayName.h"
#include "MP3ListModel.h"
#include "MessageBoxes.h"
#include "StringOps.h"
#include "TOptionsForm.h"

#include <QtWidgets/QApplication>

#include <filesystem>

namespace {

// The Tag of WriteID3v1; WriteID3v2 has 2.
constexpr int ID3v1MenuTag = 1;

// The row's name without its extension, always a name inside the chosen directory.
std::string SideFileName(const std::string& caption, const char* extension)
{
    return StripExtension(caption.substr(caption.rfind('/') + 1)) + extension;
}

} // namespace

void TMainForm::WriteID3Click(int tag)
{
    const QList<int> selected = SelectedRows();
    if (selected.isEmpty())
        return;
    BrowseDlg.Title = QStringLiteral("Choose a destination directory");
    std::error_code error;
    if (!BrowseDlg.Execute(this) || !std::filesystem::is_directory(BrowseDlg.Selection, error))
        return;
    std::string directory = BrowseDlg.Selection;
    if (!directory.ends_with('/'))
        directory += '/';

    const bool id3v1 = tag == ID3v1MenuTag;
    SaveScreenCursor();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    for (int i : selected) {
        Engine.Reset();
        Engine.SetFileName(ItemPath(i));
        // A file without the tag, or gone, has nothing to copy and is passed over without a message.
        const bool hasTag = id3v1 ? Engine.ReadID3v1() && Engine.HasID3v1() : Engine.ReadID3v2() && Engine.HasID3v2();
        if (!hasTag)
            continue;
        const std::string sidePath = directory + SideFileName(ListModel->Row(i).Caption, id3v1 ? ".id1" : ".id2");
        const bool written = id3v1 ? Engine.ExportID3v1(sidePath) : Engine.ExportID3v2(sidePath);
        if (!written)
            ShowError(QStringLiteral("Error saving file:\n") + DisplayName(sidePath));
    }
    Engine.Close();
    RestoreScreenCursor();
    OptionsForm->EndOfJobBeep();
}
