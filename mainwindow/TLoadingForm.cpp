#include "TLoadingForm.h"

TLoadingForm::TLoadingForm(QWidget* parent)
    : QDialog(parent)
{
    setupUi(this);
}
