// Copying between the two tag versions: the editor's copy buttons and the commands that create one tag from the other.
#include "TMainForm.h"

#include "EditorControls.h"
#include "ID3v1FromID3v2.h"
#include "MP3ListModel.h"
#include "TOptionsForm.h"

#include <QtWidgets/QApplication>

#include <utility>
#include <vector>

namespace {

const QString CreateID3v1Question = QStringLiteral(
    "Generate ID3v1 tags from ID3v2 tags?\n  * MP3s WITH ID3v1 tags or WITHOUT ID3v2 tags are ignored\n");
const QString CreateID3v2Question = QStringLiteral(
    "Generate ID3v2 tags from ID3v1 tags?\n  * MP3s WITHOUT ID3v1 tags or WITH ID3v2 tags are ignored\n");

// The engine's empty ID3v1 record filled from the ID3v2 tag it read; the setters cut each text to its field.
void TakeID3v1FromID3v2(TMP3File& engine)
{
    engine.SetID3v1Title(engine.GetID3v2Title());
    engine.SetID3v1Artist(engine.GetID3v2Artist());
    engine.SetID3v1Album(engine.GetID3v2Album());
    engine.SetID3v1Year(engine.GetID3v2Year());
    engine.SetID3v1Track(ID3v1TrackFromID3v2(engine.GetID3v2Track()));
    engine.SetID3v1Genre(ID3v1GenreFromID3v2(engine.GetID3v2Genre()));
    // After the track, which takes the comment's last two bytes.
    engine.SetID3v1Comment(OneLineComment(engine.GetID3v2Comment()));
}

// Frames from the engine's ID3v1 record; an empty text, and genre 255, make no frame.
void TakeID3v2FromID3v1(TMP3File& engine)
{
    engine.SetID3v2Title(engine.GetID3v1Title());
    engine.SetID3v2Artist(engine.GetID3v1Artist());
    engine.SetID3v2Album(engine.GetID3v1Album());
    engine.SetID3v2Year(engine.GetID3v1Year());
    if (const std::uint8_t track = engine.GetID3v1Track())
        engine.SetID3v2TrackNumber(track);
    engine.SetID3v2Genre(engine.GenreName());
    engine.SetID3v2Comment(engine.GetID3v1Comment());
}

} // namespace

void TMainForm::v1tov2BtnClick()
{
    const std::vector<std::pair<QWidget*, QWidget*>> twins = {
        {Title, TitleV2}, {Artist, ArtistV2}, {Album, AlbumV2},    {Year, YearV2},
        {Genre, GenreV2}, {Track, TrackV2},   {Comment, CommentV2}};
    for (const auto& [v1, v2] : twins)
        SetControlText(*v2, ControlText(*v1));
}

void TMainForm::v2tov1BtnClick()
{
    const std::vector<std::pair<QWidget*, QWidget*>> twins = {
        {TitleV2, Title}, {ArtistV2, Artist}, {AlbumV2, Album}, {YearV2, Year}};
    for (const auto& [v2, v1] : twins)
        SetControlText(*v1, ControlText(*v2));
    // The number a track such as "3/12" begins with; the track field takes digits only.
    const std::uint8_t track = ID3v1TrackFromID3v2(Latin1Bytes(TrackV2->text()));
    Track->setText(track ? QString::number(track) : QString());
    ShowGenreInCombo(TMP3File::GenreIndex(Latin1Bytes(GenreV2->currentText())));
    Comment->setText(QString::fromLatin1(OneLineComment(Latin1Bytes(CommentV2->toPlainText()))));
    TruncateID3v1Fields();
}

void TMainForm::CreateID3v1Click()
{
    CreateForSelectedItems(CreateID3v1Question, &TMainForm::CreateID3v1Item);
}

void TMainForm::CreateID3v2Click()
{
    CreateForSelectedItems(CreateID3v2Question, &TMainForm::CreateID3v2Item);
}

void TMainForm::CreateForSelectedItems(const QString& question, bool (TMainForm::*create)(int))
{
    const QList<int> selected = SelectedRows();
    if (selected.isEmpty() || !ConfirmAction(question))
        return;
    SaveScreenCursor();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    for (const int i : selected)
        if (!(this->*create)(i))
            ReportSaveFailure(ListModel->Row(i).Caption); // the box names the file as the list does
    Selected3->viewport()->update();
    if (LoadedIndex >= 0)
        LoadCurrentItem();
    RestoreScreenCursor();
    if (selected.size() > 1)
        OptionsForm->EndOfJobBeep();
}

bool TMainForm::CreateID3v1Item(int i)
{
    Engine.Reset();
    Engine.SetFileName(ItemPath(i));
    // Asked of the file itself: the list's flags may be older than the file.
    if (!Engine.ReadID3v1() || !Engine.ReadID3v2Header())
        return false;
    if (!Engine.HasID3v1() && Engine.HasID3v2()) {
        if (!Engine.ReadID3v2())
            return false;
        TakeID3v1FromID3v2(Engine);
        if (!Engine.WriteID3v1Tag())
            return false;
        RefreshListItem(i);
    }
    Engine.Close();
    return true;
}

bool TMainForm::CreateID3v2Item(int i)
{
    Engine.Reset();
    Engine.SetFileName(ItemPath(i));
    if (!Engine.ReadID3v1() || !Engine.ReadID3v2Header())
        return false;
    const bool qualifies = Engine.HasID3v1() && !Engine.HasID3v2();
    if (qualifies)
        TakeID3v2FromID3v1(Engine);
    // An ID3v1 tag of empty fields gives no frame, and an empty tag is not worth rewriting the file for.
    if (qualifies && !Engine.GetID3v2Frames().IsEmpty()) {
        if (!Engine.WriteID3v2Tag())
            return false;
        RefreshListItem(i);
    }
    Engine.Close();
    return true;
}
