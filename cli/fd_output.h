// Standard output as sundial-cli writes it: a buffer over a file descriptor
// that keeps the system's reason when a write fails ("No space left on
// device"), so that a failed output is told, not taken for success.
#pragma once

#include <array>
#include <streambuf>
#include <string>

namespace sundial {

class FdOutputBuffer final : public std::streambuf {
  public:
    explicit FdOutputBuffer(int fd);
    ~FdOutputBuffer() override;
    FdOutputBuffer(const FdOutputBuffer&) = delete;
    FdOutputBuffer& operator=(const FdOutputBuffer&) = delete;

    // The reason of the first failed write; empty while every write went out.
    const std::string& Error() const { return error_; }

  protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* s, std::streamsize n) override;
    int sync() override;

  private:
    bool Drain();
    bool WriteAll(const char* bytes, std::size_t size);

    int fd_;
    std::array<char, 64 * 1024> buffer_{};
    std::string error_;
};

// Makes sure descriptors 0, 1 and 2 are open before the program opens any
// file, so that no file it writes is taken for standard output. A closed
// output is reopened read-only, so that writing to it still fails.
void KeepStandardDescriptors();

}  // namespace sundial
