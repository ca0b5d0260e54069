#pragma once

#include <QtGui/QValidator>

class QLineEdit;

// Limits what the user types into an edit to a number of characters as the user sees them (a letter with its
// accents, an emoji: one each), where a maximum length counts UTF-16 units and also cuts text the program sets.
// A longer text the program put there (a scheme read from the settings) stays whole and can be edited down.
class TypingLimit : public QValidator {
public:
    TypingLimit(int limit, QLineEdit& edit);

    State validate(QString& input, int& position) const override;
    // Characters as the user sees them: code points once combining marks are composed with their letters.
    static qsizetype Characters(const QString& text);

private:
    int Limit;
    qsizetype Shown = 0; // the characters the edit holds now
};
