#include "core/pdf/pdf_writer.h"

#include <cctype>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <optional>
#include <random>
#include <system_error>

#include "core/pdf/ascii85.h"
#include "core/pdf/bmp_reader.h"
#include "core/pdf/pdf_error.h"
#include "core/pdf/pdf_syntax.h"
#include "core/pdf/win1252.h"

namespace sundial::pdf {

namespace {

constexpr std::int32_t kMaxObjectNumber = 32767;
constexpr std::uint64_t kMaxXrefOffset = 9'999'999'999;  // ten digits
constexpr const char* kProducer = "Wall sundial designer, PDF writer 1.0";
// Cross-reference entry of a number that was reserved but never written.
constexpr const char* kFreeEntry = "0000000000 65535 f";
// Degrees to radians for drawing, as a single: text rotation and arcs.
const float kRadPerDeg = static_cast<float>(3.141592 / 180);

std::string Int(std::int64_t value) {
    return std::to_string(value);
}

std::string TenDigits(std::uint64_t value) {
    std::string digits = std::to_string(value);
    return std::string(10 - digits.size(), '0') + digits;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[i]);
        if (std::toupper(ca) != std::toupper(cb)) return false;
    }
    return true;
}

int DefaultRandomDigit() {
    static std::mt19937 generator{std::random_device{}()};
    return std::uniform_int_distribution<int>(0, 9)(generator);
}

}  // namespace

std::filesystem::path RunningProgramFolder() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec && exe.has_parent_path()) return exe.parent_path();
    auto here = std::filesystem::current_path(ec);
    return ec ? std::filesystem::path(".") : here;
}

clsPdfWriter::clsPdfWriter() {
    env_.programFolder = RunningProgramFolder();
    Title("(senza titolo)");
    PaperSize(0);
}

clsPdfWriter::~clsPdfWriter() = default;

// ---------------------------------------------------------------- properties

void clsPdfWriter::Margin(float value) {
    margin_ = ToPoints(value);
}

void clsPdfWriter::PaperWidth(float value) {
    paperWidth_ = ToPoints(value);
    paperSize_ = 255;
}

void clsPdfWriter::PaperHeight(float value) {
    paperHeight_ = ToPoints(value);
    paperSize_ = 255;
}

void clsPdfWriter::PaperSize(std::int32_t value) {
    paperSize_ = value;
    switch (value) {
        case 0:
            paperWidth_ = 595.2f, paperHeight_ = 842.0f;
            break;
        case 1:
            paperWidth_ = 842.0f, paperHeight_ = 1190.5f;
            break;
        case 2:
            paperWidth_ = 612.0f, paperHeight_ = 792.0f;
            break;
        case 3:
            paperWidth_ = 612.0f, paperHeight_ = 864.0f;
            break;
        default:
            break;
    }
}

// ---------------------------------------------------------------- plumbing

void clsPdfWriter::Overflow(const std::string& what) const {
    throw PdfWriteError(fileName_, what);
}

void clsPdfWriter::RequireOpen(const char* operation) const {
    if (!out_) {
        throw PdfUsageError(std::string(operation) + " needs an open document (InitPDFFile first)");
    }
}

void clsPdfWriter::WriteLine(std::string_view text) {
    out_->Write(text);
    out_->Write("\r\n");
}

void clsPdfWriter::ReserveObjects(std::int32_t count) const {
    if (maxObject_ > kMaxObjectNumber - count) Overflow("a document holds at most 32767 objects");
}

void clsPdfWriter::WriteObjectHeader(std::int32_t& n) {
    if (n == 0) n = maxObject_ + 1;
    if (n < 1 || n > kMaxObjectNumber) Overflow("a document holds at most 32767 objects");
    const std::uint64_t offset = out_->Position();
    if (offset > kMaxXrefOffset) Overflow("the file outgrew what a cross-reference entry can hold");
    if (n > maxObject_) {
        maxObject_ = n;
        objectOffsets_.resize(static_cast<std::size_t>(n), kFreeEntry);
    }
    objectOffsets_[static_cast<std::size_t>(n - 1)] = TenDigits(offset) + " 00000 n";
    WriteLine(Int(n) + " 0 obj");
}

