#pragma once

#include <QtWidgets/QApplication>

// The application object of the program. An exception that escapes an event handler would otherwise
// tear through the toolkit; here it is shown in an error box and the event loop ends with code 1.
class GuardedApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override;

    // The box that tells the user the program stops because of the given error.
    static void ShowFailure(const QString& reason);

private:
    void Fail(const QString& reason);

    bool Failed = false;
};
