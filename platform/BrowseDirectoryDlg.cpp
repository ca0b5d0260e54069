#include "BrowseDirectoryDlg.h"

#include <QtCore/QFile>
#include <QtWidgets/QFileDialog>

bool TBrowseDirectoryDlg::Execute(QWidget* parent)
{
    QFileDialog dialog(parent, Caption, QFile::decodeName(QByteArray::fromStdString(Selection)));
    dialog.setObjectName(QStringLiteral("BrowseDlg"));
    dialog.setFileMode(QFileDialog::Directory);
    // Qt's own dialog everywhere, so the prompt is shown and every desktop sees the same chooser.
    dialog.setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    dialog.setLabelText(QFileDialog::LookIn, Title);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    Selection = QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
    return true;
}
