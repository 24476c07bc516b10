// What is at a path, and the first bytes of a regular file, found without ever
// opening anything else: opening a FIFO waits for a writer that may never
// come, and a device may be endless.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace sundial::io {

enum class FileKind {
    Missing,  // nothing there, or nothing that can be reached (see FilePrefix::error)
    Regular,
    Folder,
    Other,  // a FIFO, a socket, a device
};

// Follows symbolic links; a dangling link is Missing.
FileKind KindOf(const std::filesystem::path& path);

// "is a folder" or "is not a regular file" for the user; empty for the others.
std::string KindProblem(FileKind kind);

struct FilePrefix {
    FileKind kind = FileKind::Missing;
    std::string bytes;       // the first at most maxBytes bytes of a regular file
    bool truncated = false;  // the file holds more than maxBytes
    // The system's reason when the path could not be examined (a folder on the
    // way that may not be searched) or a regular file could not be read.
    std::string error;
};

// Reads at most maxBytes of `path` when it is a regular file; anything else is
// only classified. Memory and time are bounded by maxBytes, not by the file.
FilePrefix ReadFilePrefix(const std::filesystem::path& path, std::size_t maxBytes);

}  // namespace sundial::io
