#include "TPickerForm.h"

TPickerForm::TPickerForm(QWidget* parent)
    : QDialog(parent)
{
    setupUi(this);
}

void TPickerForm::Prepare() {}
void TPickerForm::SetDirectory(const std::string&) {}
bool TPickerForm::IsAlreadySelected(const std::string&, const std::string&) const { return false; }
std::vector<std::string> TPickerForm::SelectedNames() const { return {}; }
