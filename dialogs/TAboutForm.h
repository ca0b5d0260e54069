#pragma once

#include "ui_AboutForm.h"

#include <QtWidgets/QDialog>

// The about box.
class TAboutForm : public QDialog, public Ui::AboutForm {
    Q_OBJECT

public:
    explicit TAboutForm(QWidget* parent = nullptr);
};
