// New files put in place together. Each file is written and handed to the
// system first; then all of them are made durable at once, with one flush of
// each file system, and only then do they take their names, the folders
// synced once at the end. Many small files so cost about what one does,
// and each file keeps AtomicFile's promise: the old file or the whole new one.
#pragma once

#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/io/atomic_file.h"

namespace sundial::io {

// The files of one piece of work (a site's outputs), committed in order.
using FileGroup = std::vector<std::unique_ptr<AtomicFile>>;

// Opens `file`, writes `bytes` and stages them, and adds the file to `group`.
// False when it could not; the file's Error says why.
bool AddToGroup(FileGroup& group, std::unique_ptr<AtomicFile> file, std::string_view bytes);

struct GroupCommit {
    std::size_t committed = 0;  // the group's first files, put in place
    std::string error;          // why the next one was not; empty when all were
};

// Stores every file of `groups` at once, then commits each group's files in
// order, a group stopping at its first failure (the others go on). When the
// files cannot be stored, none is committed and every group has the reason.
std::vector<GroupCommit> CommitGroups(std::span<FileGroup> groups);

// How many files a caller may hold staged before committing them: each keeps
// a descriptor open, and the process has only so many.
std::size_t StagedFileLimit();

}  // namespace sundial::io
