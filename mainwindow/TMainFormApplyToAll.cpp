// Apply to all: one editor field written into every selected file.
#include "TMainForm.h"

#include "EditorControls.h"
#include "MessageBoxes.h"
#include "TOptionsForm.h"

#include <array>

namespace {

// Tags 1 to 7 stand for ID3v1 fields, 8 and up for ID3v2 fields.
constexpr int FirstID3v2Tag = 8;

struct ATAField {
    QWidget* Control;
    const char* Word; // how the confirmation names the field
};

ATAField FieldOfTag(Ui::MainForm& ui, int tag)
{
    const std::array<ATAField, 19> fields = {{{ui.Title, "Title"},
                                              {ui.Artist, "Artist"},
                                              {ui.Album, "Album"},
                                              {ui.Track, "Track"},
                                              {ui.Comment, "Comment"},
                                              {ui.Year, "Year"},
                                              {ui.Genre, "Genre"},
                                              {ui.TitleV2, "Title"},
                                              {ui.ArtistV2, "Artist"},
                                              {ui.AlbumV2, "Album"},
                                              {ui.TrackV2, "Track"},
                                              {ui.ComposerV2, "Composer"},
                                              {ui.OrgArtistV2, "Original Artist"},
                                              {ui.CopyrightV2, "Copyright"},
                                              {ui.URLV2, "URL"},
                                              {ui.EncodedByV2, "Encoded By"},
                                              {ui.CommentV2, "Comment"},
                                              {ui.YearV2, "Year"},
                                              {ui.GenreV2, "Genre"}}};
    return fields.at(static_cast<std::size_t>(tag - 1));
}

} // namespace

void TMainForm::ApplyToAllClick(int tag)
{
    const QList<int> selected = SelectedRows();
    if (selected.size() < 2) {
        ShowMessage(QStringLiteral("You must have two or more MP3s selected to use this option!"));
        return;
    }
    const bool id3v2 = tag >= FirstID3v2Tag;
    if (!id3v2 && !ID3v1CB->isChecked()) {
        ShowMessage(QStringLiteral("Cannot perform ATA on ID3v1 without enabling ID3v1 editing!"));
        return;
    }
    if (id3v2 && !ID3v2CB->isChecked()) {
        ShowMessage(QStringLiteral("Cannot perform ATA on ID3v2 without enabling ID3v2 editing!"));
        return;
    }
    const ATAField field = FieldOfTag(*this, tag);
    if (!ConfirmAction(QStringLiteral("Change the %1 of ALL selected MP3s?\n").arg(QLatin1String(field.Word))))
        return;
    // The loop overwrites the editor, so edits whose save failed would be lost if it went on.
    const QString saveFirst = QStringLiteral("Save current ID3 info before proceeding?");
    if (LoadedIndex >= 0 && ConfirmYesNo(QStringLiteral("Save"), saveFirst) && !SaveItemTags(LoadedIndex))
        return;

    // Taken once: from here on the editor shows each selected file in turn.
    const QString text = ControlText(*field.Control);
    const std::uint8_t genre = GenreFromCombo();
    for (const int i : selected) {
        if (!ReadFileTagsChecked(ItemPath(i)))
            continue; // its read error was shown; a save would only report it again
        ShowATAFields(i, id3v2);
        if (field.Control == Genre)
            ShowGenreInCombo(genre);
        else
            SetControlText(*field.Control, text);
        if (id3v2)
            SaveID3v2Item(i);
        else
            SaveID3v1Item(i);
    }
    OptionsForm->EndOfJobBeep();
    if (LoadedIndex >= 0)
        LoadCurrentItem();
    Selected3->viewport()->update();
}

// The read emptied the half of a tag the file lacks, so the import fills only what the scheme names.
void TMainForm::ShowATAFields(int i, bool id3v2)
{
    if (!id3v2) {
        if (Engine.HasID3v1())
            ShowID3v1Fields();
        else if (ImportWanted(*ID3v1CB))
            ImportToID3v1Fields(ItemImportName(i));
        return;
    }
    if (Engine.HasID3v2()) {
        ShowID3v2Fields();
    } else if (ImportWanted(*ID3v2CB)) {
        ImportToID3v2Fields(ItemImportName(i));
        TrimID3v2Fields();
    }
}
