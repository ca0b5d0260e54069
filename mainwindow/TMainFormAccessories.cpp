// The accessories: playing the selected file, the help page, the about box.
#include "TMainForm.h"

#include "DesktopOpen.h"
#include "DisplayName.h"
#include "HelpPage.h"
#include "MessageBoxes.h"
#include "TAboutForm.h"

namespace {

// Without a launcher the desktop opens nothing and says nothing, so the user is told what stayed unopened.
void OpenOrTell(const QUrl& url, const QString& shownPath)
{
    if (!OpenWithDesktop(url))
        ShowMessage(QStringLiteral("The desktop found no program to open\n") + shownPath);
}

} // namespace

void TMainForm::PlayMP3MIClick()
{
    if (const auto row = OnlySelectedRow(QStringLiteral("You must have only one file selected to play it!")))
        OpenOrTell(FileUrl(ItemPath(*row)), DisplayName(ItemPath(*row)));
}

void TMainForm::ContentsMIClick()
{
    const QString page = HelpPagePath(ProgramDirectory);
    OpenOrTell(QUrl::fromLocalFile(page), page);
}

void TMainForm::AboutMIClick()
{
    AboutForm->VersionTxt->setText(QString::fromStdString(VersionNumber + " (" + VersionDate + ")"));
    AboutForm->exec();
}