void clsPdfWriter::WriteObjectEnd() {
    WriteLine("endobj");
}

std::string clsPdfWriter::FormatNumber(float value) const {
    if (!std::isfinite(value)) Overflow("a number is beyond single precision");
    return pdf::FormatNumber(value, 3);
}

float clsPdfWriter::ToPoints(float value) const {
    double points = 0;
    switch (scaleMode_) {
        case 0:
            points = value;
            break;
        case 1:
            points = static_cast<double>(value) * 72;
            break;
        case 2:
            points = static_cast<double>(value) * 72 / 25.4;
            break;
        case 3:
            points = static_cast<double>(value) * 72 / 2.54;
            break;
        default:
            return 0;
    }
    if (!std::isfinite(points) || std::fabs(points) > FLT_MAX) {
        Overflow("a length is beyond single precision");
    }
    return static_cast<float>(points);
}

float clsPdfWriter::FromPoints(float value) const {
    double units = 0;
    switch (scaleMode_) {
        case 0:
            units = value;
            break;
        case 1:
            units = static_cast<double>(value) / 72;
            break;
        case 2:
            units = static_cast<double>(value) / 72 * 25.4;
            break;
        case 3:
            units = static_cast<double>(value) / 72 * 2.54;
            break;
        default:
            return 0;
    }
    if (!std::isfinite(units) || std::fabs(units) > FLT_MAX) {
        Overflow("a length is beyond single precision");
    }
    return static_cast<float>(units);
}

// ---------------------------------------------------------------- document

void clsPdfWriter::InitPDFFile(std::string& strFileName) {
    out_.reset();  // a document left open stays unfinished
    if (strFileName.empty()) {
        const LocalTimestamp t = env_.now ? env_.now() : LocalTimeNow();
        const int digit = env_.randomDigit ? env_.randomDigit() : DefaultRandomDigit();
        const long long stamp =
            (((t.day * 100LL + t.hour) * 100 + t.minute) * 100 + t.second) * 10 + digit;
        char hex[32];
        std::snprintf(hex, sizeof hex, "%llX", stamp);
        strFileName = (env_.programFolder / ("~" + std::string(hex) + ".pdf")).string();
    }
    fileName_ = std::filesystem::path(strFileName);
    auto sink = std::make_unique<FileSink>(fileName_);
    InitPDFSink(std::move(sink), fileName_);
}

void clsPdfWriter::InitPDFSink(std::unique_ptr<ByteSink> sink, std::filesystem::path name) {
    out_.reset();
    fileName_ = std::move(name);
    pageCount_ = 0;
    kidsList_.clear();
    fontResources_.clear();
    fontIndex_.clear();
    imageResources_.clear();
    formResources_.clear();
    fontMetrics_.clear();
    forms_.clear();
    maxObject_ = 0;
    objectOffsets_.clear();
    streamStart_ = 0;
    out_ = std::move(sink);
    StartDocument();
}

void clsPdfWriter::StartDocument() {
    WriteLine("%PDF-1.3");
    const LocalTimestamp now = env_.now ? env_.now() : LocalTimeNow();
    std::int32_t n = 1;
    WriteObjectHeader(n);
    WriteLine("<<\r/Title (" + EscapeText(ToWin1252(title_)) + ")\r/Author (" +
              EscapeText("Quillane") + ")\r/Creator  (" + EscapeText("clsPdfWriter") +
              ")\r/Producer (" + EscapeText(kProducer) + ")\r/CreationDate (" + PdfDateText(now) +
              ")\r>>");
    WriteObjectEnd();
    n = 2;
    WriteObjectHeader(n);
    WriteLine(
        "<<\r/Type /Catalog\r/Pages 3 0 R\r/PageLayout /OneColumn\r/PageMode /UseNone\r"
        "/Lang (it) \r/ViewerPreferences << /HideToolbar false /DisplayDocTitle true "
        "/HideWindowUI false >>\r>>");
    WriteObjectEnd();
    // 3 (the page tree) and 4 (the shared resources) are written last.
    maxObject_ = 4;
    objectOffsets_.resize(4, kFreeEntry);
}

