#include "Drives.h"

#include "DisplayName.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QStorageInfo>

#include <algorithm>
#include <array>
#include <string_view>

namespace {

// Kernel and system views that hold no files of the user's.
constexpr std::array<std::string_view, 20> PseudoFileSystems = {
    "autofs", "binfmt_misc", "bpf", "cgroup", "cgroup2", "configfs", "debugfs", "devpts", "devtmpfs", "efivarfs",
    "fusectl", "hugetlbfs", "mqueue", "nsfs", "proc", "pstore", "rpc_pipefs", "securityfs", "sysfs", "tracefs"};

bool HoldsFiles(const QStorageInfo& volume)
{
    const QByteArray type = volume.fileSystemType();
    const bool pseudo = std::find(PseudoFileSystems.begin(), PseudoFileSystems.end(), type.toStdString())
                     != PseudoFileSystems.end();
    // A container's bind-mounted single files (/etc/hosts) are mount points too.
    return volume.isValid() && volume.isReady() && !pseudo && QFileInfo(volume.rootPath()).isDir();
}

Drive VolumeDrive(const QStorageInfo& volume)
{
    const std::string root = QFile::encodeName(volume.rootPath()).toStdString();
    const QString name = volume.name();
    return {name.isEmpty() ? DisplayName(root) : QStringLiteral("%1 (%2)").arg(DisplayName(root), name), root};
}

bool Holds(const std::string& root, const std::string& directory)
{
    return directory.starts_with(root)
        && (directory.size() == root.size() || root.ends_with('/') || directory[root.size()] == '/');
}

} // namespace

std::vector<Drive> AvailableDrives()
{
    const std::string home = QFile::encodeName(QDir::homePath()).toStdString();
    std::vector<Drive> drives = {{QStringLiteral("Home (%1)").arg(DisplayName(home)), home}, {QStringLiteral("/"), "/"}};
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!HoldsFiles(volume))
            continue;
        Drive drive = VolumeDrive(volume);
        if (drive.Root == "/")
            drives[1].Caption = drive.Caption;
        else if (std::none_of(drives.begin(), drives.end(), [&](const Drive& d) { return d.Root == drive.Root; }))
            drives.push_back(std::move(drive));
    }
    return drives;
}

std::size_t ClosestDrive(const std::vector<Drive>& drives, const std::string& directory)
{
    std::size_t closest = 0;
    for (std::size_t i = 0; i < drives.size(); ++i)
        if (Holds(drives[i].Root, directory)
            && (!Holds(drives[closest].Root, directory) || drives[i].Root.size() > drives[closest].Root.size()))
            closest = i;
    return closest;
}
