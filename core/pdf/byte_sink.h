// Where a PDF's bytes go: a file, or memory for tests and benchmarks.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/io/atomic_file.h"

namespace sundial::pdf {

class ByteSink {
  public:
    virtual ~ByteSink() = default;
    // Appends bytes; throws PdfWriteError when they cannot be stored.
    virtual void Write(std::string_view bytes) = 0;
    // Bytes written so far: the offset of the next byte.
    virtual std::uint64_t Position() const = 0;
    // Makes everything durable; throws PdfWriteError (a full disk shows here).
    virtual void Close() = 0;
};

// Creates (or replaces) a file. The document is written beside it and put in
// its place by Close, so that a reader, a concurrent writer or a full disk
// never sees a partial document under the name: until Close succeeds the old
// file (if any) stays, and a failed or abandoned document leaves nothing
// behind. A FIFO or a device (a pipe, /dev/stdout) is written through.
// Failures name the path and the system's reason.
class FileSink final : public ByteSink {
  public:
    // Throws PdfWriteError when the file cannot be created.
    explicit FileSink(std::filesystem::path path);

    void Write(std::string_view bytes) override;
    std::uint64_t Position() const override { return position_; }
    void Close() override;

  private:
    io::AtomicFile file_;
    std::uint64_t position_ = 0;
    bool closed_ = false;
};

// Appends to a caller's string, which it empties first.
class MemorySink final : public ByteSink {
  public:
    explicit MemorySink(std::string& target) : target_(target) { target_.clear(); }
    void Write(std::string_view bytes) override { target_.append(bytes); }
    std::uint64_t Position() const override { return target_.size(); }
    void Close() override {}

  private:
    std::string& target_;
};

}  // namespace sundial::pdf