std::int16_t clsPdfWriter::BeginPage() {
    RequireOpen("BeginPage");
    if (pageCount_ == INT16_MAX) Overflow("a document holds at most 32767 pages");
    ReserveObjects(3);
    ++pageCount_;
    std::int32_t p = 0;
    WriteObjectHeader(p);
    WriteLine("<<\r/Type /Page\r/Parent 3 0 R\r/Contents " + Int(p + 1) + " 0 R\r>>");
    WriteObjectEnd();
    kidsList_ += Int(p) + " 0 R ";
    std::int32_t contents = p + 1;
    WriteObjectHeader(contents);
    WriteLine("<< /Length " + Int(p + 2) + " 0 R >>\rstream");
    streamStart_ = out_->Position();
    DrawAutoObjects();
    charSpacing_ = 0;
    wordSpacing_ = 0;
    horizontalScaling_ = 100;
    return pageCount_;
}

void clsPdfWriter::EndStream() {
    const std::uint64_t length = out_->Position() - streamStart_;
    WriteLine("endstream");
    WriteObjectEnd();
    std::int32_t n = 0;
    WriteObjectHeader(n);
    WriteLine(Int(static_cast<std::int64_t>(length)));
    WriteObjectEnd();
}

void clsPdfWriter::EndPage() {
    RequireOpen("EndPage");
    EndStream();
}

void clsPdfWriter::ClosePDFFile() {
    RequireOpen("ClosePDFFile");
    std::string resources = "<<\r";
    if (!fontResources_.empty()) resources += "/Font <<\r" + fontResources_ + ">>\r";
    resources += "/ProcSet [/PDF /Text";
    if (!imageResources_.empty()) resources += " /ImageB /ImageC /ImageI";
    resources += " ]\r";
    if (!imageResources_.empty() || !formResources_.empty()) {
        resources += "/XObject <<\r" + imageResources_ + "\r" + formResources_ + ">>\r";
    }
    resources += ">>";

    const std::string w = FormatNumber(paperWidth_);
    const std::string h = FormatNumber(paperHeight_);
    const std::string m = FormatNumber(margin_);
    const std::string pages =
        "<<\r/Type /Pages\r/Count " + Int(pageCount_) + "\r/MediaBox [0 0 " + w + " " + h +
        "]\r/CropBox [" + m + " " + m + " " + FormatNumber(paperWidth_ - margin_) + " " +
        FormatNumber(paperHeight_ - margin_) + "]\r" + (orientation_ == 1 ? "/Rotate 90" : "") +
        "\r/Kids [" + kidsList_ + " ]\r/Resources 4 0 R\r>>";

    std::int32_t n = 4;
    WriteObjectHeader(n);
    WriteLine(resources);
    WriteObjectEnd();
    n = 3;
    WriteObjectHeader(n);
    WriteLine(pages);
    WriteObjectEnd();

    const std::uint64_t xref = out_->Position();
    WriteLine("xref");
    WriteLine("0 " + Int(maxObject_ + 1));
    WriteLine("0000000000 65535 f");
    for (const std::string& entry : objectOffsets_) WriteLine(entry);
    WriteLine("trailer\r<<\r/Size " + Int(maxObject_ + 1) + "\r/Info 1 0 R\r/Root 2 0 R\r>>");
    WriteLine("startxref\r" + std::to_string(xref));
    WriteLine("%%EOF\r");
    const std::unique_ptr<ByteSink> sink = std::move(out_);
    sink->Close();
}

