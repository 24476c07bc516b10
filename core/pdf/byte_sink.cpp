#include "core/pdf/byte_sink.h"

#include "core/pdf/pdf_error.h"

namespace sundial::pdf {

FileSink::FileSink(std::filesystem::path path)
    : file_(std::move(path), io::SpecialTarget::WriteThrough) {
    if (!file_.Open()) throw PdfWriteError(file_.Target(), file_.Error());
}

void FileSink::Write(std::string_view bytes) {
    if (closed_) throw PdfWriteError(file_.Target(), "the file is already closed");
    if (!file_.Write(bytes)) throw PdfWriteError(file_.Target(), file_.Error());
    position_ += bytes.size();
}

void FileSink::Close() {
    if (closed_) return;
    closed_ = true;
    if (!file_.Commit()) throw PdfWriteError(file_.Target(), file_.Error());
}

}  // namespace sundial::pdf
