// Apply to all: one editor field written into every selected file.
#include "TMainForm.h"

#include "EngineText.h"
#include "MessageBoxes.h"
#include "TOptionsForm.h"

void TMainForm::ApplyToAllClick(Field field)
{
    const QList<int> selected = SelectedRows();
    if (selected.size() < 2) {
        ShowMessage(QStringLiteral("You must have two or more MP3s selected to use this option!"));
        return;
    }
    const TagVersion version = Info(field).Version;
    if (version == TagVersion::ID3v1 && !ID3v1CB->isChecked()) {
        ShowMessage(QStringLiteral("Cannot perform ATA on ID3v1 without enabling ID3v1 editing!"));
        return;
    }
    if (version == TagVersion::ID3v2 && !ID3v2CB->isChecked()) {
        ShowMessage(QStringLiteral("Cannot perform ATA on ID3v2 without enabling ID3v2 editing!"));
        return;
    }
    if (!ConfirmAction(QStringLiteral("Change the %1 of ALL selected MP3s?\n").arg(FromEngineText(Info(field).Word))))
        return;
    StoreFields();
    // The files are written one by one below; edits whose save failed would be lost if it went on.
    const QString saveFirst = QStringLiteral("Save current ID3 info before proceeding?");
    if (LoadedIndex >= 0 && ConfirmYesNo(QStringLiteral("Save"), saveFirst) && !SaveItemTags(LoadedIndex, Loaded))
        return;

    // The field whole as the file holds it, or as the user typed it.
    const std::string value = Loaded.Text(field);
    const std::optional<ImportSettings> import = ImportWanted(version == TagVersion::ID3v1 ? *ID3v1CB : *ID3v2CB)
        ? CurrentImport()
        : std::nullopt;
    for (const int i : selected)
        ReportWrite(i, ApplyField(ItemPath(i), field, value, import, ItemImportName(i), Writing()), ReadErrorText);
    OptionsForm->EndOfJobBeep();
    if (LoadedIndex >= 0)
        LoadCurrentItem();
    Selected3->viewport()->update();
}
