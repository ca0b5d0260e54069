#pragma once

#include <QtGui/QValidator>

// Limits what the user types into an edit to a number of characters, like a maximum length, but leaves
// text the program puts there (a longer scheme read from the settings) whole: Qt checks a validator only
// on typing, whereas a maximum length also cuts text set by the program.
class TypingLimit : public QValidator {
public:
    TypingLimit(int limit, QObject* parent)
        : QValidator(parent)
        , Limit(limit)
    {
    }

    State validate(QString& input, int&) const override { return input.size() <= Limit ? Acceptable : Invalid; }

private:
    int Limit;
};
