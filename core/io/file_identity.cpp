#include "core/io/file_identity.h"

#include <sys/stat.h>

#include <system_error>

namespace sundial::io {

namespace fs = std::filesystem;

namespace {

// The kernel's own bound on links followed in one path.
constexpr int kMaxLinks = 40;

}  // namespace

fs::path ResolvedName(const fs::path& path) {
    std::error_code ec;
    fs::path pending = path.is_absolute() ? path : fs::current_path(ec) / path;
    fs::path resolved = pending.root_path();
    int links = 0;
    // One component at a time from the root, as the kernel walks a path: a
    // ".." after a link leaves the link's target, not the link's folder.
    for (bool restart = true; restart;) {
        restart = false;
        const fs::path rest = pending.relative_path();
        for (auto piece = rest.begin(); piece != rest.end(); ++piece) {
            if (piece->empty() || *piece == ".") continue;
            if (*piece == "..") {
                resolved = resolved.parent_path();
                continue;
            }
            fs::path next = resolved / *piece;
            if (links < kMaxLinks && fs::is_symlink(fs::symlink_status(next, ec))) {
                const fs::path target = fs::read_symlink(next, ec);
                if (!ec) {
                    ++links;
                    fs::path remaining = target.is_absolute() ? target : resolved / target;
                    for (auto after = std::next(piece); after != rest.end(); ++after) {
                        remaining /= *after;
                    }
                    pending = remaining;
                    resolved = pending.root_path();
                    restart = true;
                    break;
                }
            }
            resolved = std::move(next);
        }
    }
    return resolved.lexically_normal();
}

std::optional<FileId> IdentityOf(const fs::path& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return std::nullopt;
    return FileId{static_cast<std::uint64_t>(status.st_dev),
                  static_cast<std::uint64_t>(status.st_ino)};
}

bool SameFile(const fs::path& a, const fs::path& b) {
    const std::optional<FileId> ia = IdentityOf(a);
    const std::optional<FileId> ib = IdentityOf(b);
    if (ia && ib) return *ia == *ib;
    return ResolvedName(a) == ResolvedName(b);
}

std::optional<std::string> SharedFileProblem(std::span<const NamedFile> files) {
    for (std::size_t i = 0; i < files.size(); ++i) {
        for (std::size_t j = i + 1; j < files.size(); ++j) {
            const NamedFile& a = files[i];
            const NamedFile& b = files[j];
            if (!(a.written || b.written) || !SameFile(a.path, b.path)) continue;
            if (a.written && b.written) {
                return a.label + " and " + b.label +
                       " name the same file: one would overwrite the other.";
            }
            const NamedFile& read = a.written ? b : a;
            const NamedFile& written = a.written ? a : b;
            return written.label + " and " + read.label + " name the same file (" +
                   written.path.string() + "): the output would overwrite the file " + read.label +
                   " reads.";
        }
    }
    return std::nullopt;
}

}  // namespace sundial::io
