// The tag editor: showing the loaded file's two tags and taking back what the user changed.
#include "TMainForm.h"

#include "DisplayName.h"
#include "EditorMessages.h"
#include "EngineText.h"
#include "MP3ListModel.h"
#include "MessageBoxes.h"
#include "TFiltersForm.h"
#include "TOptionsForm.h"

#include <QtGui/QKeyEvent>

namespace {

// A printable character other than those allowed; Enter, Backspace, moving keys and shortcuts pass.
bool TypedCharacterOutside(const QKeyEvent& key, const QString& allowed)
{
    const QString text = key.text();
    return text.size() == 1 && text[0].isPrint() && !allowed.contains(text[0]);
}

} // namespace

void TMainForm::LoadCurrentItem()
{
    const bool anyTag = ReadItemTags(LoadedIndex);
    DeleteBtn->setEnabled(anyTag);
    const std::string importName = ItemImportName(LoadedIndex);

    const bool hasID3v1 = Loaded.Has(TagVersion::ID3v1);
    ShowTagPresence(*hasID3v1Bmp, *DeleteID3v1Btn, hasID3v1);
    if (!hasID3v1 && ImportWanted(*ID3v1CB))
        ImportHalfFromName(Loaded, TagVersion::ID3v1, importName, *CurrentImport());

    const bool hasID3v2 = Loaded.Has(TagVersion::ID3v2);
    const int version = Loaded.ID3v2Version();
    ShowVersionLabel(*v22Lbl, hasID3v2 && version == 2);
    ShowVersionLabel(*v23Lbl, hasID3v2 && version == 3);
    ShowVersionLabel(*v24Lbl, hasID3v2 && version == 4);
    ShowTagPresence(*hasID3v2Bmp, *DeleteID3v2Btn, hasID3v2);
    if (!hasID3v2 && ImportWanted(*ID3v2CB))
        ImportHalfFromName(Loaded, TagVersion::ID3v2, importName, *CurrentImport());

    Editor->Show(Loaded, PadTrack->isChecked());
    FileLoaded->setText(DisplayName(ListModel->Row(LoadedIndex).Caption));
}

bool TMainForm::ImportSchemeValid() const
{
    return UseImport->isChecked() && !ImportCB->currentText().isEmpty();
}

bool TMainForm::ImportWanted(const QCheckBox& tagSwitch) const
{
    return ImportSchemeValid() && tagSwitch.isChecked();
}

std::optional<ImportSettings> TMainForm::CurrentImport() const
{
    if (!ImportSchemeValid())
        return std::nullopt;
    return ImportSettings {ToEngineText(ImportCB->currentText()), FiltersForm->ImportFilterList(),
                           CapitalizeFirst->isChecked()};
}

TagVersions TMainForm::EnabledVersions() const
{
    return {ID3v1CB->isChecked(), ID3v2CB->isChecked()};
}

WriteOptions TMainForm::Writing() const
{
    return {OptionsForm->KeepModTime->isChecked()};
}

void TMainForm::ShowTagPresence(QLabel& image, QAbstractButton& deleteButton, bool present)
{
    image.setPixmap(Image(present ? TagPresentImage : TagAbsentImage));
    deleteButton.setEnabled(present);
}

bool TMainForm::ReadFileTags(const std::string& path)
{
    Loaded = FileTags(path);
    if (!Loaded.Readable())
        ShowError(ReadErrorText + DisplayName(path));
    return Loaded.HasAny();
}

bool TMainForm::ReadItemTags(int i)
{
    return ReadFileTags(ItemPath(i));
}

void TMainForm::ClearAllFields()
{
    Loaded = FileTags();
    Editor->Show(Loaded, false);
    for (QLabel* image : {hasID3v1Bmp, hasID3v2Bmp})
        image->setPixmap(Image(TagAbsentImage));
    for (QLabel* label : {v22Lbl, v23Lbl, v24Lbl})
        ShowVersionLabel(*label, false);
}

void TMainForm::StoreFields()
{
    Editor->TakeEdits(Loaded);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (watched == Track)
            return TrackKeyPress(key);
        if (watched == TrackV2)
            return TrackV2KeyPress(key);
        // The genre list takes no typing; Enter there saves as in the other fields.
        if (watched == Genre && (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter)) {
            PressDefaultButton();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TMainForm::TrackKeyPress(const QKeyEvent& key) const
{
    return TypedCharacterOutside(key, QStringLiteral("0123456789"));
}

// "/" as well, for a track such as 3/12.
bool TMainForm::TrackV2KeyPress(const QKeyEvent& key) const
{
    return TypedCharacterOutside(key, QStringLiteral("0123456789/"));
}

void TMainForm::PressDefaultButton()
{
    if (SaveBtn->isEnabled())
        SaveBtn->click();
}
