#pragma once

#include "ui_PickerForm.h"

#include <QtWidgets/QDialog>

// The file picker: collects MP3 files from several directories for the list.
class TPickerForm : public QDialog, public Ui::PickerForm {
    Q_OBJECT

public:
    explicit TPickerForm(QWidget* parent = nullptr);
};
