// Whether two names reach one file, so that a command never writes over a
// file it reads, nor writes two outputs into one file. Files that exist are
// the same when they are the same inode on the same device (a hard link, a
// symbolic link, a name through another folder); names of files not made yet
// are the same when their absolute, normalised forms agree once every
// symbolic link on the way is followed.
#pragma once

#include <compare>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

namespace sundial::io {

// The absolute form of `path` with ".", ".." and every symbolic link that
// exists along it resolved, the missing rest kept as written ("sub/../x.svg"
// and "./x.svg" give "$PWD/x.svg"). Links that loop are left as they stand.
std::filesystem::path ResolvedName(const std::filesystem::path& path);

// A file that exists, as the system tells files apart.
struct FileId {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    auto operator<=>(const FileId&) const = default;
};

// The file `path` reaches (symbolic links followed); nothing when it reaches none.
std::optional<FileId> IdentityOf(const std::filesystem::path& path);

// True when writing to one of the names would change what the other reads.
bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b);

// A file a command names: what names it for the user ("--svg"), the path,
// and whether the command writes it.
struct NamedFile {
    std::string label;
    std::filesystem::path path;
    bool written = false;
};

// The first pair of `files` that are one file and of which at least one is
// written, as a sentence naming both labels; nothing when there is none.
// Files that are only read may share a file.
std::optional<std::string> SharedFileProblem(std::span<const NamedFile> files);

}  // namespace sundial::io
