#include "core/io/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <random>
#include <set>
#include <system_error>
#include <utility>

#include "core/io/regular_file.h"

namespace sundial::io {

namespace {

// Bytes gathered before they go to the system; a dial sheet fits in one write.
constexpr std::size_t kBufferSize = 64 * 1024;
// The target's name as part of the temporary one, cut so that the whole stays
// well inside the usual 255-byte limit for a name.
constexpr std::size_t kNameShare = 64;
constexpr int kCreateAttempts = 16;

FileFaultHook& Hook() {
    static FileFaultHook hook;
    return hook;
}

int Injected(FileStep step) {
    const FileFaultHook& hook = Hook();
    return hook ? hook(step) : 0;
}

std::string UniqueTag() {
    std::random_device random;
    const std::uint64_t value = (std::uint64_t{random()} << 32) ^ random();
    static constexpr char kHex[] = "0123456789abcdef";
    std::string tag(16, '0');
    for (int i = 0; i < 16; ++i) tag[i] = kHex[(value >> (4 * i)) & 0xF];
    return tag;
}

// Unnamed temporary files are given a name through /proc, which a container
// may lack; without it they could never be put in place.
bool UnnamedFilesLinkable() {
    static const bool linkable = ::access("/proc/self/fd", X_OK) == 0;
    return linkable;
}

}  // namespace

void SetFileFaultHook(FileFaultHook hook) {
    Hook() = std::move(hook);
}

AtomicFile::AtomicFile(std::filesystem::path target, SpecialTarget special, Placement placement)
    : target_(std::move(target)), destination_(target_), special_(special), placement_(placement) {}

AtomicFile::~AtomicFile() {
    CloseAndRemove();
}

bool AtomicFile::Open() {
    CloseAndRemove();
    error_.clear();
    buffer_.clear();
    destination_ = target_;
    std::error_code ec;
    const bool link = std::filesystem::is_symlink(target_, ec);
    if (placement_ != Placement::FollowLinks) {
        // The entry itself is what gets replaced, so only what it is counts.
        if (link) return placement_ == Placement::NewEntry ? Fail(EEXIST) : OpenTemporary();
        const FileKind kind = KindOf(target_);
        if (kind == FileKind::Folder) return Fail(EISDIR);
        if (kind != FileKind::Missing && placement_ == Placement::NewEntry) return Fail(EEXIST);
        return OpenTemporary();
    }
    if (link) {
        std::filesystem::path resolved = std::filesystem::canonical(target_, ec);
        // Writing a file where a dangling link points, or a file in place of
        // links that loop, would make something the user never named.
        if (ec == std::errc::too_many_symbolic_link_levels) {
            return Fail("it is a symbolic link that loops; nothing was written");
        }
        if (ec) return Fail("it is a symbolic link to nothing; nothing was written");
        destination_ = std::move(resolved);
    }
    const FileKind kind = KindOf(destination_);
    if (kind == FileKind::Folder) return Fail(EISDIR);
    if (kind == FileKind::Other) {
        if (special_ == SpecialTarget::Refuse) return Fail(KindProblem(kind));
        if (const int injected = Injected(FileStep::Create)) return Fail(injected);
        // Non-blocking, so that a FIFO nobody reads fails at once instead of
        // waiting; the writes themselves may wait for the reader.
        fd_ = ::open(destination_.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd_ < 0) return errno == ENXIO ? Fail("no program is reading from it") : Fail(errno);
        ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
        return true;
    }

    // A file its owner made read-only is not replaced behind their back,
    // although the folder would allow the rename.
    if (kind == FileKind::Regular && ::access(destination_.c_str(), W_OK) != 0) return Fail(errno);
    if (!OpenTemporary()) return false;
    struct stat old {};
    if (kind == FileKind::Regular && ::stat(destination_.c_str(), &old) == 0) {
        // The replacement keeps the old file's permissions and, where the
        // system allows, its owner; neither is worth failing the save for.
        [[maybe_unused]] const int owned = ::fchown(fd_, old.st_uid, old.st_gid);
        [[maybe_unused]] const int moded = ::fchmod(fd_, old.st_mode & 07777);
    }
    return true;
}

std::filesystem::path AtomicFile::TemporaryName() const {
    const std::string name = destination_.filename().string().substr(0, kNameShare);
    return destination_.parent_path() / ("." + name + "." + UniqueTag() + ".tmp");
}

bool AtomicFile::OpenTemporary() {
    if (const int injected = Injected(FileStep::Create)) return Fail(injected);
    const std::filesystem::path folder = destination_.parent_path();
    if (UnnamedFilesLinkable()) {
        // 0666 less the umask, as any new file.
        fd_ = ::open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        if (fd_ >= 0) {
            unnamed_ = true;
            return true;
        }
        // File systems without unnamed files say so in one of these ways.
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return Fail(errno);
    }
    for (int attempt = 0; attempt < kCreateAttempts && fd_ < 0; ++attempt) {
        temporary_ = TemporaryName();
        // O_EXCL keeps writers apart.
        fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0 && errno != EEXIST) {
            const int error = errno;
            temporary_.clear();
            return Fail(error);
        }
    }
    if (fd_ < 0) {
        temporary_.clear();
        return Fail(EEXIST);
    }
    return true;
}

bool AtomicFile::Write(std::string_view bytes) {
    if (fd_ < 0) return Fail(error_.empty() ? std::string("the file is already closed") : error_);
    synced_ = synced_ && bytes.empty();
    // Bytes enough to fill the buffer go to the system as they are, not
    // copied into it first.
    if (buffer_.empty() && bytes.size() >= kBufferSize) return WriteOut(bytes);
    buffer_.append(bytes);
    return buffer_.size() < kBufferSize || FlushBuffer();
}

