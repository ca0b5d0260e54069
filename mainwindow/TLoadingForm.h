#pragma once

#include "ui_LoadingForm.h"

#include <QtWidgets/QDialog>

// The "Please Wait..." dialog that loads files into the list.
class TLoadingForm : public QDialog, public Ui::LoadingForm {
    Q_OBJECT

public:
    explicit TLoadingForm(QWidget* parent = nullptr);
};
