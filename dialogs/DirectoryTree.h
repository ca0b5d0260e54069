#pragma once

#include <QtWidgets/QTreeWidget>

#include <string>

// DirList: the directories below one root, each read from the disk when it is first opened, hidden
// ones left out. Paths are the file system's bytes, shown decoded; the current item is the current
// directory.
class DirectoryTree : public QTreeWidget {
    Q_OBJECT

public:
    explicit DirectoryTree(QWidget* parent = nullptr);

    // Reads the tree below root anew and makes the directory inside it current, or its nearest
    // ancestor that still exists. DirectoryChanged follows even when the directory is the same.
    void Show(const std::string& root, const std::string& directory);
    const std::string& Directory() const { return Current; }

signals:
    void DirectoryChanged();

private:
    QTreeWidgetItem* NewItem(const std::string& path, const QString& caption);
    void ReadChildren(QTreeWidgetItem& item);
    QTreeWidgetItem* Child(QTreeWidgetItem& item, const std::string& name);
    void CurrentItemChange(QTreeWidgetItem* item);

    std::string Current;
};
