// A document's output: the sink its bytes go to, the name errors report, and
// the unit the caller's lengths are in. PDF text is written a line at a time:
// a line is put together from its parts and goes out with its CR LF only when
// every part is known good, so a part that cannot be written (a number beyond
// single precision) throws PdfWriteError before anything of its line is
// written.
#pragma once

#include <concepts>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "core/pdf/byte_sink.h"

namespace sundial::pdf {

class LineWriter {
  public:
    // Parts of a line besides text, characters and integers.
    struct Pt {  // a caller's length, written in points
        float length;
    };
    struct Ansi {  // a caller's UTF-8 text, written in Windows-1252
        std::string_view utf8;
    };
    struct Escaped {  // the same, escaped for string parentheses
        std::string_view utf8;
    };

    // Starts writing to `sink`; a sink still held is dropped without closing.
    void Open(std::unique_ptr<ByteSink> sink, std::filesystem::path file);
    // Drops the sink without closing it: the document stays unfinished.
    void Abandon() { sink_.reset(); }
    // Closes the sink (throws PdfWriteError when its bytes cannot be stored)
    // and lets it go either way.
    void Close();
    bool IsOpen() const { return sink_ != nullptr; }
    std::uint64_t Position() const { return sink_->Position(); }
    // The name every PdfWriteError reports; kept after Close.
    void SetFile(std::filesystem::path file) { file_ = std::move(file); }
    [[noreturn]] void Fail(const std::string& reason) const;

    // ScaleMode: 0 point, 1 inch, 2 millimetre, 3 centimetre, other: none.
    void SetScaleMode(std::int32_t scaleMode) { scaleMode_ = scaleMode; }
    // A length in the caller's unit as points, and back; PdfWriteError when
    // the result is beyond single precision.
    float ToPoints(float value) const;
    float FromPoints(float value) const;

    template <typename... Parts>
    void Line(const Parts&... parts) {
        line_.clear();
        (Put(parts), ...);
        FinishLine();
    }
    // Adds to the line under construction; FinishLine writes it.
    template <typename... Parts>
    void Append(const Parts&... parts) {
        (Put(parts), ...);
    }
    void StartLine() { line_.clear(); }
    void FinishLine();
    // The line under construction, taken away unwritten.
    std::string TakeLine() { return std::move(line_); }
    // `text` and CR LF.
    void WriteLine(std::string_view text);
    // Bytes as they stand.
    void Write(std::string_view bytes) { sink_->Write(bytes); }

    void Put(std::string_view text) { line_ += text; }
    void Put(char c) { line_ += c; }
    template <std::integral T>
    void Put(T value) {
        PutInteger(value);
    }
    void Put(float number);  // FormatNumber with 3 places
    void Put(Pt length);
    void Put(Ansi text);
    void Put(Escaped text);
    void PutInteger(std::int64_t value);

  private:
    std::unique_ptr<ByteSink> sink_;
    std::filesystem::path file_;
    std::int32_t scaleMode_ = 0;
    std::string line_;
    std::string text_;  // a caller's text in Windows-1252, before escaping
};

}  // namespace sundial::pdf
