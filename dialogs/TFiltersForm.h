#pragma once

#include "ui_FiltersForm.h"

#include <QtWidgets/QDialog>

// The filter setup dialog. It lives for the whole run: its list boxes are the import and rename
// filter lists, and its two "Enabled" boxes switch them on and off.
class TFiltersForm : public QDialog, public Ui::FiltersForm {
    Q_OBJECT

public:
    explicit TFiltersForm(QWidget* parent = nullptr);

private:
    void LoadFilterFlags();
};
