#pragma once

#include <cstdio>
#include <fcntl.h>
#include <sys/types.h>

// The steps of a rewrite that depend on the file system. They are variables so that a test can make exactly one
// of them fail, or take the road a file system without unnamed files takes, and check that nothing is lost.
namespace FileReplaceStep {

using Function = int (*)(const char* newVersion, const char* target);
using OpenFunction = int (*)(const char* directory, mode_t mode);

// rename(2): atomic, so the target holds either its old or its new content, never neither.
inline Function Replace = [](const char* newVersion, const char* target) { return std::rename(newVersion, target); };

// A file without a name in directory, which a killed process leaves nowhere; some network and FUSE file systems
// refuse it (EOPNOTSUPP, EINVAL), and a kernel that does not know the flag tries to open the directory (EISDIR).
inline OpenFunction OpenUnnamed = [](const char* directory, mode_t mode) {
    return open(directory, O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
};

} // namespace FileReplaceStep
