#include "core/pdf/pdf_writer.h"

#include <cctype>
#include <cfloat>
#include <cmath>
#include <optional>

#include "core/pdf/ascii85.h"
#include "core/pdf/bmp_reader.h"
#include "core/pdf/image_format.h"
#include "core/pdf/pdf_error.h"
#include "core/pdf/win1252.h"

namespace sundial::pdf {

namespace {

constexpr const char* kProducer = "Wall sundial designer, PDF writer 1.0";
constexpr const char* kTooManyObjects = "a document holds at most 32767 objects";

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[i]);
        if (std::toupper(ca) != std::toupper(cb)) return false;
    }
    return true;
}

}  // namespace

clsPdfWriter::clsPdfWriter() {
    env_.programFolder = RunningProgramFolder();
    Title("(senza titolo)");
    PaperSize(0);
}

clsPdfWriter::~clsPdfWriter() = default;

// ---------------------------------------------------------------- properties

void clsPdfWriter::Margin(float value) {
    margin_ = lines_.ToPoints(value);
}

void clsPdfWriter::PaperWidth(float value) {
    paperWidth_ = lines_.ToPoints(value);
    paperSize_ = 255;
}

void clsPdfWriter::PaperHeight(float value) {
    paperHeight_ = lines_.ToPoints(value);
    paperSize_ = 255;
}

void clsPdfWriter::PaperSize(std::int32_t value) {
    // Width and height in points of each paper code.
    static constexpr float kPapers[][2] = {
        {595.2f, 842.0f}, {842.0f, 1190.5f}, {612, 792}, {612, 864}};
    paperSize_ = value;
    if (value >= 0 && value < 4) {
        paperWidth_ = kPapers[value][0];
        paperHeight_ = kPapers[value][1];
    }
}

// ---------------------------------------------------------------- objects

void clsPdfWriter::RequireOpen(const char* operation) const {
    if (!lines_.IsOpen()) {
        throw PdfUsageError(std::string(operation) + " needs an open document (InitPDFFile first)");
    }
}

void clsPdfWriter::ReserveObjects(std::int32_t count) const {
    if (!objects_.HasRoom(count)) lines_.Fail(kTooManyObjects);
}

std::int32_t clsPdfWriter::AllocateObject() {
    ReserveObjects(1);
    return objects_.Allocate();
}

void clsPdfWriter::BeginObject(std::int32_t n) {
    const std::uint64_t offset = lines_.Position();
    if (!ObjectTable::OffsetFits(offset)) {
        lines_.Fail("the file outgrew what a cross-reference entry can hold");
    }
    objects_.Place(n, offset);
    lines_.Line(n, " 0 obj");
}

std::int32_t clsPdfWriter::BeginNewObject() {
    const std::int32_t n = AllocateObject();
    BeginObject(n);
    return n;
}

// ---------------------------------------------------------------- document

void clsPdfWriter::InitPDFFile(std::string& strFileName) {
    lines_.Abandon();  // a document left open stays unfinished
    if (strFileName.empty()) strFileName = GeneratedPdfName(env_).string();
    const std::filesystem::path file(strFileName);
    lines_.SetFile(file);  // reported when the file cannot be created
    InitPDFSink(std::make_unique<FileSink>(file), file);
}

void clsPdfWriter::InitPDFSink(std::unique_ptr<ByteSink> sink, std::filesystem::path name) {
    lines_.Open(std::move(sink), std::move(name));
    pageCount_ = 0;
    resources_.Clear();
    fontIndex_.clear();
    embedded_.clear();
    forms_.clear();
    objects_.Clear();
    streamStart_ = 0;
    StartDocument();
}

void clsPdfWriter::StartDocument() {
    lines_.WriteLine("%PDF-1.3");
    const LocalTimestamp now = NowIn(env_);
    BeginObject(AllocateObject());
    lines_.Line("<<\r/Title (", LineWriter::Escaped{title_},
                ")\r/Author (Quillane)\r/Creator  (clsPdfWriter)\r/Producer (",
                LineWriter::Escaped{kProducer}, ")\r/CreationDate (", PdfDateText(now), ")\r>>");
    WriteObjectEnd();
    BeginObject(AllocateObject());
    lines_.WriteLine(
        "<<\r/Type /Catalog\r/Pages 3 0 R\r/PageLayout /OneColumn\r/PageMode /UseNone\r"
        "/Lang (it) \r/ViewerPreferences << /HideToolbar false /DisplayDocTitle true "
        "/HideWindowUI false >>\r>>");
    WriteObjectEnd();
    // 3 (the page tree) and 4 (the shared resources) are written last.
    objects_.TakeThrough(4);
}

