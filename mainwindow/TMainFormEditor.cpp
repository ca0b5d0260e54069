// The tag editor: showing the loaded file's two tags, clearing, trimming, and moving the controls back
// into the engine.
#include "TMainForm.h"

#include "DisplayName.h"
#include "EditorControls.h"
#include "EditorMessages.h"
#include "GenreReference.h"
#include "GenreTable.h"
#include "ID3v1Values.h"
#include "ImportScheme.h"
#include "MP3ListModel.h"
#include "MessageBoxes.h"
#include "StringOps.h"
#include "TFiltersForm.h"

#include <QtGui/QKeyEvent>

namespace {

// What the editor shows of long ID3v2 texts; the rest stays in the engine and is saved as it was.
constexpr std::size_t ShownTextLimit = 1024;
constexpr std::size_t ShownCommentLimit = 2048;
constexpr qsizetype ID3v1TextWidth = 30;
constexpr qsizetype ID3v1YearWidth = 4;
// Three digits, so a track from 100 to 255 is shown and kept whole.
constexpr qsizetype ID3v1TrackWidth = 3;

std::string Cut(std::string text, std::size_t limit)
{
    if (text.size() > limit)
        text.resize(limit);
    return text;
}

void Trim(const std::vector<EditorTextControl>& controls)
{
    for (const auto& [control, field] : controls) {
        const QString text = ControlText(*control);
        if (const QString trimmed = Trimmed(text); trimmed != text)
            SetControlText(*control, trimmed);
    }
}

// A printable character other than those allowed; Enter, Backspace, moving keys and shortcuts pass.
bool TypedCharacterOutside(const QKeyEvent& key, const QString& allowed)
{
    const QString text = key.text();
    return text.size() == 1 && text[0].isPrint() && !allowed.contains(text[0]);
}

// "7" shows as "07" with the padding option; "12", "3/12" and "" stay as they are.
std::string PaddedTrack(const std::string& track)
{
    return track.size() == 1 && track[0] >= '1' && track[0] <= '9' ? "0" + track : track;
}

} // namespace

void TMainForm::LoadCurrentItem()
{
    const bool anyTag = ReadItemTags(LoadedIndex);
    DeleteBtn->setEnabled(anyTag);
    const std::string importName = ItemImportName(LoadedIndex);

    const bool hasID3v1 = Engine.HasID3v1();
    ShowTagPresence(*hasID3v1Bmp, *DeleteID3v1Btn, hasID3v1);
    if (hasID3v1) {
        ShowID3v1Fields();
    } else if (ImportWanted(*ID3v1CB)) {
        ImportToID3v1Fields(importName);
        TrimID3v1Fields();
        StoreID3v1Fields();
    }

    const bool hasID3v2 = Engine.HasID3v2();
    const int version = Engine.GetID3v2Version();
    ShowVersionLabel(*v22Lbl, hasID3v2 && version == 2);
    ShowVersionLabel(*v23Lbl, hasID3v2 && version == 3);
    ShowVersionLabel(*v24Lbl, hasID3v2 && version == 4);
    ShowTagPresence(*hasID3v2Bmp, *DeleteID3v2Btn, hasID3v2);
    if (hasID3v2) {
        ShowID3v2Fields();
    } else if (ImportWanted(*ID3v2CB)) {
        ImportToID3v2Fields(importName);
        TrimID3v2Fields();
        StoreID3v2Fields();
    }

    FileLoaded->setText(DisplayName(ListModel->Row(LoadedIndex).Caption));
    TruncateID3v1Fields();
    // Asking for a tag that was cleared looks at the file again; the editor holds no file open.
    Engine.Close();
}

bool TMainForm::ImportSchemeValid() const
{
    return UseImport->isChecked() && !ImportCB->currentText().isEmpty();
}

bool TMainForm::ImportWanted(const QCheckBox& tagSwitch) const
{
    return ImportSchemeValid() && tagSwitch.isChecked();
}

void TMainForm::ShowTagPresence(QLabel& image, QAbstractButton& deleteButton, bool present)
{
    image.setPixmap(Image(present ? TagPresentImage : TagAbsentImage));
    deleteButton.setEnabled(present);
}

bool TMainForm::ReadFileTags(const std::string& path)
{
    return ReadFileTagsChecked(path).value_or(false);
}

std::optional<bool> TMainForm::ReadFileTagsChecked(const std::string& path)
{
    Engine.Reset();
    Engine.SetFileName(path);
    Shown.Begin(path);
    std::optional<bool> anyTag;
    if (Engine.ReadTags()) {
        anyTag = Engine.HasID3v1() || Engine.HasID3v2();
        if (!Engine.HasID3v1())
            ClearID3v1Fields();
        if (!Engine.HasID3v2())
            ClearID3v2Fields();
    } else {
        ShowError(ReadErrorText + DisplayName(path));
        // The previous file's fields must not stay under this file's name, or a save would write them here.
        ClearAllFields();
    }
    Engine.Close();
    return anyTag;
}

