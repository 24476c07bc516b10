#include "core/io/file_group.h"

#include <sys/resource.h>

#include <algorithm>
#include <set>

namespace sundial::io {

bool AddToGroup(FileGroup& group, std::unique_ptr<AtomicFile> file, std::string_view bytes) {
    const bool staged = file->Open() && file->Write(bytes) && file->Stage();
    group.push_back(std::move(file));
    return staged;
}

std::vector<GroupCommit> CommitGroups(std::span<FileGroup> groups) {
    std::vector<AtomicFile*> files;
    for (FileGroup& group : groups) {
        for (const auto& file : group) files.push_back(file.get());
    }
    std::vector<GroupCommit> outcomes(groups.size());
    std::string error;
    if (!SyncTogether(files, &error)) {
        for (GroupCommit& outcome : outcomes) outcome.error = error;
        return outcomes;
    }
    std::set<std::filesystem::path> folders;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        for (const auto& file : groups[g]) {
            if (!file->Commit(FolderSync::Later)) {
                outcomes[g].error = file->Error();
                break;
            }
            ++outcomes[g].committed;
            folders.insert(file->Destination().parent_path());
        }
    }
    for (const std::filesystem::path& folder : folders) SyncFolder(folder);
    return outcomes;
}

std::size_t StagedFileLimit() {
    // A quarter of what the process may open, and no more than a few
    // thousand: a whole batch of sheets is then stored with one flush.
    constexpr std::size_t kMost = 4096;
    constexpr std::size_t kLeast = 8;
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return kMost;
    return std::clamp<std::size_t>(limit.rlim_cur / 4, kLeast, kMost);
}

}  // namespace sundial::io
