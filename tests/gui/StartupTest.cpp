// The main window's wiring: toolbar buttons run their menu commands, commands open their dialogs modally,
// confirmations answer as clicked, and the few behaviours of its controls a user relies on.
#include "GuiTestSupport.h"

#include "EditorLists.h"
#include "Forms.h"
#include "TMainForm.h"

#include <QtTest/QSignalSpy>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QToolButton>

namespace {

::testing::Environment* const QtApp = ::testing::AddGlobalTestEnvironment(new QtEnvironment<QApplication>);

class StartupTest : public ::testing::Test {
protected:
    SettingsSandbox Sandbox;
    Forms Windows;
    TMainForm& Main = Windows.MainForm();
};

TEST_F(StartupTest, ToolbarButtonRunsItsMenuCommandAndOpensItsDialogModally)
{
    Main.show();
    const std::vector<std::tuple<const char*, const char*, QString>> buttons = {
        {"AddFileBtn", "AddFilesMI", "TPickerForm"}, {"AddDirectoryBtn", "AddDirectoryMI", "QFileDialog"},
        {"OptionsBtn", "OptionsMI", "TOptionsForm"}, {"FiltersBtn", "FiltersMI", "TFiltersForm"}, {"ClearMP3Btn", "ClearMP3MI", ""}, {"PlayMP3Btn", "PlayMP3MI", ""},
        {"FileInfoBtn", "FileInfoMI", ""}, {"UndoRenameBtn", "UndoRenameMI", ""}, {"ExitBtn", "ExitMI", ""}};
    for (const auto& [buttonName, actionName, dialog] : buttons) {
        QSignalSpy triggered(Main.findChild<QAction*>(QString::fromLatin1(actionName)), &QAction::triggered);
        auto* button = Main.findChild<QToolButton*>(QString::fromLatin1(buttonName));
        ASSERT_NE(button, nullptr) << buttonName;
        // On the button part, not on the drop-down arrow of the options button.
        const QStringList opened = ClosingDialogs(
            [button] { QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2)); });
        EXPECT_EQ(triggered.count(), 1) << buttonName;
        EXPECT_EQ(opened, dialog.isEmpty() ? QStringList() : QStringList(dialog)) << buttonName;
    }
    EXPECT_FALSE(Main.isVisible()) << "the exit button closes the window";
}

TEST_F(StartupTest, ConfirmationsAreFalseOnlyForNo)
{
    const std::vector<std::tuple<std::function<bool()>, QMessageBox::StandardButton, bool, QString>> cases = {
        {[this] { return Main.ConfirmYesNo("Question", "Go on?"); }, QMessageBox::Yes, true, "QuestionGo on?"},
        {[this] { return Main.ConfirmYesNo("Question", "Go on?"); }, QMessageBox::No, false, "QuestionGo on?"},
        {[this] { return Main.ConfirmAction("Delete ID3 tags"); }, QMessageBox::No, false,
         "WarningACTION:\nDelete ID3 tags"}};
    for (const auto& [ask, answer, expected, shown] : cases) {
        bool answered = !expected;
        const auto boxes = Answering({answer}, [&] { answered = ask(); });
        ASSERT_EQ(boxes.size(), 1u) << shown.toStdString();
        EXPECT_EQ(boxes[0].Caption + boxes[0].Text, shown);
        EXPECT_EQ(answered, expected) << shown.toStdString();
    }
}

TEST_F(StartupTest, RestoreScreenCursorPutsBackWhatWasThereBeforeTheWait)
{
    for (const auto before : std::initializer_list<std::optional<Qt::CursorShape>>{std::nullopt, Qt::PointingHandCursor}) {
        if (before)
            QApplication::setOverrideCursor(*before);
        Main.SaveScreenCursor();
        QApplication::setOverrideCursor(Qt::WaitCursor);
        // A nested long operation saves and restores inside the outer one.
        Main.SaveScreenCursor();
        QApplication::setOverrideCursor(Qt::WaitCursor);
        Main.RestoreScreenCursor();
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        Main.SavedCursor = before;
        Main.RestoreScreenCursor();
        EXPECT_EQ(QApplication::overrideCursor() ? std::optional(QApplication::overrideCursor()->shape()) : std::nullopt,
                  before);
        if (before)
            QApplication::restoreOverrideCursor();
    }
}

TEST_F(StartupTest, ImportSchemeTakesAHundredTypedCharactersAndFollowsItsSwitch)
{
    Main.ImportCB->setEditText(QString());
    QTest::keyClicks(Main.ImportCB->lineEdit(), QString(120, QLatin1Char('x')));
    EXPECT_EQ(Main.ImportCB->currentText(), QString(100, QLatin1Char('x')));
    for (const bool on : {false, true}) {
        Main.UseImport->setChecked(on);
        EXPECT_EQ(Main.ImportCB->isEnabled(), on);
    }
}

TEST(GenreEntriesTest, SortIgnoresHyphensAndDots)
{
    const QStringList entries = GenreEntries();
    EXPECT_LT(entries.indexOf("Eurodance"), entries.indexOf("Euro-House"));
    EXPECT_EQ(entries.indexOf("Blues"), entries.indexOf("Bluegrass") + 1);
}

} // namespace
