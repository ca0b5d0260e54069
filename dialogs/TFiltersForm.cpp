#include "TFiltersForm.h"

#include "SettingsStore.h"

TFiltersForm::TFiltersForm(QWidget* parent)
    : QDialog(parent)
{
    setupUi(this);
    LoadFilterFlags();
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
