#include "core/template/dxf_template.h"

#include <dl_dxf.h>
#include <dl_writer_ascii.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>

#include "core/io/atomic_file.h"
#include "core/pdf/win1252.h"
#include "core/plan/text_metrics.h"
#include "core/template/svg_template.h"
#include "core/template/template_error.h"
#include "core/template/text_outlines.h"

namespace sundial::tmpl {

namespace {

using plan::Element;
using plan::Role;
using plan::Shape;

std::string UpperHex(unsigned long value) {
    char buf[24];
    const auto end = std::to_chars(buf, buf + sizeof buf, value, 16).ptr;
    std::string text(buf, end);
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// dxflib's writer, kept in memory: the file is then replaced in one step, and
// numbers are spelled by std::to_chars (shortest exact form, a full stop
// whatever the locale) rather than printf's.
class StringWriter final : public DL_WriterA {
  public:
    StringWriter() : DL_WriterA("", DL_Codes::AC1015) {}
    void dxfReal(int gc, double value) const override {
        char buf[64];
        const auto end = std::to_chars(buf, buf + sizeof buf, value == 0 ? 0.0 : value).ptr;
        std::string text(buf, end);
        if (text.find_first_of(".e") == std::string::npos) text += ".0";
        Pair(gc, text);
    }
    void dxfInt(int gc, int value) const override { Pair(gc, std::to_string(value)); }
    void dxfHex(int gc, int value) const override {
        Pair(gc, UpperHex(static_cast<unsigned>(value)));
    }
    void dxfString(int gc, const char* value) const override { Pair(gc, value); }
    void dxfString(int gc, const std::string& value) const override { Pair(gc, value); }

    // dxflib's writing calls are const; the text grows behind them.
    mutable std::string text;

  private:
    void Pair(int gc, std::string_view value) const {
        const std::string code = std::to_string(gc);
        text.append(3 - std::min<std::size_t>(3, code.size()), ' ');
        text += code;
        text += '\n';
        text += value;
        text += '\n';
    }
};

// The lineweights (1/100 mm) a DXF may name; a stroke takes the nearest.
constexpr std::array<int, 24> kLineweights = {0,  5,   9,   13,  15,  18,  20,  25,
                                              30, 35,  40,  50,  53,  60,  70,  80,
                                              90, 100, 106, 120, 140, 158, 200, 211};

int Lineweight(double strokeMm) {
    const double wanted = strokeMm * 100;
    return *std::min_element(kLineweights.begin(), kLineweights.end(), [wanted](int a, int b) {
        return std::abs(a - wanted) < std::abs(b - wanted);
    });
}

std::string DashName(double dashMm) {
    char buf[32];
    const auto end = std::to_chars(buf, buf + sizeof buf, dashMm).ptr;
    std::string name = "DASH_" + std::string(buf, end);
    std::replace(name.begin(), name.end(), '.', '_');
    return name;
}

struct Placed {
    const Element* element;
    double dx;  // where the drawing's origin lies in the DXF's x
};

class PlanWriter {
  public:
    PlanWriter(const plan::Plan& p, DxfLettering lettering)
        : lettering_(lettering), height_(LayOutSheet(p).heightMm), width_(LayOutSheet(p).widthMm) {
        const SheetLayout sheet = LayOutSheet(p);
        for (const Element& e : p.dial.elements) placed_.push_back({&e, 0});
        for (const Element& e : p.gnomon.elements) placed_.push_back({&e, sheet.gnomon.x});
        // The setting-out text lies under the gnomon: moved down here, so
        // that every entity is placed by its x shift alone.
        for (Element e : p.settingOut.elements) {
            for (plan::Point& q : e.points) q.y += sheet.settingOut.y;
            moved_.push_back(std::move(e));
        }
        for (const Element& e : moved_) placed_.push_back({&e, sheet.settingOut.x});
    }

    std::string Text() {
        dxf_.writeHeader(w_);
        w_.dxfString(9, "$DWGCODEPAGE");
        w_.dxfString(3, "ANSI_1252");
        w_.dxfString(9, "$INSUNITS");
        w_.dxfInt(70, 4);  // millimetres
        w_.dxfString(9, "$MEASUREMENT");
        w_.dxfInt(70, 1);  // metric
        w_.dxfString(9, "$EXTMIN");
        w_.dxfReal(10, 0);
        w_.dxfReal(20, 0);
        w_.dxfString(9, "$EXTMAX");
        w_.dxfReal(10, width_);
        w_.dxfReal(20, height_);
        w_.sectionEnd();
        Tables();
        Blocks();
        w_.sectionEntities();
        for (const Placed& p : placed_) Entity(*p.element, p.dx);
        w_.sectionEnd();
        dxf_.writeObjects(w_);
        dxf_.writeObjectsEnd(w_);
        w_.dxfEOF();
        return std::move(w_.text);
    }

  private:
    void Tables() {
        w_.sectionTables();
        dxf_.writeVPort(w_);

        std::map<std::string, double> dashes;
        for (const Placed& p : placed_) {
            if (p.element->dashMm > 0) dashes[DashName(p.element->dashMm)] = p.element->dashMm;
        }
        w_.tableLinetypes(static_cast<int>(3 + dashes.size()));
        for (const char* name : {"BYBLOCK", "BYLAYER", "CONTINUOUS"}) {
            dxf_.writeLinetype(w_, DL_LinetypeData(name, "", 0, 0, 0.0));
        }
        for (const auto& [name, dash] : dashes) {
            double pattern[2] = {dash, -dash};
            dxf_.writeLinetype(w_, DL_LinetypeData(name, "", 0, 2, 2 * dash, pattern));
        }
        w_.tableEnd();

        w_.tableLayers(static_cast<int>(1 + plan::kAllRoles.size()));
        dxf_.writeLayer(w_, DL_LayerData("0", 0), DL_Attributes("", 7, 0x000000, 25, "CONTINUOUS"));
        for (const Role role : plan::kAllRoles) {
            dxf_.writeLayer(w_, DL_LayerData(std::string(plan::RoleName(role)), 0),
                            DL_Attributes("", 7, 0x000000, 25, "CONTINUOUS"));
        }
        w_.tableEnd();

        w_.tableStyle(1);
        DL_StyleData style("Standard", 0, 0.0, 1.0, 0.0, 0, 2.5, "arial.ttf", "");
        dxf_.writeStyle(w_, style);
        w_.tableEnd();

        dxf_.writeView(w_);
        dxf_.writeUcs(w_);
        w_.tableAppid(1);
        dxf_.writeAppid(w_, "ACAD");
        w_.tableEnd();
        dxf_.writeDimStyle(w_, 2.5, 1.25, 0.625, 0.625, 2.5);
        dxf_.writeBlockRecord(w_);
        w_.tableEnd();
        w_.sectionEnd();
    }

    void Blocks() {
        w_.sectionBlocks();
        for (const char* name : {"*Model_Space", "*Paper_Space", "*Paper_Space0"}) {
            dxf_.writeBlock(w_, DL_BlockData(name, 0, 0.0, 0.0, 0.0));
            dxf_.writeEndBlock(w_, name);
        }
        w_.sectionEnd();
    }

    void Path(const Element& e, const std::vector<plan::Point>& points, bool closed, double dx) {
        dxf_.writePolyline(w_,
                           DL_PolylineData(static_cast<int>(points.size()), 0, 0, closed ? 1 : 0),
                           Attributes(e));
        for (const plan::Point& p : points) {
            dxf_.writeVertex(w_, DL_VertexData(p.x + dx, height_ - p.y, 0, 0));
        }
        dxf_.writePolylineEnd(w_);
    }

    DL_Attributes Attributes(const Element& e) const {
        const std::string linetype = e.dashMm > 0 ? DashName(e.dashMm) : "CONTINUOUS";
        // Colour 256 is "by layer"; the element's own colour is the true colour.
        return DL_Attributes(std::string(plan::RoleName(e.role)), 256, static_cast<int>(e.colour),
                             Lineweight(e.strokeMm), linetype);
    }

    void Entity(const Element& e, double dx) {
        const auto x = [dx](const plan::Point& p) { return p.x + dx; };
        const auto y = [this](const plan::Point& p) { return height_ - p.y; };
        switch (e.shape) {
            case Shape::Line:
                dxf_.writeLine(w_,
                               DL_LineData(x(e.points[0]), y(e.points[0]), 0, x(e.points[1]),
                                           y(e.points[1]), 0),
                               Attributes(e));
                return;
            case Shape::Polyline:
            case Shape::Polygon:
                Path(e, e.points, e.shape == Shape::Polygon, dx);
                return;
            case Shape::Circle:
                dxf_.writeCircle(w_, DL_CircleData(x(e.points[0]), y(e.points[0]), 0, e.radiusMm),
                                 Attributes(e));
                return;
            case Shape::Text: {
                if (lettering_ == DxfLettering::Outlines) {
                    for (const auto& contour : TextOutlines(e)) Path(e, contour, true, dx);
                    return;
                }
                // Justified text is placed by its alignment point; text at
                // the start of its baseline by its insertion point alone.
                const int justify = static_cast<int>(e.anchor);
                const double px = x(e.points[0]);
                const double py = y(e.points[0]);
                const DL_TextData text(px, py, 0, px, py, 0, e.textSizeMm * plan::kCapHeight, 1.0,
                                       0, justify, 0, DxfText(e.text), "Standard", 0.0);
                dxf_.writeText(w_, text, Attributes(e));
                return;
            }
        }
    }

    DxfLettering lettering_;
    std::deque<Element> moved_;  // stays where it is as it grows
    DL_Dxf dxf_;
    StringWriter w_;
    std::vector<Placed> placed_;
    double height_;
    double width_;
};

}  // namespace

std::string DxfText(std::string_view utf8) {
    std::string out;
    // \U+ takes four digits: the rare character beyond them is lost.
    pdf::AppendWin1252(out, utf8, [](char32_t cp, std::string& text) {
        if (cp > 0xFFFF) {
            text += '?';
            return;
        }
        const std::string digits = UpperHex(cp);
        text += "\\U+" + std::string(4 - digits.size(), '0') + digits;
    });
    for (char& c : out) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    }
    return out;
}

std::string PlanDxf(const plan::Plan& plan, DxfLettering lettering) {
    return PlanWriter(plan, lettering).Text();
}

void WritePlanDxf(const plan::Plan& plan, const std::filesystem::path& file,
                  DxfLettering lettering) {
    std::string error;
    if (!io::ReplaceFileContents(file, PlanDxf(plan, lettering), &error)) {
        throw TemplateWriteError(file, error);
    }
}

}  // namespace sundial::tmpl
