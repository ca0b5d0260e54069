#include "DirectoryTree.h"

#include "DirectoryEntries.h"
#include "DisplayName.h"

#include <filesystem>

namespace {

constexpr int PathRole = Qt::UserRole;
constexpr int ReadRole = Qt::UserRole + 1;

std::string PathOf(const QTreeWidgetItem& item)
{
    return item.data(0, PathRole).toByteArray().toStdString();
}

std::string Joined(const std::string& directory, const std::string& name)
{
    return directory.ends_with('/') ? directory + name : directory + '/' + name;
}

} // namespace

DirectoryTree::DirectoryTree(QWidget* parent)
    : QTreeWidget(parent)
{
    setHeaderHidden(true);
    connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) { ReadChildren(*item); });
    connect(this, &QTreeWidget::currentItemChanged, this, &DirectoryTree::CurrentItemChange);
}

void DirectoryTree::Show(const std::string& root, const std::string& directory)
{
    clear();
    QTreeWidgetItem* item = NewItem(root, DisplayName(root));
    addTopLevelItem(item);
    item->setExpanded(true);
    for (const std::filesystem::path& name : std::filesystem::path(directory).lexically_relative(root)) {
        QTreeWidgetItem* child = name == "." ? item : Child(*item, name.native());
        if (!child)
            break;
        item = child;
        item->setExpanded(true);
    }
    setCurrentItem(item);
    // In the middle, so that its subdirectories show below it.
    scrollToItem(item, QAbstractItemView::PositionAtCenter);
}

QTreeWidgetItem* DirectoryTree::NewItem(const std::string& path, const QString& caption)
{
    auto* item = new QTreeWidgetItem({caption});
    item->setData(0, PathRole, QByteArray::fromStdString(path));
    // Whether it has subdirectories is known only once it is read.
    item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    return item;
}

void DirectoryTree::ReadChildren(QTreeWidgetItem& item)
{
    if (item.data(0, ReadRole).toBool())
        return;
    item.setData(0, ReadRole, true);
    const std::string directory = PathOf(item);
    for (const std::string& name : Subdirectories(directory))
        item.addChild(NewItem(Joined(directory, name), DisplayName(name)));
    item.setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

// A hidden directory is not listed, but one asked for by name is still shown on the way to it.
QTreeWidgetItem* DirectoryTree::Child(QTreeWidgetItem& item, const std::string& name)
{
    ReadChildren(item);
    const std::string path = Joined(PathOf(item), name);
    for (int i = 0; i < item.childCount(); ++i)
        if (PathOf(*item.child(i)) == path)
            return item.child(i);
    std::error_code unreadable;
    if (!std::filesystem::is_directory(path, unreadable))
        return nullptr;
    QTreeWidgetItem* child = NewItem(path, DisplayName(name));
    item.addChild(child);
    return child;
}

void DirectoryTree::CurrentItemChange(QTreeWidgetItem* item)
{
    if (!item)
        return;
    Current = PathOf(*item);
    emit DirectoryChanged();
}
