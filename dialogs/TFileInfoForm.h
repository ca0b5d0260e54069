#pragma once

#include "ui_FileInfoForm.h"

#include <QtWidgets/QDialog>

// The file information dialog: one file's size, tags and first MPEG audio frame. It only displays; the
// main window fills its value labels.
class TFileInfoForm : public QDialog, public Ui::FileInfoForm {
    Q_OBJECT

public:
    explicit TFileInfoForm(QWidget* parent = nullptr);

    // The path, and every value as it reads for a file that could not be opened.
    void ShowDefaults(const QString& path);

protected:
    void showEvent(QShowEvent* event) override;
    // Escape closes the dialog as its Close button does.
    void reject() override { accept(); }
};
