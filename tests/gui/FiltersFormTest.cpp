// The filter setup dialog driven through its controls: adding, deleting and switching off filters,
// and the lists as they reach the settings file when the dialog closes and come back at the next start.
#include "GuiTestSupport.h"

#include "Forms.h"
#include "TFiltersForm.h"

#include <QtTest/QTest>

#include <optional>

namespace {

::testing::Environment* const QtApp = ::testing::AddGlobalTestEnvironment(new QtEnvironment<QApplication>);

using Values = std::map<std::string, std::string>;
using Lines = std::vector<std::string>;

// One half of the dialog; both halves must behave alike.
struct Half {
    const char* Name;
    QLineEdit* Source;
    QLineEdit* Replacement;
    QListWidget* Box;
    QToolButton* Add;
    QToolButton* Delete;
    QCheckBox* Switch;
    FilterList (TFiltersForm::*List)() const;
};

// Types like a keyboard; QTest's own typing takes ASCII only.
void Type(QWidget* widget, const QString& text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

Lines Shown(const QListWidget& box)
{
    Lines lines;
    for (int row = 0; row < box.count(); ++row)
        lines.push_back(box.item(row)->text().toLatin1().toStdString());
    return lines;
}

class FiltersFormTest : public ::testing::Test {
protected:
    TFiltersForm& Start()
    {
        Windows.reset();
        Windows.emplace();
        TFiltersForm& filters = Windows->FiltersForm();
        filters.show();
        return filters;
    }

    static std::vector<Half> Halves(TFiltersForm& f)
    {
        return {{"import", f.ImpFilter1, f.ImpFilter2, f.ImportFilterBox, f.ImpAddBtn, f.ImpDelBtn, f.ImpFilters,
                 &TFiltersForm::ImportFilterList},
                {"rename", f.RenFilter1, f.RenFilter2, f.RenameFilterBox, f.RenAddBtn, f.RenDelBtn, f.RenFilters,
                 &TFiltersForm::RenameFilterList}};
    }

    // Types the two characters and clicks the add button. A message box that comes up is answered and
    // its text returned; the answer is armed for this click only, so a click without a box leaves none.
    static QString Add(const Half& half, const QString& source, const QString& replacement)
    {
        Type(half.Source, source);
        Type(half.Replacement, replacement);
        QString message;
        QTimer::singleShot(0, [&message] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                EXPECT_EQ(box->windowTitle(), "Vellum MP3");
                EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
                message = box->text();
                box->button(QMessageBox::Ok)->click();
            }
        });
        QTest::mouseClick(half.Add, Qt::LeftButton);
        QCoreApplication::processEvents();
        return message;
    }

    // On the box itself: the check box may be wider than its text.
    static void ClickSwitch(QCheckBox& box)
    {
        QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(6, box.height() / 2));
    }

    static void SelectRows(QListWidget& box, std::initializer_list<int> rows)
    {
        for (int row : rows)
            QTest::mouseClick(box.viewport(), Qt::LeftButton, Qt::ControlModifier,
                              box.visualItemRect(box.item(row)).center());
    }

    SettingsSandbox Sandbox;
    std::optional<Forms> Windows;
};

