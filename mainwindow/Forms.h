#pragma once

#include <memory>

class TAboutForm;
class TFileInfoForm;
class TFiltersForm;
class TLoadingForm;
class TMainForm;
class TOptionsForm;
class TPickerForm;

// The program's seven windows, created once at start-up in a fixed order and alive until the end:
// the main window first (no dialog exists while it is built), the filter dialog before the options
// dialog, the options dialog last (it pushes its directories into the windows before it). The
// dialogs belong to the main window, so they stay in front of it and centre on it.
class Forms {
public:
    Forms();
    ~Forms();
    Forms(const Forms&) = delete;
    Forms& operator=(const Forms&) = delete;

    TMainForm& MainForm() const { return *Main; }
    TFileInfoForm& FileInfoForm() const { return *FileInfo; }
    TFiltersForm& FiltersForm() const { return *Filters; }
    TLoadingForm& LoadingForm() const { return *Loading; }
    TAboutForm& AboutForm() const { return *About; }
    TPickerForm& PickerForm() const { return *Picker; }
    TOptionsForm& OptionsForm() const { return *Options; }

private:
    // Declared in creation order, so they are destroyed in the reverse order.
    std::unique_ptr<TMainForm> Main;
    std::unique_ptr<TFileInfoForm> FileInfo;
    std::unique_ptr<TFiltersForm> Filters;
    std::unique_ptr<TLoadingForm> Loading;
    std::unique_ptr<TAboutForm> About;
    std::unique_ptr<TPickerForm> Picker;
    std::unique_ptr<TOptionsForm> Options;
};
