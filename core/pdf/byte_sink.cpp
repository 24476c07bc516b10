#include "core/pdf/byte_sink.h"

#include <cerrno>
#include <system_error>

#include "core/pdf/pdf_error.h"

namespace sundial::pdf {

namespace {

std::string SystemReason(int error, const char* fallback) {
    return error != 0 ? std::generic_category().message(error) : fallback;
}

}  // namespace

FileSink::FileSink(std::filesystem::path path) : path_(std::move(path)) {
    errno = 0;
    file_ = std::fopen(path_.string().c_str(), "wb");
    if (file_ == nullptr) throw PdfWriteError(path_, SystemReason(errno, "cannot create the file"));
}

FileSink::~FileSink() {
    // An abandoned document: keep what was written, report nothing.
    if (file_ != nullptr) std::fclose(file_);
}

void FileSink::Write(std::string_view bytes) {
    if (file_ == nullptr) throw PdfWriteError(path_, "the file is already closed");
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
        throw PdfWriteError(path_, SystemReason(errno, "write failed"));
    }
    position_ += bytes.size();
}

void FileSink::Close() {
    if (file_ == nullptr) return;
    std::FILE* file = file_;
    file_ = nullptr;
    errno = 0;
    const bool flushed = std::fflush(file) == 0;
    const int flushError = errno;
    const bool closed = std::fclose(file) == 0;
    if (!flushed || !closed) {
        throw PdfWriteError(path_, SystemReason(flushed ? errno : flushError, "write failed"));
    }
}

}  // namespace sundial::pdf
