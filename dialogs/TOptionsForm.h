#pragma once

#include "ui_OptionsForm.h"

#include <QtWidgets/QDialog>

// The options dialog; other windows read its check boxes whenever they need an option.
class TOptionsForm : public QDialog, public Ui::OptionsForm {
    Q_OBJECT

public:
    explicit TOptionsForm(QWidget* parent = nullptr);
};
