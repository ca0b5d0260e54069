#pragma once

#include <string>

class QListWidgetItem;

// A list line showing a file name while keeping its bytes, so the file is opened by its exact name
// however the name is shown.
QListWidgetItem* NewNameItem(const std::string& name);
std::string ItemName(const QListWidgetItem& item);
