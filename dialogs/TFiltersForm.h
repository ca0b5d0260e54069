#pragma once

#include "ui_FiltersForm.h"

#include "FilterEntry.h"

#include <QtWidgets/QDialog>

class QHideEvent;

// The filter setup dialog. It lives for the whole run: its list boxes are the import and rename
// filter lists, and its two "Enabled" boxes switch them on and off. The lists are stored whenever
// the dialog closes.
class TFiltersForm : public QDialog, public Ui::FiltersForm {
    Q_OBJECT

public:
    explicit TFiltersForm(QWidget* parent = nullptr);

    // The lines of a list box in the order of application, as UTF-8; empty while the list is
    // switched off.
    FilterList ImportFilterList() const;
    FilterList RenameFilterList() const;

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void LoadFilterLists();
    void LoadFilterFlags();
    bool SaveFilterLists();

    void ImpAddBtnClick();
    void RenAddBtnClick();
    void ImpDelBtnClick();
    void RenDelBtnClick();
    void ImpFiltersClick();
    void RenFiltersClick();
};