TEST_F(FiltersFormTest, AddingKeepsTheRulesOfEachHalf)
{
    const QString noSource = "You must have at least a 'source character' entered!";
    const QString useless = "That would be a useless filter!";
    struct Step {
        QString Source, Replacement, Message;
        Lines List;
        QString SourceLeft, ReplacementLeft;
    };
    const std::vector<Step> steps = {
        {"_", " ", "", {"_ ->  "}, "", ""},
        {"?", "", "", {"_ ->  ", "? -> "}, "", ""},
        {"", "x", noSource, {"_ ->  ", "? -> "}, "", "x"},
        {"a", "a", useless, {"_ ->  ", "? -> "}, "a", "a"},
        {"a", "b", "", {"_ ->  ", "? -> ", "a -> b"}, "", ""},
        {"a", "b", "", {"_ ->  ", "? -> ", "a -> b"}, "", ""},
        {"a", "c", "", {"_ ->  ", "? -> ", "a -> b", "a -> c"}, "", ""},
        {"A", "a", "", {"_ ->  ", "? -> ", "a -> b", "a -> c", "A -> a"}, "", ""},
    };
    TFiltersForm& filters = Start();
    for (const Half& half : Halves(filters)) {
        for (const Step& step : steps) {
            const std::string where = std::string(half.Name) + " '" + step.Source.toStdString() + "' '"
                + step.Replacement.toStdString() + "'";
            half.Source->clear();
            half.Replacement->clear();
            EXPECT_EQ(Add(half, step.Source, step.Replacement), step.Message) << where;
            EXPECT_EQ(Shown(*half.Box), step.List) << where;
            EXPECT_EQ(half.Source->text(), step.SourceLeft) << where;
            EXPECT_EQ(half.Replacement->text(), step.ReplacementLeft) << where;
        }
    }
    EXPECT_EQ(filters.ImportFilterList(), steps.back().List);
    EXPECT_EQ(filters.RenameFilterList(), steps.back().List);
}

TEST_F(FiltersFormTest, EditsTakeOnePrintableLatin1Character)
{
    const std::vector<std::pair<QString, QString>> typed = {
        {"ab", "a"}, {QString::fromUtf8("é"), QString::fromUtf8("é")}, {QString::fromUtf8("€"), ""},
        {QString::fromUtf8("Ωx"), "x"}, {" ", " "}};
    TFiltersForm& filters = Start();
    for (QLineEdit* edit : {filters.ImpFilter1, filters.ImpFilter2, filters.RenFilter1, filters.RenFilter2}) {
        for (const auto& [keys, kept] : typed) {
            edit->clear();
            Type(edit, keys);
            EXPECT_EQ(edit->text(), kept) << edit->objectName().toStdString() << " " << keys.toStdString();
        }
        edit->clear();
    }
    Add(Halves(filters)[0], QString::fromUtf8("é"), "e");
    EXPECT_EQ(filters.ImportFilterList(), Lines{"\xE9 -> e"}) << "Latin-1 bytes for the schemes";
}

TEST_F(FiltersFormTest, DeletingSelectedEntriesKeepsTheOthersInOrderAndRenumbersThem)
{
    TFiltersForm& filters = Start();
    for (const Half& half : Halves(filters)) {
        for (const char* source : {"1", "2", "3", "4", "5"})
            Add(half, source, "x");
        QTest::mouseClick(half.Delete, Qt::LeftButton);
        EXPECT_EQ(Shown(*half.Box).size(), 5u) << "nothing selected, nothing deleted";
        SelectRows(*half.Box, {1, 3});
        QTest::mouseClick(half.Delete, Qt::LeftButton);
        EXPECT_EQ(Shown(*half.Box), (Lines{"1 -> x", "3 -> x", "5 -> x"})) << half.Name;
    }
    QTest::mouseClick(filters.CloseBtn, Qt::LeftButton);
    EXPECT_FALSE(filters.isVisible());
    EXPECT_EQ(Sandbox.Section("Filters"),
              (Values{{"Import1", "1 -> x"}, {"Import2", "3 -> x"}, {"Import3", "5 -> x"}, {"Rename1", "1 -> x"},
                      {"Rename2", "3 -> x"}, {"Rename3", "5 -> x"}}));
}

TEST_F(FiltersFormTest, SwitchingAHalfOffKeepsItsEntriesAndGreysOnlyItsEditsAndList)
{
    TFiltersForm& filters = Start();
    const std::vector<Half> halves = Halves(filters);
    for (const Half& half : halves)
        Add(half, "_", " ");
    for (const Half& half : halves) {
        ClickSwitch(*half.Switch);
        for (const Half& other : halves) {
            const bool off = &other == &half;
            for (QWidget* control : std::initializer_list<QWidget*>{other.Source, other.Replacement, other.Box})
                EXPECT_EQ(control->isEnabled(), !off) << half.Name << " " << control->objectName().toStdString();
            EXPECT_TRUE(other.Add->isEnabled());
            EXPECT_TRUE(other.Delete->isEnabled());
            EXPECT_EQ(Shown(*other.Box), Lines{"_ ->  "});
            EXPECT_EQ((filters.*other.List)(), off ? Lines{} : Lines{"_ ->  "}) << half.Name;
        }
        ClickSwitch(*half.Switch);
        EXPECT_TRUE(half.Box->isEnabled());
    }
}

