// The accessories: playing the selected file, the help page, the about box.
#include "TMainForm.h"

#include "DesktopOpen.h"
#include "HelpPage.h"
#include "TAboutForm.h"

void TMainForm::PlayMP3MIClick()
{
    if (const auto row = OnlySelectedRow(QStringLiteral("You must have only one file selected to play it!")))
        OpenWithDesktop(FileUrl(ItemPath(*row)));
}

void TMainForm::ContentsMIClick()
{
    OpenWithDesktop(QUrl::fromLocalFile(HelpPagePath(ProgramDirectory)));
}

void TMainForm::AboutMIClick()
{
    AboutForm->VersionTxt->setText(QString::fromStdString(VersionNumber + " (" + VersionDate + ")"));
    AboutForm->exec();
}