// ---------------------------------------------------------------- text and state

void clsPdfWriter::SetWordSpacing(float W) {
    RequireOpen("SetWordSpacing");
    const std::string line = FormatNumber(W) + " Tw";
    wordSpacing_ = W;
    WriteLine(line);
}

void clsPdfWriter::SetCharSpacing(float W) {
    RequireOpen("SetCharSpacing");
    const std::string line = FormatNumber(W) + " Tc";
    charSpacing_ = W;
    WriteLine(line);
}

void clsPdfWriter::SetTextHorizontalScaling(float W) {
    RequireOpen("SetTextHorizontalScaling");
    const std::string line = FormatNumber(W) + " Tz";
    horizontalScaling_ = W;
    WriteLine(line);
}

void clsPdfWriter::SetTextRenderingMode(std::int32_t W) {
    RequireOpen("SetTextRenderingMode");
    if (W >= 0 && W <= 2) WriteLine(Int(W) + " Tr");
}

void clsPdfWriter::DrawText(float x, float y, std::string_view strTemp, std::string_view FontName,
                            float Fontsize, std::int32_t Align, float Rotate) {
    RequireOpen("DrawText");
    if (Align == 1) {
        x -= Length(strTemp, FontName, Fontsize);
    } else if (Align == 2) {
        x -= Length(strTemp, FontName, Fontsize) / 2;
    }
    const std::string font = "/" + ToWin1252(FontName) + " " + FormatNumber(Fontsize) + " Tf";
    std::string position;
    if (Rotate == 0) {
        position = Pt(x) + " " + Pt(y) + " Td";
    } else {
        const float a = Rotate * kRadPerDeg;
        const auto c = static_cast<float>(std::cos(a));
        const auto s = static_cast<float>(std::sin(a));
        position = FormatNumber(c) + " " + FormatNumber(s) + " " + FormatNumber(-s) + " " +
                   FormatNumber(c) + " " + Pt(x) + " " + Pt(y) + " Tm";
    }
    const std::string show = "(" + EscapeText(ToWin1252(strTemp)) + ") Tj";
    WriteLine("BT");
    WriteLine(font);
    WriteLine(position);
    WriteLine(show);
    WriteLine("ET");
}

void clsPdfWriter::WriteColor(std::int32_t rgb, const char* greyOperator, const char* rgbOperator) {
    if (rgb < -255) Overflow("colour value " + Int(rgb) + " is below -255");
    if (rgb <= 0) {
        WriteLine(FormatNumber(static_cast<float>(-rgb / 255.0)) + " " + greyOperator);
        return;
    }
    const auto part = [&](int shift) {
        return FormatNumber(static_cast<float>(((rgb >> shift) & 0xFF) / 255.0));
    };
    WriteLine(part(0) + " " + part(8) + " " + part(16) + " " + rgbOperator);
}

void clsPdfWriter::SetColorStroke(std::int32_t rgb) {
    RequireOpen("SetColorStroke");
    WriteColor(rgb, "G", "RG");
}

void clsPdfWriter::SetColorFill(std::int32_t rgb) {
    RequireOpen("SetColorFill");
    WriteColor(rgb, "g", "rg");
}

void clsPdfWriter::SetDash(float dash_on, float dash_off) {
    RequireOpen("SetDash");
    const float on = ToPoints(dash_on);
    const float off = ToPoints(dash_off);
    // An all-zero dash array is an error in PDF: zero lengths mean a solid line.
    if (on != 0 || off != 0) {
        WriteLine("[" + FormatNumber(on) + " " + FormatNumber(off) + "] 0 d");
    } else {
        WriteLine("[ ] 0 d");
    }
}

void clsPdfWriter::SetLineWidth(float W) {
    RequireOpen("SetLineWidth");
    WriteLine(Pt(W) + " w");
}

void clsPdfWriter::SetLineCap(std::int16_t W) {
    RequireOpen("SetLineCap");
    if (W >= 0 && W <= 2) WriteLine(Int(W) + " J");
}

