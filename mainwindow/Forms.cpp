#include "Forms.h"

#include "ApplicationTitle.h"
#include "Resources.h"
#include "TAboutForm.h"
#include "TFileInfoForm.h"
#include "TFiltersForm.h"
#include "TLoadingForm.h"
#include "TMainForm.h"
#include "TOptionsForm.h"
#include "TPickerForm.h"

#include <QtCore/QCoreApplication>

Forms::Forms()
{
    LoadResources();
    QCoreApplication::setApplicationName(QString::fromLatin1(ApplicationTitle));
    Main = std::make_unique<TMainForm>();
    FileInfo = std::make_unique<TFileInfoForm>(Main.get());
    Filters = std::make_unique<TFiltersForm>(Main.get());
    Loading = std::make_unique<TLoadingForm>(*Main);
    About = std::make_unique<TAboutForm>(Main.get());
    Picker = std::make_unique<TPickerForm>(Main.get());
    Options = std::make_unique<TOptionsForm>(*Picker, Main->BrowseDlg, Main.get());
    Main->AttachDialogs(*FileInfo, *Filters, *Loading, *About, *Picker, *Options);
}

Forms::~Forms() = default;
