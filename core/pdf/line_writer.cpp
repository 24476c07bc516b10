#include "core/pdf/line_writer.h"

#include <cfloat>
#include <cmath>

#include "core/pdf/length_units.h"
#include "core/pdf/pdf_error.h"
#include "core/pdf/pdf_syntax.h"
#include "core/pdf/win1252.h"

namespace sundial::pdf {

namespace {

constexpr std::string_view kEol = "\r\n";

bool FitsSingle(double value) {
    return std::isfinite(value) && std::fabs(value) <= FLT_MAX;
}

}  // namespace

void LineWriter::Open(std::unique_ptr<ByteSink> sink, std::filesystem::path file) {
    sink_ = std::move(sink);
    file_ = std::move(file);
}

void LineWriter::Close() {
    const std::unique_ptr<ByteSink> sink = std::move(sink_);
    if (sink) sink->Close();
}

void LineWriter::Fail(const std::string& reason) const {
    throw PdfWriteError(file_, reason);
}

float LineWriter::ToPoints(float value) const {
    const double points = UnitsToPoints(value, scaleMode_);
    if (!FitsSingle(points)) Fail("a length is beyond single precision");
    return static_cast<float>(points);
}

float LineWriter::FromPoints(float value) const {
    const double units = PointsToUnits(value, scaleMode_);
    if (!FitsSingle(units)) Fail("a length is beyond single precision");
    return static_cast<float>(units);
}

void LineWriter::FinishLine() {
    line_ += kEol;
    sink_->Write(line_);
    line_.clear();
}

void LineWriter::WriteLine(std::string_view text) {
    sink_->Write(text);
    sink_->Write(kEol);
}

void LineWriter::Put(float number) {
    if (!std::isfinite(number)) Fail("a number is beyond single precision");
    AppendNumber(line_, number, 3);
}

void LineWriter::Put(Pt length) {
    AppendNumber(line_, ToPoints(length.length), 3);
}

void LineWriter::Put(Ansi text) {
    AppendWin1252(line_, text.utf8);
}

void LineWriter::Put(Escaped text) {
    text_.clear();
    AppendWin1252(text_, text.utf8);
    AppendEscapedText(line_, text_);
}

void LineWriter::PutInteger(std::int64_t value) {
    AppendInteger(line_, value);
}

}  // namespace sundial::pdf
