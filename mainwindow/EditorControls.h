#pragma once

#include "EditorFields.h"

#include <QtCore/QString>

#include <string>
#include <vector>

class QWidget;
namespace Ui {
class MainForm;
}

// The editor's text controls: edits, editable combo boxes and the comment memo, each standing for one
// member of the naming schemes' EditorFields record. This is the one bridge between the controls and
// the schemes: copy the controls in, call the schemes, copy the fields back.
struct EditorTextControl {
    QWidget* Control;
    std::string EditorFields::*Field;
};

// Title, Artist, Album, Year, Comment, Track (the genre list holds no text of its own).
std::vector<EditorTextControl> ID3v1TextControls(Ui::MainForm& ui);
// The twelve ID3v2 controls.
std::vector<EditorTextControl> ID3v2TextControls(Ui::MainForm& ui);

// A control's text as the engine and the schemes hold text: Latin-1 bytes, "?" for characters beyond.
std::string Latin1Bytes(const QString& text);
QString ControlText(const QWidget& control);
// Without blanks and control characters at either end.
QString Trimmed(const QString& text);
void SetControlText(QWidget& control, const QString& text);
// What a control shows, in a form that changes exactly when the user changes it: the text, or for the
// ID3v1 genre list, which takes no typing, the selected entry.
QString ControlState(const QWidget& control);

// The controls and the options the schemes read.
EditorFields ReadEditorFields(Ui::MainForm& ui);
// The text controls of one half back from the record.
void WriteEditorFields(const std::vector<EditorTextControl>& half, const EditorFields& fields);
