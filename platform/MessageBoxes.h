#pragma once

#include <QtCore/QString>

// The three kinds of box the program talks to the user with. None has an owner window, so each
// stays in front of whatever is open and waits for its answer.

// The text with an OK button and no icon, captioned with the application title unless a caption is given.
void ShowMessage(const QString& text, const QString& caption = QString());
// A failure the user should know about (a file that could not be opened or saved), OK button only.
void ShowError(const QString& text);
// Yes/No with the warning icon; false only when the answer is No.
bool AskYesNo(const QString& caption, const QString& text);
// The desktop's default beep.
void Beep();