std::int16_t clsPdfWriter::BeginPage() {
    RequireOpen("BeginPage");
    if (pageCount_ == INT16_MAX) lines_.Fail("a document holds at most 32767 pages");
    ReserveObjects(3);
    ++pageCount_;
    const std::int32_t page = objects_.Allocate();
    const std::int32_t contents = objects_.Allocate();
    BeginObject(page);
    lines_.Line("<<\r/Type /Page\r/Parent 3 0 R\r/Contents ", contents, " 0 R\r>>");
    WriteObjectEnd();
    resources_.AddPage(page);
    BeginObject(contents);
    // EndStream numbers the length object: the next number, unless the caller
    // loads a font, image or form inside the page.
    lines_.Line("<< /Length ", contents + 1, " 0 R >>\rstream");
    streamStart_ = lines_.Position();
    DrawAutoObjects();
    content_.ResetTextState();
    return pageCount_;
}

void clsPdfWriter::EndStream() {
    // A clip left open would leave the stream's q unmatched.
    while (content_.OpenClips() > 0) content_.EndClip();
    const std::uint64_t length = lines_.Position() - streamStart_;
    lines_.WriteLine("endstream");
    WriteObjectEnd();
    BeginNewObject();
    lines_.Line(length);
    WriteObjectEnd();
}

void clsPdfWriter::EndPage() {
    RequireOpen("EndPage");
    EndStream();
}

void clsPdfWriter::ClosePDFFile() {
    RequireOpen("ClosePDFFile");
    lines_.StartLine();
    lines_.Append("<<\r/Type /Pages\r/Count ", pageCount_, "\r/MediaBox [0 0 ", paperWidth_, ' ',
                  paperHeight_, "]\r/CropBox [", margin_, ' ', margin_, ' ', paperWidth_ - margin_,
                  ' ', paperHeight_ - margin_, "]\r", orientation_ == 1 ? "/Rotate 90" : "",
                  "\r/Kids [", resources_.Kids(), " ]\r/Resources 4 0 R\r>>");
    const std::string pages = lines_.TakeLine();
    WriteEmbeddedFonts();
    BeginObject(4);
    lines_.WriteLine(resources_.Text());
    WriteObjectEnd();
    BeginObject(3);
    lines_.WriteLine(pages);
    WriteObjectEnd();
    std::string xref;
    objects_.AppendCrossReference(xref, lines_.Position());
    lines_.Write(xref);
    lines_.Close();
}

// ---------------------------------------------------------------- text

void clsPdfWriter::DrawText(float x, float y, std::string_view strTemp, std::string_view FontName,
                            float Fontsize, std::int32_t Align, float Rotate) {
    RequireOpen("DrawText");
    if (Align == 1) {
        x -= Length(strTemp, FontName, Fontsize);
    } else if (Align == 2) {
        x -= Length(strTemp, FontName, Fontsize) / 2;
    }
    const std::string name = ToWin1252(FontName);
    for (const FontIndexEntry& entry : fontIndex_) {
        if (entry.embedded && SameIgnoringCase(entry.Name, name)) {
            content_.ShowCodes(x, y, entry.embedded->Encode(strTemp), FontName, Fontsize, Rotate);
            return;
        }
    }
    content_.ShowText(x, y, strTemp, FontName, Fontsize, Rotate);
}