void clsPdfWriter::SetLineJoin(std::int16_t W) {
    RequireOpen("SetLineJoin");
    if (W >= 0 && W <= 2) WriteLine(Int(W) + " j");
}

void clsPdfWriter::SetMiterLimit(float W) {
    RequireOpen("SetMiterLimit");
    if (W >= 1) WriteLine(FormatNumber(W) + " M");
}

// ---------------------------------------------------------------- paths

void clsPdfWriter::PaintPath(std::int32_t Options) {
    if ((Options & 7) == 7) {
        WriteLine("b");
    } else if ((Options & 5) == 5) {
        WriteLine("B");
    } else if ((Options & 4) == 4) {
        WriteLine("f");
    } else {
        if ((Options & 2) != 0) WriteLine("h");
        if ((Options & 1) != 0) WriteLine("S");
    }
}

void clsPdfWriter::MoveTo(float x, float y) {
    RequireOpen("MoveTo");
    WriteLine(Pt(x) + " " + Pt(y) + " m");
}

void clsPdfWriter::LineTo(float x, float y, std::int32_t Options) {
    RequireOpen("LineTo");
    WriteLine(Pt(x) + " " + Pt(y) + " l");
    PaintPath(Options);
}

void clsPdfWriter::Curve(float x1, float y1, float X2, float Y2, float X3, float Y3,
                         std::int32_t Options) {
    RequireOpen("Curve");
    WriteLine(Pt(x1) + " " + Pt(y1) + " " + Pt(X2) + " " + Pt(Y2) + " " + Pt(X3) + " " + Pt(Y3) +
              " c");
    PaintPath(Options);
}

void clsPdfWriter::Rectangle(float x, float y, float xdim, float ydim, std::int32_t Options,
                             float Ray) {
    RequireOpen("Rectangle");
    if (Ray <= 0) {
        const std::string path = Pt(x) + " " + Pt(y) + " " + Pt(xdim) + " " + Pt(ydim) + " re";
        WriteLine("n");
        WriteLine(path);
    } else {
        WriteLine("n");
        float r = Ray;
        if (r > xdim / 2) r = xdim / 2;
        if (r > ydim / 2) r = ydim / 2;
        // The quarter circles are Bezier curves with control points at 0.55 r.
        const double k = 0.55 * r;
        const double right = static_cast<double>(x) + xdim;
        const double top = static_cast<double>(y) + ydim;
        const auto f = [](double v) { return static_cast<float>(v); };
        MoveTo(f(x + r), y);
        LineTo(f(right - r), y, 0);
        Curve(f(right - r + k), y, f(right), f(y + r - k), f(right), f(y + r), 0);
        LineTo(f(right), f(top - r), 0);
        Curve(f(right), f(top - r + k), f(right - r + k), f(top), f(right - r), f(top), 0);
        LineTo(f(x + r), f(top), 0);
        Curve(f(x + r - k), f(top), x, f(top - r + k), x, f(top - r), 0);
        LineTo(x, f(y + r), 0);
        Curve(x, f(y + r - k), f(x + r - k), y, f(x + r), y, 0);
    }
    PaintPath(Options);
}

void clsPdfWriter::DrawCircle(float x, float y, float Ray, std::int32_t Options) {
    RequireOpen("DrawCircle");
    const double R = Ray;
    const double k = 0.55 * R;
    const auto f = [](double v) { return static_cast<float>(v); };
    MoveTo(x, f(y - R));
    Curve(f(x + k), f(y - R), f(x + R), f(y - k), f(x + R), y, 0);
    Curve(f(x + R), f(y + k), f(x + k), f(y + R), x, f(y + R), 0);
    Curve(f(x - k), f(y + R), f(x - R), f(y + k), f(x - R), y, 0);
    Curve(f(x - R), f(y - k), f(x - k), f(y - R), x, f(y - R), 0);
    PaintPath(Options);
}

