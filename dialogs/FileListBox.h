#pragma once

#include <QtWidgets/QListWidget>

#include <string>

// FileList: the regular files of one directory whose names match a mask, several lines selectable.
// Names are kept as the file system's bytes and shown decoded.
class FileListBox : public QListWidget {
    Q_OBJECT

public:
    explicit FileListBox(QWidget* parent = nullptr);

    // Each reads the directory anew.
    void SetDirectory(const std::string& directory);
    void SetMask(const std::string& mask);

    const std::string& Directory() const { return ShownDirectory; }
    std::string Name(int row) const;

private:
    void Reread();

    std::string ShownDirectory;
    std::string Mask;
};
