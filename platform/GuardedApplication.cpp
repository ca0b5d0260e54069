#include "GuardedApplication.h"

#include "MessageBoxes.h"

#include <exception>

bool GuardedApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        Fail(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        Fail(QStringLiteral("unknown error"));
    }
    return false;
}

void GuardedApplication::ShowFailure(const QString& reason)
{
    ShowError(QStringLiteral("Vellum MP3 has stopped because of an unexpected error:\n\n") + reason);
}

void GuardedApplication::Fail(const QString& reason)
{
    // Events still queued may fail again while the box is up; one report is enough.
    if (Failed)
        return;
    Failed = true;
    ShowFailure(reason);
    exit(1);
}
