#pragma once

#include <QtCore/QString>

#include <string>

class QWidget;

// The desktop's folder chooser. It opens at its selection and, when the user confirms a folder, keeps
// that folder as its selection for the next time; a cancel leaves the selection as it was.
// The selection is a path in the file system's bytes, as every command opens it.
class TBrowseDirectoryDlg {
public:
    // The prompt shown above the folders ("Choose a source directory") and the window's caption.
    QString Title;
    QString Caption = QStringLiteral("Browse for directory");
    std::string Selection;

    // True when the user confirmed a folder.
    bool Execute(QWidget* parent = nullptr);
};