float clsPdfWriter::Length(std::string_view Phrase, std::string_view FontName,
                           float Fontsize) const {
    const std::string name = ToWin1252(FontName);
    for (const FontIndexEntry& entry : fontIndex_) {
        if (!SameIgnoringCase(entry.Name, name)) continue;
        // Two-byte codes take no word spacing: only the one-byte code 32 does.
        const double points =
            entry.embedded
                ? (entry.embedded->Advance(Phrase) * Fontsize / 1000 +
                   static_cast<double>(EmbeddedFont::CharacterCount(Phrase)) *
                       content_.CharSpacing()) *
                      content_.HorizontalScaling() / 100
                : TextAdvance(*entry.metrics, ToWin1252(Phrase), Fontsize, content_.WordSpacing(),
                              content_.CharSpacing(), content_.HorizontalScaling());
        if (!std::isfinite(points) || std::fabs(points) > FLT_MAX) {
            lines_.Fail("a text width is beyond single precision");
        }
        return lines_.FromPoints(static_cast<float>(points));
    }
    return 0;
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
    const ImageFormat format =
        CheckImage(ImgBuf, ImgColor, ImgWidth, ImgHeight, ImgBPP, ColorSpace);
    ReserveObjects(format.indexed ? 3 : 2);
    const std::int32_t image = objects_.Allocate();
    const std::int32_t length = objects_.Allocate();
    const std::int32_t palette = format.indexed ? objects_.Allocate() : 0;
    const bool a = encodeASCII85_;
    const std::string_view cs = format.colorSpace;
    BeginObject(image);
    lines_.Line("<<\r/Type /XObject\r/Subtype /Image\r/Name /", LineWriter::Ansi{Name}, "\r/Width ",
                ImgWidth, "\r/Height ", ImgHeight, a ? "\r/Filter /ASCII85Decode" : "");
    if (format.indexed) {
        lines_.Line("/BitsPerComponent ", ImgBPP, "\r/ColorSpace [/Indexed /", cs, ' ',
                    format.paletteEntries - 1, ' ', palette, " 0 R]\r/Length ", length, " 0 R");
    } else {
        lines_.Line("/BitsPerComponent 8\r/ColorSpace /", cs, "\r/Length ", length, " 0 R");
    }
    const auto data = [a](std::span<const std::uint8_t> bytes) {
        return a ? EncodeASCII85Bytes(bytes)
                 : std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    };
    // "stream" ends with CR LF: a lone CR there would be read as part of the data.
    const std::string samples = data(ImgBuf);
    lines_.Line(">>\rstream\r\n", samples, "\rendstream");
    WriteObjectEnd();
    resources_.AddImage(ToWin1252(Name), image);
    BeginObject(length);
    lines_.Line(samples.size());
    WriteObjectEnd();
    if (format.indexed) {
        const std::string colors = data(ImgColor);
        BeginObject(palette);
        lines_.Line("<<", a ? "/Filter /ASCII85Decode\r" : "", "/Length ", colors.size(),
                    " >>\rstream\r\n", colors, "\rendstream");
        WriteObjectEnd();
    }
}

// ---------------------------------------------------------------- fonts

void clsPdfWriter::LoadFontStandard(std::string_view Name, std::string_view BaseFont,
                                    std::int32_t Options) {
    RequireOpen("LoadFontStandard");
    std::string base = ToWin1252(BaseFont);
    std::erase(base, ' ');
    const std::int32_t n = BeginNewObject();
    lines_.Line("<< /Type /Font /Subtype /Type1 /Name /", LineWriter::Ansi{Name}, " /BaseFont /",
                base, StyleSuffix(Options), " /Encoding /WinAnsiEncoding >>");
    WriteObjectEnd();
    resources_.AddFont(ToWin1252(Name), n);
}

void clsPdfWriter::LoadFont(std::string_view Name, std::string_view BaseFont,
                            std::int32_t Options) {
    RequireOpen("LoadFont");
    const FontMetrics& m = MetricsForFont(ToWin1252(BaseFont), Options);
    ReserveObjects(2);
    const std::int32_t font = objects_.Allocate();
    const std::int32_t descriptor = objects_.Allocate();
    const std::string name = ToWin1252(Name);
    BeginObject(font);
    lines_.Line("<< /Type /Font \r/Subtype /TrueType\r/Name /", name, "\r/BaseFont /", m.FontName,
                "\r/FirstChar ", m.FirstChar, "\r/LastChar ", m.LastChar, "\r/FontDescriptor ",
                descriptor, " 0 R\r/Encoding /WinAnsiEncoding\r/Widths [");
    lines_.Write(m.WidthsLines);
    lines_.WriteLine("] >>");
    WriteObjectEnd();
    resources_.AddFont(name, font);
    BeginObject(descriptor);
    lines_.Line("<<\r/Type /FontDescriptor\r/FontName /", m.FontName, '\r', m.Descriptor, "\r>>");
    WriteObjectEnd();
    fontIndex_.push_back({name, &m});
}

