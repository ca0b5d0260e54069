#pragma once

#include <QtCore/QString>

#include <string>
#include <vector>

// A place DriveList offers as the top of DirList: the home folder or a mounted file system.
struct Drive {
    QString Caption;
    // The file system's bytes, without a trailing "/" but for the root "/" itself.
    std::string Root;
};

// The home folder, the root file system, then the other mounted file systems that hold files and
// are ready; pseudo file systems (proc, sysfs, cgroup ...) are left out.
std::vector<Drive> AvailableDrives();
// The index of the drive whose root holds the directory most closely: the home folder for a
// directory inside it, the root file system for one outside every other drive.
std::size_t ClosestDrive(const std::vector<Drive>& drives, const std::string& directory);
