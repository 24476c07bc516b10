// Replacing a file so that it is, at every moment, either the old file or the
// whole new one. The new bytes go to a temporary file in the same folder (each
// writer its own, so concurrent writers never mix), which is synced and then
// renamed over the old file in one step. A failure, or a process killed part
// way, leaves the old file as it was; a failure also removes the partial file.
// Where the system allows it the temporary file has no name until it is
// complete, so that even a process killed part way leaves no partial file.
#pragma once

#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace sundial::io {

// What to do when the target exists but is neither a regular file nor a
// folder (a FIFO, a device). A folder is always refused.
enum class SpecialTarget {
    Refuse,        // leave it alone: Open fails with "it is not a regular file"
    WriteThrough,  // write into it as a stream, with no old file to keep (a pipe, /dev/stdout)
};

// Which name Commit puts the new file under.
enum class Placement {
    // The file the target names, symbolic links followed (as an editor
    // saves); a link to nothing, or links that loop, are refused.
    FollowLinks,
    // The folder entry itself: whatever has the name (a link included) is
    // replaced, and nothing outside the target's folder is touched.
    ReplaceEntry,
    // Only a name nothing has yet: Commit fails with "File exists" when
    // something took the name meanwhile, and replaces nothing.
    NewEntry,
};

// Whether Commit syncs the target's folder, or leaves that to a caller who
// puts many files in one folder and syncs it once (SyncFolder).
enum class FolderSync { Now, Later };

class AtomicFile {
  public:
    explicit AtomicFile(std::filesystem::path target, SpecialTarget special = SpecialTarget::Refuse,
                        Placement placement = Placement::FollowLinks);
    // An uncommitted file is discarded: the target keeps its old bytes.
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the temporary file (or opens the special target).
    bool Open();
    // Appends, buffered. On failure the partial file is removed and every
    // later call fails with the same reason.
    bool Write(std::string_view bytes);
    // Makes the bytes durable without putting them in place yet, so that a
    // caller can see several files stored before any of them replaces an old
    // one. On failure the partial file is removed.
    bool Sync();
    // Hands every byte written to the system without waiting for the disk,
    // for a caller that makes many files durable at once (SyncTogether)
    // before any is committed. On failure the partial file is removed.
    bool Stage();
    // Makes the bytes durable (when Sync or SyncTogether has not) and puts
    // them in the target's place. On failure the partial file is removed and
    // the target is untouched.
    bool Commit(FolderSync folder = FolderSync::Now);
    // Drops what was written; the target keeps its old bytes.
    void Discard();

    bool IsOpen() const { return fd_ >= 0; }
    const std::filesystem::path& Target() const { return target_; }
    // Where Commit puts the file: the target, its links followed once Open
    // has looked (FollowLinks).
    const std::filesystem::path& Destination() const { return destination_; }
    // The reason for the latest failure, in the system's words where it gave
    // one ("No space left on device"); empty before any.
    const std::string& Error() const { return error_; }

  private:
    friend bool SyncTogether(std::span<AtomicFile* const> files, std::string* error);
    bool Fail(int error);
    bool Fail(std::string reason);
    bool FlushBuffer();
    bool WriteOut(std::string_view bytes);  // every byte, to the system
    bool OpenTemporary();
    bool NameUnnamed();
    std::filesystem::path TemporaryName() const;
    void CloseAndRemove();

    std::filesystem::path target_;
    std::filesystem::path destination_;  // the target, symbolic links followed
    std::filesystem::path temporary_;    // empty when writing through or still unnamed
    bool unnamed_ = false;               // fd_ is a temporary file without a name yet
    bool synced_ = false;                // every byte written is on the disk
    SpecialTarget special_;
    Placement placement_;
    int fd_ = -1;
    std::string buffer_;
    std::string error_;
};

// Makes every staged file of `files` durable at once: one flush of each file
// system they are on, where a sync of each would wait for the disk once a
// file. False, with the reason in `error` when given, when the system could
// not store them; each file is then discarded.
bool SyncTogether(std::span<AtomicFile* const> files, std::string* error = nullptr);

// Makes the names put in `folder` durable; best effort, as Commit does it.
void SyncFolder(const std::filesystem::path& folder);

// `bytes` as the whole new content of `target`. False, with the reason in
// `error` when given, when the old file had to be kept.
bool ReplaceFileContents(const std::filesystem::path& target, std::string_view bytes,
                         std::string* error = nullptr);

// Fault injection for tests. The hook runs before each system step of every
// AtomicFile in the process; a non-zero result is taken as that step's errno
// and the step is not carried out. An empty hook restores the real calls.
enum class FileStep { Create, Write, Sync, Rename };
using FileFaultHook = std::function<int(FileStep)>;
void SetFileFaultHook(FileFaultHook hook);

}  // namespace sundial::io
