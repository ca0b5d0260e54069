#include "TFiltersForm.h"

#include "EngineText.h"
#include "MessageBoxes.h"
#include "SettingsStore.h"

#include <QtGui/QHideEvent>
#include <QtGui/QValidator>

#include <algorithm>
#include <optional>
#include <vector>

namespace {

const QString FiltersKey = QStringLiteral("Filters");
const QString ImportPrefix = QStringLiteral("Import");
const QString RenamePrefix = QStringLiteral("Rename");

// A filter replaces one character of any script, so an edit takes one printable character; anything else is
// refused as it is typed or pasted.
class OneCharacter : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int&) const override
    {
        const QList<uint> characters = input.normalized(QString::NormalizationForm_C).toUcs4();
        return characters.size() <= 1
                && std::all_of(characters.cbegin(), characters.cend(), [](uint c) { return QChar::isPrint(c); })
            ? Acceptable
            : Invalid;
    }
};

// The number after the prefix, when the rest of the name is one ("Import12"), else none ("Imported").
std::optional<qulonglong> EntryNumber(const QString& name, const QString& prefix)
{
    const QString digits = name.mid(prefix.size());
    const bool allDigits = std::all_of(digits.cbegin(), digits.cend(), [](QChar c) { return c.isDigit(); });
    bool isNumber = false;
    const qulonglong number = digits.toULongLong(&isNumber);
    return allDigits && isNumber ? std::optional(number) : std::nullopt;
}

// The store lists names alphabetically ("Import10" before "Import2"), but filters chain, so their
// order matters: numbered names go by number, the others follow in the order they are listed.
QStringList InEntryOrder(const QStringList& names, const QString& prefix)
{
    std::vector<std::pair<std::optional<qulonglong>, QString>> entries;
    for (const QString& name : names)
        if (name.startsWith(prefix))
            entries.emplace_back(EntryNumber(name, prefix), name);
    std::stable_sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        return a.first && (!b.first || *a.first < *b.first);
    });
    QStringList ordered;
    for (const auto& entry : entries)
        ordered << entry.second;
    return ordered;
}

bool FilterListContains(const QListWidget& box, const QString& entry)
{
    return !box.findItems(entry, Qt::MatchFixedString | Qt::MatchCaseSensitive).isEmpty();
}

void AddFilter(QLineEdit& source, QLineEdit& replacement, QListWidget& box)
{
    if (source.text().isEmpty()) {
        ShowMessage(QStringLiteral("You must have at least a 'source character' entered!"));
        return;
    }
    if (replacement.text() == source.text()) {
        ShowMessage(QStringLiteral("That would be a useless filter!"));
        return;
    }
    const FilterEntry filter{ToEngineText(source.text().normalized(QString::NormalizationForm_C)),
                             ToEngineText(replacement.text().normalized(QString::NormalizationForm_C))};
    const QString entry = FromEngineText(filter.Text());
    if (!FilterListContains(box, entry))
        box.addItem(entry);
    source.clear();
    replacement.clear();
}

void DeleteSelected(QListWidget& box)
{
    qDeleteAll(box.selectedItems());
}

// The add and delete buttons stay usable; the style greys the disabled controls.
void EnableHalf(bool enabled, QLineEdit& source, QLineEdit& replacement, QListWidget& box)
{
    for (QWidget* control : std::initializer_list<QWidget*>{&source, &replacement, &box})
        control->setEnabled(enabled);
}

FilterList Lines(const QListWidget& box)
{
    FilterList lines;
    for (int row = 0; row < box.count(); ++row)
        lines.push_back(ToEngineText(box.item(row)->text()));
    return lines;
}

} // namespace

