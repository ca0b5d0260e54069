#pragma once

#include "ui_AboutForm.h"

#include <QtWidgets/QDialog>

// The about box: the shadowed title, the version, the maker's links. It closes through its button.
class TAboutForm : public QDialog, public Ui::AboutForm {
    Q_OBJECT

public:
    explicit TAboutForm(QWidget* parent = nullptr);
};
