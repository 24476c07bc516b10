#include "core/pdf/font_metrics.h"

#include <cctype>
#include <span>

#include "core/pdf/pdf_error.h"
#include "core/pdf/pdf_syntax.h"

namespace sundial::pdf {

namespace {

#include "core/pdf/font_widths.inc"

struct DescriptorValues {
    int flags;
    std::array<int, 4> bbox;
    int missingWidth, stemV, stemH, italicAngle, capHeight, xHeight, ascent, descent, leading,
        maxWidth, avgWidth;
};

std::string DescriptorText(const DescriptorValues& v) {
    const auto n = [](int x) { return std::to_string(x); };
    return "/Flags " + n(v.flags) + " /FontBBox [" + n(v.bbox[0]) + " " + n(v.bbox[1]) + " " +
           n(v.bbox[2]) + " " + n(v.bbox[3]) + "] /MissingWidth " + n(v.missingWidth) + " /StemV " +
           n(v.stemV) + " /StemH " + n(v.stemH) + " /ItalicAngle " + n(v.italicAngle) +
           " /CapHeight " + n(v.capHeight) + " /XHeight " + n(v.xHeight) + " /Ascent " +
           n(v.ascent) + " /Descent " + n(v.descent) + " /Leading " + n(v.leading) + " /MaxWidth " +
           n(v.maxWidth) + " /AvgWidth " + n(v.avgWidth);
}

void CheckStyle(int style) {
    if (style < 0 || style > 3) {
        throw PdfUsageError("font style " + std::to_string(style) +
                            " has no width table (0 regular, 1 bold, 2 italic, 3 bold italic)");
    }
}

FontMetrics Build(const char* family, int style, std::uint8_t firstChar, std::int32_t defaultWidth,
                  std::span<const std::int16_t> widths, const DescriptorValues& descriptor) {
    FontMetrics m;
    m.FontName = family + StyleSuffix(style);
    m.FirstChar = firstChar;
    m.LastChar = 255;
    m.Descriptor = DescriptorText(descriptor);
    for (std::size_t i = 0; i < widths.size(); ++i) m.Widths[firstChar - 1u + i] = widths[i];
    m.DefaultWidth = defaultWidth;
    int onLine = 0;
    for (int code = m.FirstChar; code <= m.LastChar; ++code) {
        AppendNumber(m.WidthsLines,
                     static_cast<float>(m.Widths[static_cast<std::size_t>(code - 1)]), 3);
        m.WidthsLines += ' ';
        if (++onLine == 16 || code == m.LastChar) {
            m.WidthsLines += "\r\n";
            onLine = 0;
        }
    }
    return m;
}

// Regular, bold, italic, bold italic.
constexpr std::array<DescriptorValues, 4> kCourierNew = {{
    {34, {-250, -300, 720, 1000}, 600, 109, 109, 0, 833, 417, 833, -300, 133, 600, 600},
    {16418, {-250, -300, 720, 1000}, 600, 191, 191, 0, 833, 417, 833, -300, 133, 600, 600},
    {98, {-250, -300, 720, 1000}, 600, 109, 109, -11, 833, 417, 833, -300, 133, 600, 600},
    {16482, {-250, -300, 720, 1000}, 600, 191, 191, -11, 833, 417, 833, -300, 133, 600, 600},
}};
constexpr std::array<DescriptorValues, 4> kTimesNewRoman = {{
    {34, {-250, -216, 1200, 1000}, 333, 73, 73, 0, 891, 446, 891, -216, 149, 1000, 401},
    {16418, {-250, -216, 1201, 1000}, 333, 136, 136, 0, 891, 446, 891, -216, 149, 1001, 401},
    {98, {-250, -216, 1200, 1000}, 333, 73, 73, -11, 891, 446, 891, -216, 149, 1000, 402},
    {16482, {-250, -216, 1200, 1000}, 333, 131, 131, -11, 891, 446, 891, -216, 149, 1000, 412},
}};
constexpr std::array<DescriptorValues, 4> kSymbol = {{
    {6, {-250, -220, 1246, 1005}, 332, 109, 109, 0, 1005, 503, 1005, -220, 225, 1038, 601},
    {16390, {-250, -220, 1246, 1005}, 332, 191, 191, 0, 1005, 503, 1005, -220, 225, 1038, 600},
    {70, {-250, -220, 1246, 1005}, 332, 109, 109, -11, 1005, 503, 1005, -220, 225, 1038, 600},
    {16454, {-250, -220, 1246, 1005}, 332, 191, 191, -11, 1005, 503, 1005, -220, 225, 1038, 600},
}};
constexpr std::array<DescriptorValues, 4> kArial = {{
    {32, {-250, -221, 1190, 1000}, 272, 80, 80, 0, 905, 453, 905, -212, 150, 992, 441},
    {16416, {-250, -212, 1120, 1000}, 311, 153, 153, 0, 905, 453, 905, -212, 150, 933, 479},
    {96, {-250, -212, 1134, 1000}, 259, 80, 80, -11, 905, 453, 905, -212, 150, 945, 441},
    {16480, {-250, -212, 1120, 1000}, 311, 153, 153, -11, 905, 453, 905, -212, 150, 933, 479},
}};

constexpr std::array<std::span<const std::int16_t>, 4> kCourierNewWidths = {
    kCourierNewRegularWidths, kCourierNewBoldWidths, kCourierNewItalicWidths,
    kCourierNewBoldItalicWidths};
constexpr std::array<std::span<const std::int16_t>, 4> kTimesNewRomanWidths = {
    kTimesNewRomanRegularWidths, kTimesNewRomanBoldWidths, kTimesNewRomanItalicWidths,
    kTimesNewRomanBoldItalicWidths};
// Arial's slanted styles advance exactly like the upright ones.
constexpr std::array<std::span<const std::int16_t>, 4> kArialWidths = {
    kArialRegularWidths, kArialBoldWidths, kArialRegularWidths, kArialBoldWidths};

std::string Squeezed(std::string_view name) {
    std::string out;
    for (const char c : name) {
        if (c != ' ') out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return out;
}

}  // namespace

double TextAdvance(const FontMetrics& metrics, std::string_view win1252, float fontSize,
                   float wordSpacing, float charSpacing, float horizontalScaling) {
    double sum = 0;
    double spaces = 0;
    for (const char ch : win1252) {
        const auto code = static_cast<std::uint8_t>(ch);
        sum += metrics.WidthOf(code);
        if (code == ' ') ++spaces;
    }
    return (sum * fontSize / 1000 + spaces * wordSpacing +
            static_cast<double>(win1252.size()) * charSpacing) *
           horizontalScaling / 100;
}

std::string StyleSuffix(int style) {
    switch (style) {
        case 1:
            return ",Bold";
        case 2:
            return ",Italic";
        case 3:
            return ",BoldItalic";
        default:
            return "";
    }
}

namespace {

enum Family { kCourierNewFamily, kTimesNewRomanFamily, kSymbolFamily, kArialFamily };

FontMetrics BuildFamily(Family family, int style) {
    const auto s = static_cast<std::size_t>(style);
    switch (family) {
        case kCourierNewFamily:
            return Build("CourierNew", style, 32, 600, kCourierNewWidths[s], kCourierNew[s]);
        case kTimesNewRomanFamily:
            return Build("TimesNewRoman", style, 32, 333, kTimesNewRomanWidths[s],
                         kTimesNewRoman[s]);
        case kSymbolFamily:
            return Build("Symbol", style, 30, 332, kSymbolWidths, kSymbol[s]);
        case kArialFamily:
            break;
    }
    return Build("Arial", style, 32, 272, kArialWidths[s], kArial[s]);
}

// Constant data, formatted once: every sheet loads the same font again.
const FontMetrics& Metrics(Family family, int style) {
    CheckStyle(style);
    static const std::array<std::array<FontMetrics, 4>, 4> kAll = [] {
        std::array<std::array<FontMetrics, 4>, 4> all;
        for (int f = 0; f < 4; ++f) {
            for (int st = 0; st < 4; ++st) {
                all[static_cast<std::size_t>(f)][static_cast<std::size_t>(st)] =
                    BuildFamily(static_cast<Family>(f), st);
            }
        }
        return all;
    }();
    return kAll[static_cast<std::size_t>(family)][static_cast<std::size_t>(style)];
}

}  // namespace

const FontMetrics& CourierNewMetrics(int style) {
    return Metrics(kCourierNewFamily, style);
}

const FontMetrics& TimesNewRomanMetrics(int style) {
    return Metrics(kTimesNewRomanFamily, style);
}

const FontMetrics& SymbolMetrics(int style) {
    return Metrics(kSymbolFamily, style);
}

const FontMetrics& ArialMetrics(int style) {
    return Metrics(kArialFamily, style);
}

const FontMetrics& MetricsForFont(std::string_view baseFont, int style) {
    const std::string name = Squeezed(baseFont);
    if (name == "TIMESNEWROMAN") return TimesNewRomanMetrics(style);
    if (name == "COURIERNEW") return CourierNewMetrics(style);
    if (name == "SYMBOL") return SymbolMetrics(style);
    return ArialMetrics(style);
}

}  // namespace sundial::pdf