bool AtomicFile::FlushBuffer() {
    if (!WriteOut(buffer_)) return false;
    buffer_.clear();
    return true;
}

bool AtomicFile::WriteOut(std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        if (const int injected = Injected(FileStep::Write)) return Fail(injected);
        const ssize_t written = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (written < 0) {
            if (errno == EINTR) continue;
            return Fail(errno);
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

bool AtomicFile::Sync() {
    if (fd_ < 0) return Fail(error_.empty() ? std::string("the file is already closed") : error_);
    if (!FlushBuffer()) return false;
    // Written through, a pipe cannot be synced.
    if (synced_ || (temporary_.empty() && !unnamed_)) return true;
    if (const int injected = Injected(FileStep::Sync)) return Fail(injected);
    // The data must be on the disk before the name points at it, or a crash
    // soon after the rename could leave an empty file under the old name.
    if (::fsync(fd_) != 0) return Fail(errno);
    synced_ = true;
    return true;
}

bool AtomicFile::Stage() {
    if (fd_ < 0) return Fail(error_.empty() ? std::string("the file is already closed") : error_);
    return FlushBuffer();
}

bool AtomicFile::Commit(FolderSync folder) {
    if (!Sync()) return false;
    if (temporary_.empty() && !unnamed_) {
        // Written through: nothing to rename.
        const int fd = std::exchange(fd_, -1);
        return ::close(fd) == 0 || errno == EINTR || Fail(errno);
    }
    if (const int injected = Injected(FileStep::Rename)) return Fail(injected);
    if (unnamed_ && !NameUnnamed()) return false;
    if (temporary_.empty()) {
        ::close(std::exchange(fd_, -1));  // already under its name
    } else {
        if (::close(std::exchange(fd_, -1)) != 0 && errno != EINTR) return Fail(errno);
        // link() fails where something has the name; rename() replaces it.
        const bool placed = placement_ == Placement::NewEntry
                                ? ::link(temporary_.c_str(), destination_.c_str()) == 0
                                : ::rename(temporary_.c_str(), destination_.c_str()) == 0;
        if (!placed) return Fail(errno);
        if (placement_ == Placement::NewEntry) ::unlink(temporary_.c_str());
        temporary_.clear();
    }
    if (folder == FolderSync::Now) SyncFolder(destination_.parent_path());
    return true;
}

bool AtomicFile::NameUnnamed() {
    const std::string self = "/proc/self/fd/" + std::to_string(fd_);
    const auto linkTo = [&self](const std::filesystem::path& name) {
        return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
    };
    if (placement_ == Placement::NewEntry) {
        // One step, and only where nothing has the name.
        if (!linkTo(destination_)) return Fail(errno);
        unnamed_ = false;
        return true;
    }
    // A name of its own for the moment before the rename.
    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        temporary_ = TemporaryName();
        if (linkTo(temporary_)) {
            unnamed_ = false;
            return true;
        }
        if (errno != EEXIST) {
            const int error = errno;
            temporary_.clear();
            return Fail(error);
        }
    }
    temporary_.clear();
    return Fail(EEXIST);
}

void AtomicFile::Discard() {
    CloseAndRemove();
}

bool AtomicFile::Fail(int error) {
    return Fail(std::generic_category().message(error));
}

bool AtomicFile::Fail(std::string reason) {
    error_ = std::move(reason);
    CloseAndRemove();
    return false;
}

void AtomicFile::CloseAndRemove() {
    // Closing an unnamed file is all it takes to remove it.
    if (fd_ >= 0) ::close(std::exchange(fd_, -1));
    unnamed_ = false;
    synced_ = false;
    if (!temporary_.empty()) ::unlink(std::exchange(temporary_, {}).c_str());
    buffer_.clear();
}

bool SyncTogether(std::span<AtomicFile* const> files, std::string* error) {
    std::set<dev_t> synced;
    const auto fail = [&](std::string reason) {
        for (AtomicFile* file : files) file->Fail(reason);
        if (error != nullptr) *error = std::move(reason);
        return false;
    };
    for (AtomicFile* file : files) {
        if (file->fd_ < 0)
            return fail(file->error_.empty() ? "the file is already closed" : file->error_);
        if (!file->FlushBuffer()) return fail(file->error_);
        // Written through, a pipe cannot be synced.
        if (file->synced_ || (file->temporary_.empty() && !file->unnamed_)) continue;
        struct stat status {};
        if (::fstat(file->fd_, &status) != 0) return fail(std::generic_category().message(errno));
        if (synced.contains(status.st_dev)) continue;
        if (const int injected = Injected(FileStep::Sync)) {
            return fail(std::generic_category().message(injected));
        }
        // One flush of the whole file system stores every file on it, and
        // reports a failure to store any of them (a full disk, a bad block).
        if (::syncfs(file->fd_) != 0) return fail(std::generic_category().message(errno));
        synced.insert(status.st_dev);
    }
    for (AtomicFile* file : files) file->synced_ = true;
    return true;
}

// The rename is only durable once the folder's entry is: best effort, since
// the new file is already in place and some file systems cannot sync a folder.
void SyncFolder(const std::filesystem::path& folder) {
    const std::filesystem::path name = folder.empty() ? "." : folder;
    const int fd = ::open(name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

bool ReplaceFileContents(const std::filesystem::path& target, std::string_view bytes,
                         std::string* error) {
    AtomicFile file(target);
    const bool replaced = file.Open() && file.Write(bytes) && file.Commit();
    if (!replaced && error != nullptr) *error = file.Error();
    return replaced;
}

}  // namespace sundial::io