TEST_F(FiltersFormTest, StoredSwitchOffStartsWithItsHalfGreyed)
{
    Sandbox.Write("[General]\nImpFilters=0\n");
    TFiltersForm& filters = Start();
    EXPECT_FALSE(filters.ImpFilters->isChecked());
    EXPECT_FALSE(filters.ImportFilterBox->isEnabled());
    EXPECT_FALSE(filters.ImpFilter1->isEnabled());
    EXPECT_TRUE(filters.RenameFilterBox->isEnabled());
}

TEST_F(FiltersFormTest, TwelveImportFiltersComeBackInTheirOrderAfterARestart)
{
    const Lines made = {"a -> b", "b -> c", "_ ->  ", "  -> _", "' -> ", "\xE9 -> e", "\" -> '",
                        "; -> ,", "= -> -", "# -> +", "\\ -> /", "% -> !"};
    TFiltersForm& filters = Start();
    for (const std::string& line : made) {
        const QString entry = QString::fromLatin1(line);
        Add(Halves(filters)[0], entry.left(1), entry.mid(5));
    }
    ASSERT_EQ(Shown(*filters.ImportFilterBox), made);
    QTest::keyClick(filters.ImpFilter1, Qt::Key_Escape);
    EXPECT_FALSE(filters.isVisible());
    const Values stored = Sandbox.Section("Filters");
    EXPECT_EQ(stored.size(), 12u);
    EXPECT_EQ(stored.at("Import10"), "# -> +") << "numbered from 1 without leading zeros";

    TFiltersForm& restarted = Start();
    EXPECT_EQ(Shown(*restarted.ImportFilterBox), made);
    EXPECT_EQ(restarted.ImportFilterList(), made);
    EXPECT_TRUE(Shown(*restarted.RenameFilterBox).empty());
}

TEST_F(FiltersFormTest, StoredEntriesLoadInNumberOrderAndStrayNamesAreRenumberedAtTheClose)
{
    Sandbox.Write("[General]\nPadTrack=1\n\n[Filters]\nImport10=j -> k\nImport2=b -> c\nImported=x -> y\n"
                  "Import1=a -> b\nRename2=\"2 -> \"\nRename1=\"1 -> \"\nOther=o -> p\n");
    TFiltersForm& filters = Start();
    EXPECT_EQ(Shown(*filters.ImportFilterBox), (Lines{"a -> b", "b -> c", "j -> k", "x -> y"}));
    EXPECT_EQ(Shown(*filters.RenameFilterBox), (Lines{"1 -> ", "2 -> "}));
    filters.close();
    EXPECT_FALSE(filters.isVisible());
    // Blanks at the end of a value are kept by quoting it.
    EXPECT_EQ(Sandbox.Section("Filters"),
              (Values{{"Import1", "a -> b"}, {"Import2", "b -> c"}, {"Import3", "j -> k"}, {"Import4", "x -> y"},
                      {"Rename1", "\"1 -> \""}, {"Rename2", "\"2 -> \""}}));
    EXPECT_EQ(Sandbox.Section(), (Values{{"PadTrack", "1"}})) << "the main key is left alone";
}

TEST_F(FiltersFormTest, ClosingAnEmptyDialogEmptiesTheStoredLists)
{
    Sandbox.Write("[Filters]\nImport1=a -> b\nRename1=c -> d\n");
    TFiltersForm& filters = Start();
    for (const Half& half : Halves(filters)) {
        SelectRows(*half.Box, {0});
        QTest::mouseClick(half.Delete, Qt::LeftButton);
    }
    filters.hide();
    EXPECT_TRUE(Sandbox.Section("Filters").empty());
}

} // namespace
