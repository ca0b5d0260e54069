#include "TOptionsForm.h"

TOptionsForm::TOptionsForm(QWidget* parent)
    : QDialog(parent)
{
    setupUi(this);
}