bool TMainForm::ReadItemTags(int i)
{
    return ReadFileTags(ItemPath(i));
}

void TMainForm::ClearID3v1Fields()
{
    for (const auto& [control, field] : ID3v1TextControls(*this)) {
        SetControlText(*control, QString());
        Shown.Forget(*control);
    }
    Genre->setCurrentIndex(-1);
    Shown.Forget(*Genre);
    Engine.ClearID3v1();
    hasID3v1Bmp->setPixmap(Image(TagAbsentImage));
}

void TMainForm::ClearID3v2Fields()
{
    for (const auto& [control, field] : ID3v2TextControls(*this)) {
        SetControlText(*control, QString());
        Shown.Forget(*control);
    }
    Engine.ClearID3v2();
    hasID3v2Bmp->setPixmap(Image(TagAbsentImage));
    for (QLabel* label : {v22Lbl, v23Lbl, v24Lbl})
        ShowVersionLabel(*label, false);
}

void TMainForm::ClearAllFields()
{
    ClearID3v1Fields();
    ClearID3v2Fields();
}

void TMainForm::RecordShown(QWidget& control, std::string engineText)
{
    Shown.Record(control, ControlState(control), std::move(engineText));
}

void TMainForm::ShowID3v1Fields()
{
    const std::vector<std::pair<QWidget*, std::string>> texts = {
        {Title, Engine.GetID3v1Title()}, {Artist, Engine.GetID3v1Artist()}, {Album, Engine.GetID3v1Album()},
        {Year, Engine.GetID3v1Year()}, {Comment, Engine.GetID3v1Comment()}};
    for (const auto& [control, text] : texts)
        SetControlText(*control, QString::fromLatin1(text));

    // Bytes past the genre table show no genre; the byte itself stays in the engine, and a save keeps it
    // unless the user picks a genre.
    const std::uint8_t genre = Engine.GetID3v1Genre();
    if (genre >= GenreTable::Count)
        Genre->setCurrentIndex(-1);
    else
        ShowGenreInCombo(genre);

    const std::uint8_t track = Engine.GetID3v1Track();
    const std::string trackText = track ? std::to_string(track) : std::string();
    Track->setText(QString::fromStdString(PadTrack->isChecked() ? PaddedTrack(trackText) : trackText));
    TrimID3v1Fields();

    for (const auto& [control, text] : texts)
        RecordShown(*control, text);
    RecordShown(*Genre, std::to_string(genre));
    RecordShown(*Track, trackText);
}

void TMainForm::ShowID3v2Fields()
{
    const std::vector<std::pair<QWidget*, std::string>> texts = {
        {TitleV2, Engine.GetID3v2Title()},         {ArtistV2, Engine.GetID3v2Artist()},
        {AlbumV2, Engine.GetID3v2Album()},         {YearV2, Engine.GetID3v2Year()},
        {TrackV2, Engine.GetID3v2Track()},         {ComposerV2, Engine.GetID3v2Composer()},
        {OrgArtistV2, Engine.GetID3v2OrigArtist()}, {CopyrightV2, Engine.GetID3v2Copyright()},
        {URLV2, Engine.GetID3v2URL()},             {EncodedByV2, Engine.GetID3v2EncodedBy()}};
    for (const auto& [control, text] : texts)
        SetControlText(*control, QString::fromLatin1(Cut(text, ShownTextLimit)));
    if (PadTrack->isChecked())
        TrackV2->setText(QString::fromLatin1(PaddedTrack(Latin1Bytes(TrackV2->text()))));

    // The memo breaks lines at "\n"; "\r\n" and a bare "\n" both show as a line break.
    const std::string comment = Engine.GetID3v2Comment();
    CommentV2->setPlainText(QString::fromLatin1(Cut(ReplaceAll(comment, "\r\n", "\n"), ShownCommentLimit)));

    const std::string genre = Engine.GetID3v2Genre();
    std::string shownGenre = Cut(genre, ShownTextLimit);
    const std::uint8_t reference = ParseGenreReference(shownGenre);
    if (reference < GenreTable::Count)
        shownGenre = GenreTable::Name(reference);
    GenreV2->setEditText(QString::fromLatin1(shownGenre));

    for (const auto& [control, text] : texts)
        RecordShown(*control, text);
    RecordShown(*CommentV2, comment);
    RecordShown(*GenreV2, genre);
}