void clsPdfWriter::LoadEmbeddedFont(std::string_view Name, const FontProgram& program) {
    RequireOpen("LoadEmbeddedFont");
    // Only the font's own number now, for the resources; the rest of its
    // objects are numbered when the last page is done.
    const std::int32_t font = AllocateObject();
    const std::string name = ToWin1252(Name);
    embedded_.push_back(std::make_unique<EmbeddedFont>(program, font));
    resources_.AddFont(name, font);
    fontIndex_.push_back({name, nullptr, embedded_.back().get()});
}

void clsPdfWriter::WriteEmbeddedFonts() {
    for (const auto& font : embedded_) {
        ReserveObjects(EmbeddedFont::kExtraObjects);
        const std::int32_t first = objects_.Allocate();
        for (std::int32_t i = 1; i < EmbeddedFont::kExtraObjects; ++i) objects_.Allocate();
        std::vector<EmbeddedFont::Object> objects;
        try {
            objects = font->Objects(first);
        } catch (const std::runtime_error& e) {
            lines_.Fail(std::string("the font could not be embedded: ") + e.what());
        }
        for (const EmbeddedFont::Object& o : objects) {
            BeginObject(o.number);
            if (o.isStream) {
                // "stream" ends with CR LF: a lone CR there would be read as data.
                lines_.Line("<< ", o.dictionary, o.dictionary.empty() ? "" : " ", "/Length ",
                            o.stream.size(), " >>\rstream\r\n", o.stream, "\rendstream");
            } else {
                lines_.WriteLine(o.dictionary);
            }
            WriteObjectEnd();
        }
    }
}

// ---------------------------------------------------------------- forms

void clsPdfWriter::StartObject(std::string_view Name, std::int32_t Options) {
    RequireOpen("StartObject");
    const std::string name = ToWin1252(Name);
    BeginForm(name, {margin_, margin_, paperWidth_ - margin_, paperHeight_ - margin_}, "");
    forms_.push_back({name, Options});
}

void clsPdfWriter::StartPlacedObject(std::string_view Name, float x, float y, float xdim,
                                     float ydim) {
    RequireOpen("StartPlacedObject");
    const float left = lines_.ToPoints(x), bottom = lines_.ToPoints(y);
    BeginForm(ToWin1252(Name),
              {left, bottom, left + lines_.ToPoints(xdim), bottom + lines_.ToPoints(ydim)},
              "\r/Resources 4 0 R");
    // Drawn first thing on a page, so it starts from a page's text state.
    content_.ResetTextState();
}

void clsPdfWriter::BeginForm(const std::string& name, const std::array<float, 4>& box,
                             std::string_view more) {
    ReserveObjects(2);
    lines_.StartLine();
    lines_.Append("<<\r/Type /XObject\r/Subtype /Form\r/FormType 1\r/Name /", name, "\r/BBox [",
                  box[0], ' ', box[1], ' ', box[2], ' ', box[3], ']', more);
    const std::string head = lines_.TakeLine();
    const std::int32_t n = objects_.Allocate();
    BeginObject(n);
    // EndStream numbers the length object: the next number.
    lines_.Line(head, "\r/Matrix [1 0 0 1 0 0]\r/Length ", n + 1, " 0 R >>\rstream");
    streamStart_ = lines_.Position();
    resources_.AddForm(name, n);
}

void clsPdfWriter::EndObject() {
    RequireOpen("EndObject");
    EndStream();
}

void clsPdfWriter::DrawAutoObjects() {
    const int page = pageCount_;
    for (const FormEntry& form : forms_) {
        const std::int32_t o = form.Options;
        const bool every = (o & 7) == 7;
        const bool even = page % 2 == 0 && (o & 2) != 0;
        const bool odd = page % 2 == 1 && (o & 4) != 0 && ((o & 8) == 0 || page != 1);
        if (every || even || odd) lines_.Line('/', form.Name, " Do");
    }
}

}  // namespace sundial::pdf
