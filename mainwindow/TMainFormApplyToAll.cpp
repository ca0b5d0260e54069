// Apply to all: one editor field written into every selected file.
#include "TMainForm.h"

#include "DisplayName.h"
#include "EditorControls.h"
#include "EditorMessages.h"
#include "ID3v1Values.h"
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

// The ID3v1 field of a control replaced by the value, trimmed as a save trims the ID3v1 controls.
void PutID3v1Value(Ui::MainForm& ui, ID3v1Values& values, const QWidget& control, const QString& text,
                   std::uint8_t genre)
{
    const std::string trimmed = Latin1Bytes(Trimmed(text));
    if (&control == ui.Track)
        values.Track = Trimmed(text).toInt();
    else if (&control == ui.Genre)
        values.Genre = genre;
    else if (&control == ui.Title)
        values.Title = trimmed;
    else if (&control == ui.Artist)
        values.Artist = trimmed;
    else if (&control == ui.Album)
        values.Album = trimmed;
    else if (&control == ui.Year)
        values.Year = trimmed;
    else if (&control == ui.Comment)
        values.Comment = trimmed;
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

    // Taken once: from here on the editor may show other files.
    const QString text = ControlText(*field.Control);
    const std::uint8_t genre = GenreFromCombo();
    for (const int i : selected) {
        const std::string path = ItemPath(i);
        Engine.Reset();
        Engine.SetFileName(path);
        if (!Engine.ReadTags())
            ShowError(ReadErrorText + DisplayName(path)); // one message: a save would only report it again
        else if (id3v2 ? Engine.HasID3v2() : Engine.HasID3v1())
            ApplyToTag(i, id3v2, *field.Control, text, genre);
        else
            MakeTagWith(i, id3v2, *field.Control, text, genre);
        Engine.Close();
    }
    OptionsForm->EndOfJobBeep();
    if (LoadedIndex >= 0)
        LoadCurrentItem();
    Selected3->viewport()->update();
}

// The file has the tag: the one field set over the tag as read, every other frame and field kept as it was. That
// is what showing the file in the editor, changing the field and saving gives, without the cost of the controls.
void TMainForm::ApplyToTag(int i, bool id3v2, const QWidget& control, const QString& text, std::uint8_t genre)
{
    bool written = false;
    if (id3v2) {
        for (const auto& [v2Control, set] : ID3v2Setters())
            if (v2Control == &control)
                (Engine.*set)(TypedText(control, text));
        written = Engine.WriteID3v2Tag();
    } else {
        ID3v1Values values = ReadID3v1Values(Engine);
        PutID3v1Value(*this, values, control, text, genre);
        // From a cleared record, so that a value that is no track leaves none.
        Engine.ClearID3v1();
        StoreID3v1Values(Engine, values);
        written = Engine.WriteID3v1Tag();
    }
    if (written)
        RefreshListItem(i);
    else
        ReportSaveFailure(ItemPath(i));
}

// The file lacks the tag: one is made in the editor of the import scheme's fields (or empty ones) and the value.
void TMainForm::MakeTagWith(int i, bool id3v2, QWidget& control, const QString& text, std::uint8_t genre)
{
    ReadItemTags(i); // empties the half of the missing tag
    if (ImportWanted(id3v2 ? *ID3v2CB : *ID3v1CB)) {
        if (id3v2) {
            ImportToID3v2Fields(ItemImportName(i));
            TrimID3v2Fields();
        } else {
            ImportToID3v1Fields(ItemImportName(i));
        }
    }
    if (&control == Genre)
        ShowGenreInCombo(genre);
    else
        SetControlText(control, text);
    if (id3v2)
        SaveID3v2Item(i);
    else
        SaveID3v1Item(i);
}