void clsPdfWriter::Arc(float x, float y, float Ray, float StartAngle, float EndAngle, float Ratio,
                       bool Pie, float Rotate, std::int16_t Quality, std::int32_t Options) {
    RequireOpen("Arc");
    if (Quality == 0) throw PdfUsageError("Arc needs a non-zero Quality (degrees per point)");
    const auto step = static_cast<float>(Quality);
    const auto more = [&](float t) { return step > 0 ? t <= EndAngle : t >= EndAngle; };
    // The angle is a single: far from zero a step can vanish in rounding, and
    // the arc would never reach its end. Find out before writing anything.
    for (float t = StartAngle; more(t); t += step) {
        if (t + step == t) throw PdfUsageError("Arc's angles are too large for its step");
    }

    WriteLine("n");
    MoveTo(x, y);
    if ((Options & 4) != 0) Pie = true;  // a filled arc is always a sector
    const double s = std::sin(-kRadPerDeg * Rotate);
    const double c = std::cos(-kRadPerDeg * Rotate);
    for (float t = StartAngle; more(t); t += step) {
        const double px = Ray * std::cos(kRadPerDeg * t);
        const double py = Ray * Ratio * std::sin(kRadPerDeg * t);
        const auto u = static_cast<float>(px * c + py * s);
        const auto v = static_cast<float>(-px * s + py * c);
        if (!Pie && t == StartAngle) MoveTo(x + u, y + v);
        LineTo(x + u, y + v, 0);
    }
    if (Pie) LineTo(x, y, 0);
    PaintPath(Options);
}

// ---------------------------------------------------------------- images

bool clsPdfWriter::LoadImgFromBMPFile(std::string_view Name, const std::filesystem::path& FileName,
                                      std::int32_t ColorSpace) {
    RequireOpen("LoadImgFromBMPFile");
    const std::optional<BmpImage> image = ReadBMP(FileName, ColorSpace);
    if (!image) return false;
    LoadImgFromArray(Name, image->samples, image->palette, image->width, image->height,
                     image->bitsPerPixel, ColorSpace);
    return true;
}