std::optional<std::string> TMainForm::UntouchedText(const QWidget& control) const
{
    return Shown.Untouched(control, ControlState(control), Engine.GetFileName());
}

std::string TMainForm::StoredText(const QWidget& control) const
{
    if (auto untouched = UntouchedText(control))
        return std::move(*untouched);
    return TypedText(control, ControlText(control));
}

std::string TMainForm::TypedText(const QWidget& control, const QString& text) const
{
    const std::string typed = Latin1Bytes(text);
    // A comment typed or changed in the memo is stored with "\r\n" between its lines.
    return &control == CommentV2 ? ReplaceAll(typed, "\n", "\r\n") : typed;
}

void TMainForm::StoreID3v1Fields()
{
    ID3v1Values values {StoredText(*Title), StoredText(*Artist), StoredText(*Album), StoredText(*Year),
                        StoredText(*Comment)};
    values.Track = Trimmed(QString::fromLatin1(StoredText(*Track))).toInt();
    const auto genre = UntouchedText(*Genre);
    values.Genre = genre ? static_cast<std::uint8_t>(std::stoi(*genre)) : GenreFromCombo();
    StoreID3v1Values(Engine, values);
}

std::vector<std::pair<QWidget*, TMainForm::ID3v2Setter>> TMainForm::ID3v2Setters()
{
    return {{TitleV2, &TMP3File::SetID3v2Title},         {ArtistV2, &TMP3File::SetID3v2Artist},
            {AlbumV2, &TMP3File::SetID3v2Album},         {YearV2, &TMP3File::SetID3v2Year},
            {CommentV2, &TMP3File::SetID3v2Comment},     {TrackV2, &TMP3File::SetID3v2Track},
            {GenreV2, &TMP3File::SetID3v2Genre},         {ComposerV2, &TMP3File::SetID3v2Composer},
            {OrgArtistV2, &TMP3File::SetID3v2OrigArtist}, {CopyrightV2, &TMP3File::SetID3v2Copyright},
            {URLV2, &TMP3File::SetID3v2URL},             {EncodedByV2, &TMP3File::SetID3v2EncodedBy}};
}

void TMainForm::StoreID3v2Fields()
{
    for (const auto& [control, set] : ID3v2Setters())
        (Engine.*set)(StoredText(*control));
}

void TMainForm::TrimID3v1Fields()
{
    Trim(ID3v1TextControls(*this));
}

void TMainForm::TrimID3v2Fields()
{
    Trim(ID3v2TextControls(*this));
}

void TMainForm::TrimAllFields()
{
    TrimID3v1Fields();
    TrimID3v2Fields();
}

void TMainForm::TruncateID3v1Fields()
{
    const std::vector<std::pair<QWidget*, qsizetype>> widths = {
        {Title, ID3v1TextWidth},   {Artist, ID3v1TextWidth},   {Album, ID3v1TextWidth},
        {Comment, ID3v1TextWidth}, {Year, ID3v1YearWidth}, {Track, ID3v1TrackWidth}};
    for (const auto& [control, width] : widths)
        if (const QString text = ControlText(*control); text.size() > width)
            SetControlText(*control, text.left(width));
}

std::uint8_t TMainForm::GenreFromCombo() const
{
    if (Genre->currentIndex() <= 0)
        return GenreTable::NoGenre;
    return TMP3File::GenreIndex(Latin1Bytes(Genre->currentText()));
}

void TMainForm::ShowGenreInCombo(std::uint8_t genre)
{
    if (genre == GenreTable::NoGenre) {
        Genre->setCurrentIndex(0);
        return;
    }
    if (genre >= GenreTable::Count) {
        Genre->setCurrentIndex(-1);
        return;
    }
    const int entry = Genre->findText(QString::fromLatin1(GenreTable::Name(genre)), Qt::MatchExactly);
    if (entry >= 0)
        Genre->setCurrentIndex(entry);
}

void TMainForm::ImportToID3v1Fields(const std::string& fileName)
{
    EditorFields fields = ReadEditorFields(*this);
    ::ImportToID3v1Fields(fields, Latin1Bytes(ImportCB->currentText()), fileName, FiltersForm->ImportFilterList());
    WriteEditorFields(ID3v1TextControls(*this), fields);
}

void TMainForm::ImportToID3v2Fields(const std::string& fileName)
{
    EditorFields fields = ReadEditorFields(*this);
    ::ImportToID3v2Fields(fields, Latin1Bytes(ImportCB->currentText()), fileName, FiltersForm->ImportFilterList());
    WriteEditorFields(ID3v2TextControls(*this), fields);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (watched == Track)
            return TrackKeyPress(key);
        if (watched == TrackV2)
            return TrackV2KeyPress(key);
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
