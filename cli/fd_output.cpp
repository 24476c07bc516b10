#include "cli/fd_output.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace sundial {

FdOutputBuffer::FdOutputBuffer(int fd) : fd_(fd) {
    setp(buffer_.data(), buffer_.data() + buffer_.size());
}

FdOutputBuffer::~FdOutputBuffer() {
    Drain();
}

bool FdOutputBuffer::WriteAll(const char* bytes, std::size_t size) {
    // After a failure nothing more is sent: a later write must not look whole.
    if (!error_.empty()) return false;
    while (size > 0) {
        const ssize_t written = ::write(fd_, bytes, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            error_ = std::strerror(errno);
            return false;
        }
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

bool FdOutputBuffer::Drain() {
    const bool written = WriteAll(pbase(), static_cast<std::size_t>(pptr() - pbase()));
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    return written;
}

FdOutputBuffer::int_type FdOutputBuffer::overflow(int_type c) {
    if (!Drain()) return traits_type::eof();
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
    return c;
}

std::streamsize FdOutputBuffer::xsputn(const char* s, std::streamsize n) {
    if (n <= epptr() - pptr()) {
        std::memcpy(pptr(), s, static_cast<std::size_t>(n));
        pbump(static_cast<int>(n));
        return n;
    }
    if (!Drain() || !WriteAll(s, static_cast<std::size_t>(n))) return 0;
    return n;
}

int FdOutputBuffer::sync() {
    return Drain() ? 0 : -1;
}

void KeepStandardDescriptors() {
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (::fcntl(fd, F_GETFD) >= 0 || errno != EBADF) continue;
        // open() takes the lowest free number: this one.
        ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    }
}

}  // namespace sundial
