#include "core/io/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace sundial::io {

namespace {

FileKind KindOfMode(mode_t mode) {
    if (S_ISREG(mode)) return FileKind::Regular;
    if (S_ISDIR(mode)) return FileKind::Folder;
    return FileKind::Other;
}

std::string Reason(int error) {
    return std::generic_category().message(error);
}

// Missing, with `error` set when the failure was more than "not there".
FileKind StatKind(const std::filesystem::path& path, int& error) {
    struct stat info {};
    error = 0;
    if (::stat(path.c_str(), &info) == 0) return KindOfMode(info.st_mode);
    if (errno != ENOENT && errno != ENOTDIR) error = errno;
    return FileKind::Missing;
}

}  // namespace

FileKind KindOf(const std::filesystem::path& path) {
    int error = 0;
    return StatKind(path, error);
}

std::string KindProblem(FileKind kind) {
    switch (kind) {
        case FileKind::Folder:
            return "it is a folder";
        case FileKind::Other:
            return "it is not a regular file";
        default:
            return "";
    }
}

FilePrefix ReadFilePrefix(const std::filesystem::path& path, std::size_t maxBytes) {
    FilePrefix prefix;
    int statError = 0;
    prefix.kind = StatKind(path, statError);
    if (statError != 0) prefix.error = Reason(statError);
    if (prefix.kind != FileKind::Regular) return prefix;
    // Non-blocking, so that a FIFO put there since the check cannot hold the
    // open; what was opened is checked again before a byte is read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        prefix.error = Reason(errno);
        return prefix;
    }
    struct stat info {};
    const bool described = ::fstat(fd, &info) == 0;
    if (!described || !S_ISREG(info.st_mode)) {
        prefix.kind = described ? KindOfMode(info.st_mode) : FileKind::Other;
        ::close(fd);
        return prefix;
    }
    // One byte more than wanted tells whether the file goes on.
    std::string buffer(maxBytes + 1, '\0');
    std::size_t filled = 0;
    while (filled < buffer.size()) {
        const ssize_t got = ::read(fd, buffer.data() + filled, buffer.size() - filled);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            prefix.error = Reason(errno);
            break;
        }
        if (got == 0) break;
        filled += static_cast<std::size_t>(got);
    }
    ::close(fd);
    if (!prefix.error.empty()) return prefix;
    prefix.truncated = filled > maxBytes;
    buffer.resize(prefix.truncated ? maxBytes : filled);
    prefix.bytes = std::move(buffer);
    return prefix;
}

}  // namespace sundial::io
