#include "MessageBoxes.h"

#include "ApplicationTitle.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QMessageBox>

void ShowMessage(const QString& text, const QString& caption)
{
    QMessageBox box(QMessageBox::NoIcon, caption.isEmpty() ? QString::fromLatin1(ApplicationTitle) : caption, text,
                    QMessageBox::Ok);
    box.exec();
}

void ShowError(const QString& text)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), text, QMessageBox::Ok);
    box.exec();
}

bool AskYesNo(const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Yes | QMessageBox::No);
    return box.exec() != QMessageBox::No;
}

void Beep()
{
    QApplication::beep();
}
