#pragma once

#include "ui_FileInfoForm.h"

#include <QtWidgets/QDialog>

// The file information dialog: properties of the selected file's first MPEG audio frame and its tags.
class TFileInfoForm : public QDialog, public Ui::FileInfoForm {
    Q_OBJECT

public:
    explicit TFileInfoForm(QWidget* parent = nullptr);
};
