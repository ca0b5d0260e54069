#pragma once

#include "FileTags.h"

#include <QtCore/QString>

#include <array>
#include <cstdint>

class QComboBox;
class QPushButton;
class QWidget;

// The one bridge between the editor's controls and a file's tags. It fills the controls from a FileTags, each showing
// at most its length, and hands back as edits the fields whose control the user changed since; a field the user did
// not touch is never taken from its control, so what a control cuts or trims is never written.
class EditorControls {
public:
    // The controls of the window, found by the field table's names.
    explicit EditorControls(QWidget& window);

    QWidget& Control(Field field) const { return *Controls[Index(field)]; }
    QPushButton& ApplyButton(Field field) const { return *ApplyButtons[Index(field)]; }

    // The half's controls show the fields; with padTrack a one-digit track as read shows a leading zero.
    void Show(const FileTags& tags, TagVersion version, bool padTrack);
    void Show(const FileTags& tags, bool padTrack);
    // The fields whose control no longer shows what Show put there, as edits.
    void TakeEdits(FileTags& tags) const;

    // The ID3v1 genre list: the genre byte of the entry chosen, 255 for the empty entry or none; and the entry of a
    // byte chosen (the empty entry for 255, none past the genre table).
    std::uint8_t GenreFromCombo() const;
    void ShowGenreInCombo(std::uint8_t genre);

    // A control's text as it stands, and set.
    static QString ControlText(const QWidget& control);
    static void SetControlText(QWidget& control, const QString& text);

private:
    // What a control shows, in a form that changes exactly when the user changes it: the text, or for the ID3v1 genre
    // list, which takes no typing, the entry chosen.
    QString State(Field field) const;
    // The control's content as the engine stores what the user typed.
    std::string TypedText(Field field) const;

    std::array<QWidget*, FieldCount> Controls {};
    std::array<QPushButton*, FieldCount> ApplyButtons {};
    QComboBox* GenreList = nullptr;
    std::array<QString, FieldCount> Shown {};
};