void clsPdfWriter::LoadImgFromArray(std::string_view Name, std::span<const std::uint8_t> ImgBuf,
                                    std::span<const std::uint8_t> ImgColor, std::int32_t ImgWidth,
                                    std::int32_t ImgHeight, std::uint8_t ImgBPP,
                                    std::int32_t ColorSpace) {
    RequireOpen("LoadImgFromArray");
    if (ImgBPP != 1 && ImgBPP != 4 && ImgBPP != 8 && ImgBPP != 24) {
        throw PdfUsageError("images take 1, 4, 8 or 24 bits per pixel, not " + Int(ImgBPP));
    }
    if (ImgWidth < 1 || ImgHeight < 1) throw PdfUsageError("an image needs at least one pixel");
    const bool indexed = ImgBPP <= 8;
    const std::uint64_t components = ColorSpace == 0 ? 3 : 1;
    const auto w = static_cast<std::uint64_t>(ImgWidth);
    const auto h = static_cast<std::uint64_t>(ImgHeight);
    const std::uint64_t samplesNeeded = indexed ? (w * ImgBPP + 7) / 8 * h : w * h * components;
    if (ImgBuf.size() < samplesNeeded) throw PdfUsageError("the image's samples are too few");
    const std::uint64_t entries = std::uint64_t{1} << (indexed ? ImgBPP : 0);
    if (indexed && ImgColor.size() < entries * components) {
        throw PdfUsageError("the image's palette needs " + Int(static_cast<std::int64_t>(entries)) +
                            " entries");
    }
    ReserveObjects(indexed ? 3 : 2);

    const bool a = encodeASCII85_;
    const std::string cs = ColorSpace == 0 ? "DeviceRGB" : "DeviceGray";
    const std::string name = ToWin1252(Name);
    std::int32_t n = 0;
    WriteObjectHeader(n);
    WriteLine("<<\r/Type /XObject\r/Subtype /Image\r/Name /" + name + "\r/Width " + Int(ImgWidth) +
              "\r/Height " + Int(ImgHeight) + (a ? "\r/Filter /ASCII85Decode" : ""));
    if (indexed) {
        WriteLine("/BitsPerComponent " + Int(ImgBPP) + "\r/ColorSpace [/Indexed /" + cs + " " +
                  Int(static_cast<std::int64_t>(entries) - 1) + " " + Int(n + 2) +
                  " 0 R]\r/Length " + Int(n + 1) + " 0 R");
    } else {
        WriteLine("/BitsPerComponent 8\r/ColorSpace /" + cs + "\r/Length " + Int(n + 1) + " 0 R");
    }
    const auto data = [a](std::span<const std::uint8_t> bytes) {
        return a ? EncodeASCII85Bytes(bytes)
                 : std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    };
    // "stream" ends with CR LF: a lone CR there would be read as part of the data.
    const std::string d = data(ImgBuf);
    WriteLine(">>\rstream\r\n" + d + "\rendstream");
    WriteObjectEnd();
    imageResources_ += "/" + name + " " + Int(n) + " 0 R \r";
    std::int32_t lengthObject = n + 1;
    WriteObjectHeader(lengthObject);
    WriteLine(Int(static_cast<std::int64_t>(d.size())));
    WriteObjectEnd();
    if (indexed) {
        const std::string p = data(ImgColor);
        std::int32_t paletteObject = n + 2;
        WriteObjectHeader(paletteObject);
        WriteLine(std::string("<<") + (a ? "/Filter /ASCII85Decode\r" : "") + "/Length " +
                  Int(static_cast<std::int64_t>(p.size())) + " >>\rstream\r\n" + p + "\rendstream");
        WriteObjectEnd();
    }
}

void clsPdfWriter::DrawImg(std::string_view Name, float DestX, float DestY, float ImgWidth,
                           float ImgHeight) {
    RequireOpen("DrawImg");
    // [W 0 0 -H X Y] turns the bottom-row-first samples upright below (X, Y).
    const std::string matrix = Pt(ImgWidth) + " " + " 0 0 " + FormatNumber(-ToPoints(ImgHeight)) +
                               " " + Pt(DestX) + " " + Pt(DestY) + " cm";
    WriteLine("q\r" + matrix + "\r/" + ToWin1252(Name) + " Do\rQ");
}

// ---------------------------------------------------------------- fonts

void clsPdfWriter::LoadFontStandard(std::string_view Name, std::string_view BaseFont,
                                    std::int32_t Options) {
    RequireOpen("LoadFontStandard");
    std::string base = ToWin1252(BaseFont);
    std::erase(base, ' ');
    const std::string name = ToWin1252(Name);
    std::int32_t n = 0;
    WriteObjectHeader(n);
    WriteLine("<< /Type /Font /Subtype /Type1 /Name /" + name + " /BaseFont /" + base +
              StyleSuffix(Options) + " /Encoding /WinAnsiEncoding >>");
    WriteObjectEnd();
    fontResources_ += "/" + name + " " + Int(n) + " 0 R \r";
}

