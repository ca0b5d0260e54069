// The filter setup dialog driven through its controls, and its lists as the close stores them and a start reads them.
#include "GuiTestSupport.h"

#include "Forms.h"
#include "TFiltersForm.h"

#include <optional>

namespace {

::testing::Environment* const QtApp = ::testing::AddGlobalTestEnvironment(new QtEnvironment<QApplication>);

using Values = std::map<std::string, std::string>;
using Lines = std::vector<std::string>;

// One half of the dialog; both halves must behave alike.
struct Half {
    const char* Name;
    QLineEdit *Source, *Replacement;
    QListWidget* Box;
    QToolButton *Add, *Delete;
    FilterList (TFiltersForm::*List)() const;
};

class FiltersFormTest : public ::testing::Test {
protected:
    TFiltersForm& Start()
    {
        Windows.reset();
        Windows.emplace().FiltersForm().show();
        return Windows->FiltersForm();
    }

    static std::vector<Half> Halves(TFiltersForm& f)
    {
        return {{"import", f.ImpFilter1, f.ImpFilter2, f.ImportFilterBox, f.ImpAddBtn, f.ImpDelBtn, &TFiltersForm::ImportFilterList},
                {"rename", f.RenFilter1, f.RenFilter2, f.RenameFilterBox, f.RenAddBtn, f.RenDelBtn, &TFiltersForm::RenameFilterList}};
    }

    // Types the two characters and clicks the add button; the text of the box that came up, if one did.
    static QString Add(const Half& half, const QString& source, const QString& replacement)
    {
        Type(half.Source, source);
        Type(half.Replacement, replacement);
        const auto boxes = ClickAnswering(half.Add, {QMessageBox::Ok});
        EXPECT_LE(boxes.size(), 1u);
        return boxes.empty() ? QString() : boxes[0].Caption + ": " + boxes[0].Text;
    }

