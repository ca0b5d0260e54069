#include "TFileInfoForm.h"

TFileInfoForm::TFileInfoForm(QWidget* parent)
    : QDialog(parent)
{
    setupUi(this);
}
