#include "NameItem.h"

#include "DisplayName.h"

#include <QtWidgets/QListWidgetItem>

QListWidgetItem* NewNameItem(const std::string& name)
{
    auto* item = new QListWidgetItem(DisplayName(name));
    item->setData(Qt::UserRole, QByteArray::fromStdString(name));
    return item;
}

std::string ItemName(const QListWidgetItem& item)
{
    return item.data(Qt::UserRole).toByteArray().toStdString();
}
