#pragma once

#include "TempDir.h"

#include <gtest/gtest.h>

#include <QtCore/QSettings>
#include <QtCore/QTimer>
#include <QtTest/QTest>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMessageBox>

#include <fstream>
#include <functional>
#include <map>
#include <memory>

// One application object for the whole test program, as the program itself has (on the platform the tests' environment
// names, offscreen). Register it with ::testing::AddGlobalTestEnvironment(new QtEnvironment<QApplication>) at namespace
// scope.
template <class Application>
class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override { App = std::make_unique<Application>(Argc, Argv); }
    void TearDown() override { App.reset(); }

private:
    int Argc = 1;
    char Name[16] = "vellum-gui-test";
    char* Argv[2] = {Name, nullptr};
    std::unique_ptr<Application> App;
};

// Points the per-user settings at a fresh directory for one test, so no test sees another's file
// or the settings of the person running the tests.
class SettingsSandbox {
public:
    // With the text an earlier run left in the file, when given.
    explicit SettingsSandbox(const std::string& stored = {})
    {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QString::fromStdString(Dir.path().string()));
        std::filesystem::create_directories(IniFile.parent_path());
        if (!stored.empty())
            std::ofstream(IniFile, std::ios::binary) << stored;
    }

    // The raw "name=value" lines of one section of the file, as another reader would see them.
    std::map<std::string, std::string> Section(const std::string& section = "General") const
    {
        std::map<std::string, std::string> values;
        std::ifstream lines(IniFile);
        std::string line;
        bool inside = false;
        while (std::getline(lines, line)) {
            if (!line.empty() && line.front() == '[')
                inside = line == "[" + section + "]";
            else if (const auto equals = line.find('='); inside && equals != std::string::npos)
                values[line.substr(0, equals)] = line.substr(equals + 1);
        }
        return values;
    }

private:
    TempDir Dir;
    const std::filesystem::path IniFile = Dir.path() / "Brindle Software" / "Vellum MP3.ini";
};

// Texts in failure messages as text.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

// Runs the action on the modal window that opens next, once it is up (the caller then starts
// whatever opens it and waits in its event loop).
inline void OnNextModal(std::function<void(QWidget&)> action)
{
    QTimer::singleShot(0, [action] {
        if (QWidget* modal = QApplication::activeModalWidget())
            action(*modal);
        else
            OnNextModal(action);
    });
}

struct BoxSeen {
    QString Caption, Text; // what a message box showed
};

// Runs the action and answers every message box it shows, in turn, with the answers given (the first button once
// they run out); what each box showed, so that a missing or an unexpected box fails the test rather than hangs it.
inline std::vector<BoxSeen> Answering(const std::vector<QMessageBox::StandardButton>& answers,
                                      const std::function<void()>& action)
{
    std::vector<BoxSeen> boxes;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        boxes.push_back({box->windowTitle(), box->text()});
        const std::size_t answered = boxes.size() - 1;
        QAbstractButton* button = answered < answers.size() ? box->button(answers[answered]) : box->buttons().first();
        EXPECT_NE(button, nullptr) << "no such button on the box: " << box->text().toStdString();
        (button ? button : box->buttons().first())->click();
    });
    watcher.start(0);
    action();
    return boxes;
}

inline QStringList Texts(const std::vector<BoxSeen>& boxes)
{
    QStringList texts;
    for (const BoxSeen& box : boxes)
        texts << box.Text;
    return texts;
}
