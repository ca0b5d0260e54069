#include "TAboutForm.h"

TAboutForm::TAboutForm(QWidget* parent)
    : QDialog(parent)
{
    setupUi(this);
}
