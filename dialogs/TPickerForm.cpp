#include "TPickerForm.h"

TPickerForm::TPickerForm(QWidget* parent)
    : QDialog(parent)
{
    setupUi(this);
}
