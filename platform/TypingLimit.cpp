#include "TypingLimit.h"

#include <QtWidgets/QLineEdit>

TypingLimit::TypingLimit(int limit, QLineEdit& edit)
    : QValidator(&edit)
    , Limit(limit)
    , Shown(Characters(edit.text()))
{
    // Every text the edit takes, typed or set by the program; a refused edit leaves the text, and this, as it was.
    connect(&edit, &QLineEdit::textChanged, this, [this](const QString& text) { Shown = Characters(text); });
}

QValidator::State TypingLimit::validate(QString& input, int&) const
{
    const qsizetype characters = Characters(input);
    if (characters <= Limit)
        return Acceptable;
    return characters < Shown ? Intermediate : Invalid;
}

qsizetype TypingLimit::Characters(const QString& text)
{
    return text.normalized(QString::NormalizationForm_C).toUcs4().size();
}
