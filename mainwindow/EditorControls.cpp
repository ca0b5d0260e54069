#include "EditorControls.h"

#include "EngineText.h"
#include "GenreTable.h"
#include "ShownText.h"
#include "StringOps.h"

#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QPushButton>

#include <charconv>

namespace {

// At most limit characters, never half of one that takes two UTF-16 units.
QString Cut(const QString& text, std::size_t limit)
{
    const auto length = static_cast<qsizetype>(limit);
    if (text.size() <= length)
        return text;
    const QList<uint> characters = text.toUcs4();
    if (characters.size() <= length)
        return text;
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(characters.constData()), length);
}

std::uint8_t GenreByte(const std::string& text)
{
    unsigned genre = GenreTable::NoGenre;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), genre);
    return error == std::errc() && end == text.data() + text.size() && genre <= 255 ? static_cast<std::uint8_t>(genre)
                                                                                    : GenreTable::NoGenre;
}

} // namespace

EditorControls::EditorControls(QWidget& window)
{
    const auto name = [](std::string_view text) { return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())); };
    for (const FieldInfo& info : Fields()) {
        Controls[Index(info.Id)] = window.findChild<QWidget*>(name(info.Control));
        ApplyButtons[Index(info.Id)] = window.findChild<QPushButton*>(name(info.ApplyButton));
    }
    GenreList = qobject_cast<QComboBox*>(Controls[Index(Field::Genre)]);
}

void EditorControls::Show(const FileTags& tags, bool padTrack)
{
    Show(tags, TagVersion::ID3v1, padTrack);
    Show(tags, TagVersion::ID3v2, padTrack);
}

void EditorControls::Show(const FileTags& tags, TagVersion version, bool padTrack)
{
    for (const FieldInfo& info : Fields(version)) {
        if (info.Id == Field::Genre) {
            // No tag shows no entry; a byte past the genre table too, and a save keeps it unless a genre is chosen.
            const std::string& genre = tags.Text(info.Id);
            if (genre.empty())
                GenreList->setCurrentIndex(-1);
            else
                ShowGenreInCombo(GenreByte(genre));
        } else {
            std::string text = ShownText(tags, info.Id, padTrack);
            // The memo breaks lines at "\n": "\r\n" and a bare "\n" both show as a line break.
            if (info.Id == Field::CommentV2)
                text = ReplaceAll(text, "\r\n", "\n");
            SetControlText(Control(info.Id), Cut(FromEngineText(text), info.ShownLimit));
        }
        Shown[Index(info.Id)] = State(info.Id);
    }
}

void EditorControls::TakeEdits(FileTags& tags) const
{
    for (const FieldInfo& info : Fields())
        if (State(info.Id) != Shown[Index(info.Id)])
            tags.Edit(info.Id, TypedText(info.Id));
}

std::string EditorControls::TypedText(Field field) const
{
    if (field == Field::Genre)
        return std::to_string(GenreFromCombo());
    const std::string typed = ToEngineText(ControlText(Control(field)));
    // A comment typed or changed in the memo is stored with "\r\n" between its lines.
    return field == Field::CommentV2 ? ReplaceAll(typed, "\n", "\r\n") : typed;
}

QString EditorControls::State(Field field) const
{
    return field == Field::Genre ? QString::number(GenreList->currentIndex()) : ControlText(Control(field));
}

std::uint8_t EditorControls::GenreFromCombo() const
{
    if (GenreList->currentIndex() <= 0)
        return GenreTable::NoGenre;
    return GenreTable::Index(ToEngineText(GenreList->currentText()));
}

void EditorControls::ShowGenreInCombo(std::uint8_t genre)
{
    if (genre == GenreTable::NoGenre) {
        GenreList->setCurrentIndex(0);
        return;
    }
    if (genre >= GenreTable::Count) {
        GenreList->setCurrentIndex(-1);
        return;
    }
    const int entry = GenreList->findText(FromEngineText(GenreTable::Name(genre)), Qt::MatchExactly);
    if (entry >= 0)
        GenreList->setCurrentIndex(entry);
}

QString EditorControls::ControlText(const QWidget& control)
{
    if (const auto* edit = qobject_cast<const QLineEdit*>(&control))
        return edit->text();
    if (const auto* box = qobject_cast<const QComboBox*>(&control))
        return box->currentText();
    if (const auto* memo = qobject_cast<const QPlainTextEdit*>(&control))
        return memo->toPlainText();
    return QString();
}

void EditorControls::SetControlText(QWidget& control, const QString& text)
{
    if (auto* edit = qobject_cast<QLineEdit*>(&control))
        edit->setText(text);
    else if (auto* box = qobject_cast<QComboBox*>(&control))
        box->setEditText(text);
    else if (auto* memo = qobject_cast<QPlainTextEdit*>(&control))
        memo->setPlainText(text);
}
