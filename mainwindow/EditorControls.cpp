#include "EditorControls.h"

#include "ui_MainForm.h"

std::vector<EditorTextControl> ID3v1TextControls(Ui::MainForm& ui)
{
    return {{ui.Title, &EditorFields::Title},     {ui.Artist, &EditorFields::Artist},
            {ui.Album, &EditorFields::Album},     {ui.Year, &EditorFields::Year},
            {ui.Comment, &EditorFields::Comment}, {ui.Track, &EditorFields::Track}};
}

std::vector<EditorTextControl> ID3v2TextControls(Ui::MainForm& ui)
{
    return {{ui.TitleV2, &EditorFields::TitleV2},         {ui.ArtistV2, &EditorFields::ArtistV2},
            {ui.AlbumV2, &EditorFields::AlbumV2},         {ui.YearV2, &EditorFields::YearV2},
            {ui.CommentV2, &EditorFields::CommentV2},     {ui.TrackV2, &EditorFields::TrackV2},
            {ui.GenreV2, &EditorFields::GenreV2},         {ui.ComposerV2, &EditorFields::ComposerV2},
            {ui.OrgArtistV2, &EditorFields::OrgArtistV2}, {ui.CopyrightV2, &EditorFields::CopyrightV2},
            {ui.URLV2, &EditorFields::URLV2},             {ui.EncodedByV2, &EditorFields::EncodedByV2}};
}

std::string Latin1Bytes(const QString& text)
{
    return text.toLatin1().toStdString();
}

QString ControlText(const QWidget& control)
{
    if (const auto* edit = qobject_cast<const QLineEdit*>(&control))
        return edit->text();
    if (const auto* box = qobject_cast<const QComboBox*>(&control))
        return box->currentText();
    if (const auto* memo = qobject_cast<const QPlainTextEdit*>(&control))
        return memo->toPlainText();
    return QString();
}

QString Trimmed(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first].unicode() <= u' ')
        ++first;
    while (last > first && text[last - 1].unicode() <= u' ')
        --last;
    return text.mid(first, last - first);
}

void SetControlText(QWidget& control, const QString& text)
{
    if (auto* edit = qobject_cast<QLineEdit*>(&control))
        edit->setText(text);
    else if (auto* box = qobject_cast<QComboBox*>(&control))
        box->setEditText(text);
    else if (auto* memo = qobject_cast<QPlainTextEdit*>(&control))
        memo->setPlainText(text);
}

QString ControlState(const QWidget& control)
{
    if (const auto* box = qobject_cast<const QComboBox*>(&control); box && !box->isEditable())
        return QString::number(box->currentIndex());
    return ControlText(control);
}

EditorFields ReadEditorFields(Ui::MainForm& ui)
{
    EditorFields fields;
    for (const auto& half : {ID3v1TextControls(ui), ID3v2TextControls(ui)})
        for (const auto& [control, field] : half)
            fields.*field = Latin1Bytes(ControlText(*control));
    fields.Genre = Latin1Bytes(ui.Genre->currentText());
    fields.ID3v1CB = ui.ID3v1CB->isChecked();
    fields.ID3v2CB = ui.ID3v2CB->isChecked();
    fields.CapitalizeFirst = ui.CapitalizeFirst->isChecked();
    fields.PadTrack = ui.PadTrack->isChecked();
    return fields;
}

void WriteEditorFields(const std::vector<EditorTextControl>& half, const EditorFields& fields)
{
    for (const auto& [control, field] : half)
        SetControlText(*control, QString::fromLatin1(fields.*field));
}
