#include "TAboutForm.h"

TAboutForm::TAboutForm(QWidget* parent)
    : QDialog(parent)
{
    setupUi(this);
    // A fixed border and no buttons in the caption bar.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(size());
}