    SettingsSandbox Sandbox;
    std::optional<Forms> Windows;
};

// An edit takes one printable Latin-1 character; a refused entry leaves both edits as typed, an accepted one
// empties them.
TEST_F(FiltersFormTest, EditsAndAddingKeepTheRulesOfEachHalf)
{
    const std::vector<std::pair<QString, QString>> typed = {{"ab", "a"}, {QString::fromUtf8("€x"), "x"}};
    const QString noSource = "Vellum MP3: You must have at least a 'source character' entered!";
    const QString useless = "Vellum MP3: That would be a useless filter!";
    const std::vector<std::tuple<QString, QString, QString, Lines>> steps = {
        {"_", " ", "", {"_ ->  "}},
        {"?", "", "", {"_ ->  ", "? -> "}},
        {"", "x", noSource, {"_ ->  ", "? -> "}},
        {"a", "a", useless, {"_ ->  ", "? -> "}},
        {"a", "b", "", {"_ ->  ", "? -> ", "a -> b"}},
        {"a", "b", "", {"_ ->  ", "? -> ", "a -> b"}},
        {QString::fromUtf8("é"), "e", "", {"_ ->  ", "? -> ", "a -> b", "\xE9 -> e"}},
    };
    TFiltersForm& filters = Start();
    for (const Half& half : Halves(filters)) {
        for (QLineEdit* edit : {half.Source, half.Replacement})
            for (const auto& [keys, kept] : typed) {
                edit->clear();
                Type(edit, keys);
                EXPECT_EQ(edit->text(), kept) << edit->objectName().toStdString() << " " << keys.toStdString();
            }
        for (const auto& [source, replacement, message, list] : steps) {
            SCOPED_TRACE(half.Name + (" '" + source + "' '" + replacement + "'").toStdString());
            half.Source->clear();
            half.Replacement->clear();
            EXPECT_EQ(Add(half, source, replacement), message);
            EXPECT_EQ(Items(*half.Box), list);
            EXPECT_EQ(half.Source->text() + half.Replacement->text(), message.isEmpty() ? "" : source + replacement);
        }
        EXPECT_EQ((filters.*half.List)(), std::get<3>(steps.back())) << "Latin-1 bytes for the schemes";
        // Enter in an edit adds the filter; the dialog stays open for the next one.
        Type(half.Source, "z");
        QTest::keyClick(half.Source, Qt::Key_Return);
        EXPECT_EQ(Items(*half.Box).back(), "z -> ");
        EXPECT_TRUE(filters.isVisible());
    }
}

TEST_F(FiltersFormTest, DeletingSelectedEntriesKeepsTheOthersInOrderAndTheCloseRenumbersThem)
{
    TFiltersForm& filters = Start();
    for (const Half& half : Halves(filters))
        for (const char* source : {"1", "2", "3", "4", "5"})
            Add(half, source, "x");
    for (const Half& half : Halves(filters)) {
        QTest::mouseClick(half.Delete, Qt::LeftButton);
        EXPECT_EQ(Items(*half.Box).size(), 5u) << "nothing selected, nothing deleted";
        CtrlClickRows(*half.Box, {1, 3});
        QTest::mouseClick(half.Delete, Qt::LeftButton);
        EXPECT_EQ(Items(*half.Box), (Lines{"1 -> x", "3 -> x", "5 -> x"})) << half.Name;
    }
    QTest::mouseClick(filters.CloseBtn, Qt::LeftButton);
    EXPECT_FALSE(filters.isVisible());
    EXPECT_EQ(Sandbox.Section("Filters"),
              (Values{{"Import1", "1 -> x"}, {"Import2", "3 -> x"}, {"Import3", "5 -> x"}, {"Rename1", "1 -> x"},
                      {"Rename2", "3 -> x"}, {"Rename3", "5 -> x"}}));
}

// The store lists names alphabetically; the filters chain, so their order must survive a restart.
TEST_F(FiltersFormTest, StoredListsLoadInNumberOrderAndAreRenumberedAtTheClose)
{
    Sandbox.Write("[General]\nPadTrack=1\nImpFilters=0\n\n[Filters]\nImport10=j -> k\nImport2=b -> c\n"
                  "Imported=x -> y\nImport1=a -> b\nRename2=\"2 -> \"\nRename1=\"1 -> \"\nOther=o -> p\n");
    TFiltersForm& filters = Start();
    const Lines imports = {"a -> b", "b -> c", "j -> k", "x -> y"};
    EXPECT_EQ(Items(*filters.ImportFilterBox), imports);
    // A half stored switched off starts so, greyed and filtering nothing.
    EXPECT_FALSE(filters.ImpFilters->isChecked());
    EXPECT_FALSE(filters.ImportFilterBox->isEnabled() || filters.ImpFilter1->isEnabled());
    EXPECT_TRUE(filters.RenameFilterBox->isEnabled());
    EXPECT_EQ(filters.ImportFilterList(), Lines{});
    ClickBox(*filters.ImpFilters); // switched on, the half filters with its entries again
    EXPECT_TRUE(filters.ImportFilterBox->isEnabled() && filters.ImpFilter1->isEnabled());
    EXPECT_EQ(filters.ImportFilterList(), imports);
    ClickBox(*filters.ImpFilters);

    // Characters the settings file treats specially, and more than nine entries.
    Lines renames = {"1 -> ", "2 -> ", "_ ->  ", "  -> _", "\xE9 -> e", "\" -> '", "; -> ,", "= -> -", "\\ -> /",
                     "# -> +"};
    for (auto line = renames.begin() + 2; line != renames.end(); ++line) {
        const QString entry = QString::fromLatin1(*line);
        Add(Halves(filters)[1], entry.left(1), entry.mid(5));
    }
    ASSERT_EQ(Items(*filters.RenameFilterBox), renames);
    QTest::keyClick(filters.RenFilter1, Qt::Key_Escape);
    EXPECT_FALSE(filters.isVisible());
    Values stored = Sandbox.Section("Filters");
    EXPECT_EQ(stored.size(), 14u) << "Other and Imported gone, Import1 to Import4 and Rename1 to Rename10 written";
    // Blanks at the end of a value are kept by quoting it; numbers have no leading zeros.
    for (const auto& [name, value] : Values{{"Import4", "x -> y"}, {"Rename1", "\"1 -> \""}, {"Rename10", "# -> +"}})
        EXPECT_EQ(stored[name], value) << name;
    EXPECT_EQ(Sandbox.Section(), (Values{{"PadTrack", "1"}, {"ImpFilters", "0"}})) << "the main key is left alone";

    TFiltersForm& restarted = Start();
    EXPECT_EQ(Items(*restarted.ImportFilterBox), imports);
    EXPECT_EQ(restarted.RenameFilterList(), renames);
}

} // namespace