TFiltersForm::TFiltersForm(QWidget* parent)
    : QDialog(parent)
{
    setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    for (QLineEdit* edit : {ImpFilter1, ImpFilter2, RenFilter1, RenFilter2})
        edit->setValidator(new OneCharacter(edit));
    connect(ImpAddBtn, &QToolButton::clicked, this, &TFiltersForm::ImpAddBtnClick);
    connect(RenAddBtn, &QToolButton::clicked, this, &TFiltersForm::RenAddBtnClick);
    connect(ImpDelBtn, &QToolButton::clicked, this, &TFiltersForm::ImpDelBtnClick);
    connect(RenDelBtn, &QToolButton::clicked, this, &TFiltersForm::RenDelBtnClick);
    // Enter in a half's edits adds its filter, where a default Close button would shut the dialog instead.
    CloseBtn->setAutoDefault(false);
    for (QLineEdit* edit : {ImpFilter1, ImpFilter2})
        connect(edit, &QLineEdit::returnPressed, this, &TFiltersForm::ImpAddBtnClick);
    for (QLineEdit* edit : {RenFilter1, RenFilter2})
        connect(edit, &QLineEdit::returnPressed, this, &TFiltersForm::RenAddBtnClick);
    connect(ImpFilters, &QCheckBox::toggled, this, &TFiltersForm::ImpFiltersClick);
    connect(RenFilters, &QCheckBox::toggled, this, &TFiltersForm::RenFiltersClick);
    LoadFilterLists();
    LoadFilterFlags();
}

FilterList TFiltersForm::ImportFilterList() const
{
    return ImpFilters->isChecked() ? Lines(*ImportFilterBox) : FilterList();
}

FilterList TFiltersForm::RenameFilterList() const
{
    return RenFilters->isChecked() ? Lines(*RenameFilterBox) : FilterList();
}

// Every way of closing hides the dialog; minimising the program does too, but is no close.
void TFiltersForm::hideEvent(QHideEvent* event)
{
    if (!event->spontaneous())
        SaveFilterLists();
    QDialog::hideEvent(event);
}

void TFiltersForm::LoadFilterLists()
{
    const SettingsStore filters(FiltersKey);
    const QStringList names = filters.ValueNames();
    for (const QString& name : InEntryOrder(names, ImportPrefix))
        ImportFilterBox->addItem(filters.ReadString(name));
    for (const QString& name : InEntryOrder(names, RenamePrefix))
        RenameFilterBox->addItem(filters.ReadString(name));
}

// The two switches are saved with the main window's settings; a value that is absent or unreadable
// leaves its switch on.
void TFiltersForm::LoadFilterFlags()
{
    const SettingsStore settings;
    if (!settings.Exists())
        return;
    if (const auto enabled = settings.ReadBool(QStringLiteral("ImpFilters")))
        ImpFilters->setChecked(*enabled);
    if (const auto enabled = settings.ReadBool(QStringLiteral("RenFilters")))
        RenFilters->setChecked(*enabled);
}

// New values are written before the old ones are deleted, so a write that fails part-way still
// leaves a readable list behind.
bool TFiltersForm::SaveFilterLists()
{
    SettingsStore filters(FiltersKey);
    const QStringList stored = filters.ValueNames();
    QStringList written;
    for (auto [prefix, box] : {std::pair{ImportPrefix, ImportFilterBox}, {RenamePrefix, RenameFilterBox}}) {
        for (int row = 0; row < box->count(); ++row) {
            const QString name = prefix + QString::number(row + 1);
            if (!filters.WriteString(name, box->item(row)->text()))
                return false;
            written << name;
        }
    }
    for (const QString& name : stored)
        if (!written.contains(name) && !filters.DeleteValue(name))
            return false;
    return true;
}

void TFiltersForm::ImpAddBtnClick()
{
    AddFilter(*ImpFilter1, *ImpFilter2, *ImportFilterBox);
}

void TFiltersForm::RenAddBtnClick()
{
    AddFilter(*RenFilter1, *RenFilter2, *RenameFilterBox);
}

void TFiltersForm::ImpDelBtnClick()
{
    DeleteSelected(*ImportFilterBox);
}

void TFiltersForm::RenDelBtnClick()
{
    DeleteSelected(*RenameFilterBox);
}

void TFiltersForm::ImpFiltersClick()
{
    EnableHalf(ImpFilters->isChecked(), *ImpFilter1, *ImpFilter2, *ImportFilterBox);
}

void TFiltersForm::RenFiltersClick()
{
    EnableHalf(RenFilters->isChecked(), *RenFilter1, *RenFilter2, *RenameFilterBox);
}