void clsPdfWriter::LoadFont(std::string_view Name, std::string_view BaseFont,
                            std::int32_t Options) {
    RequireOpen("LoadFont");
    FontMetrics metrics = MetricsForFont(ToWin1252(BaseFont), Options);
    ReserveObjects(2);
    const std::string name = ToWin1252(Name);
    std::int32_t n = 0;
    WriteObjectHeader(n);
    WriteLine("<< /Type /Font \r/Subtype /TrueType\r/Name /" + name + "\r/BaseFont /" +
              metrics.FontName + "\r/FirstChar " + Int(metrics.FirstChar) + "\r/LastChar " +
              Int(metrics.LastChar) + "\r/FontDescriptor " + Int(n + 1) +
              " 0 R\r/Encoding /WinAnsiEncoding\r/Widths [");
    std::string line;
    int onLine = 0;
    for (int code = metrics.FirstChar; code <= metrics.LastChar; ++code) {
        line +=
            FormatNumber(static_cast<float>(metrics.Widths[static_cast<std::size_t>(code - 1)]));
        line += ' ';
        if (++onLine == 16 || code == metrics.LastChar) {
            WriteLine(line);
            line.clear();
            onLine = 0;
        }
    }
    WriteLine("] >>");
    WriteObjectEnd();
    fontResources_ += "/" + name + " " + Int(n) + " 0 R \r";
    std::int32_t descriptor = n + 1;
    WriteObjectHeader(descriptor);
    WriteLine("<<\r/Type /FontDescriptor\r/FontName /" + metrics.FontName + "\r" +
              metrics.Descriptor + "\r>>");
    WriteObjectEnd();
    fontMetrics_.push_back(std::move(metrics));
    fontIndex_.push_back({name, fontMetrics_.size() - 1});
}

float clsPdfWriter::Length(std::string_view Phrase, std::string_view FontName,
                           float Fontsize) const {
    const std::string name = ToWin1252(FontName);
    const FontMetrics* metrics = nullptr;
    for (const FontIndexEntry& entry : fontIndex_) {
        if (SameIgnoringCase(entry.Name, name)) {
            metrics = &fontMetrics_[entry.record];
            break;
        }
    }
    if (metrics == nullptr) return 0;
    const std::string text = ToWin1252(Phrase);
    double sum = 0;
    double spaces = 0;
    for (const char ch : text) {
        const auto code = static_cast<std::uint8_t>(ch);
        sum += metrics->WidthOf(code);
        if (code == ' ') ++spaces;
    }
    const double points = (sum * Fontsize / 1000 + spaces * wordSpacing_ +
                           static_cast<double>(text.size()) * charSpacing_) *
                          horizontalScaling_ / 100;
    if (!std::isfinite(points) || std::fabs(points) > FLT_MAX) {
        Overflow("a text width is beyond single precision");
    }
    return FromPoints(static_cast<float>(points));
}

// ---------------------------------------------------------------- forms

void clsPdfWriter::StartObject(std::string_view Name, std::int32_t Options) {
    RequireOpen("StartObject");
    ReserveObjects(2);
    const std::string m = FormatNumber(margin_);
    const std::string bbox = m + " " + m + " " + FormatNumber(paperWidth_ - margin_) + " " +
                             FormatNumber(paperHeight_ - margin_);
    const std::string name = ToWin1252(Name);
    std::int32_t n = 0;
    WriteObjectHeader(n);
    WriteLine("<<\r/Type /XObject\r/Subtype /Form\r/FormType 1\r/Name /" + name + "\r/BBox [" +
              bbox + "]\r/Matrix [1 0 0 1 0 0]\r/Length " + Int(n + 1) + " 0 R >>\rstream");
    streamStart_ = out_->Position();
    formResources_ += "/" + name + " " + Int(n) + " 0 R \r";
    forms_.push_back({name, Options});
}

void clsPdfWriter::EndObject() {
    RequireOpen("EndObject");
    EndStream();
}

void clsPdfWriter::DrawObject(std::string_view Name) {
    RequireOpen("DrawObject");
    WriteLine("/" + ToWin1252(Name) + " Do");
}

void clsPdfWriter::DrawAutoObjects() {
    const int page = pageCount_;
    for (const FormEntry& form : forms_) {
        const std::int32_t o = form.Options;
        const bool every = (o & 7) == 7;
        const bool even = page % 2 == 0 && (o & 2) != 0;
        const bool odd = page % 2 == 1 && (o & 4) != 0 && ((o & 8) == 0 || page != 1);
        if (every || even || odd) WriteLine("/" + form.Name + " Do");
    }
}

}  // namespace sundial::pdf
