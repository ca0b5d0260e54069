#include "BrowseDirectoryDlg.h"

#include "DisplayName.h"

#include <QtCore/QFile>
#include <QtWidgets/QFileDialog>

#include <sys/stat.h>

namespace {

bool IsFolder(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Qt's chooser checks the chosen folder by the name it shows, which for a name that is not UTF-8 is no folder's;
// such a folder is taken by its bytes instead.
class FolderChooser : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    void accept() override
    {
        const QStringList chosen = selectedFiles();
        const std::string bytes = chosen.isEmpty() ? std::string() : FileSystemPath(chosen.constFirst());
        if (!chosen.isEmpty() && !QFileInfo(chosen.constFirst()).exists() && IsFolder(bytes))
            QDialog::accept();
        else
            QFileDialog::accept();
    }
};

} // namespace

bool TBrowseDirectoryDlg::Execute(QWidget* parent)
{
    FolderChooser dialog(parent, Caption, QFile::decodeName(QByteArray::fromStdString(Selection)));
    dialog.setObjectName(QStringLiteral("BrowseDlg"));
    dialog.setFileMode(QFileDialog::Directory);
    // Qt's own dialog everywhere, so the prompt is shown and every desktop sees the same chooser.
    dialog.setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    dialog.setLabelText(QFileDialog::LookIn, Title);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    Selection = FileSystemPath(dialog.selectedFiles().constFirst());
    return true;
}
