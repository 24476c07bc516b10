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
#include <sstream>
#include <utility>
#include <vector>

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

// The dashed linetypes, under the names CAD programs know and draw dashed
// by name even where they ignore a file's own patterns; each pattern is the
// plan's equal dash and gap. A dash takes the type whose dash is nearest.
struct Linetype {
    const char* name;
    const char* description;
    double dashMm;
};
constexpr std::array<Linetype, 3> kLinetypes = {{
    {"HIDDEN", "Hidden __ __ __ __", 2.5},     // the falling half of a figure-eight
    {"DASHED", "Dashed ___ ___ ___", 3},       // the substyle
    {"DASHEDX2", "Dashed (2x) ____ ____", 4},  // the horizon and equinoctial
}};

const Linetype& LinetypeFor(double dashMm) {
    return *std::min_element(kLinetypes.begin(), kLinetypes.end(),
                             [dashMm](const Linetype& a, const Linetype& b) {
                                 return std::abs(a.dashMm - dashMm) < std::abs(b.dashMm - dashMm);
                             });
}

// dxflib writes the objects without their owners. Each object is owned by
// the dictionary that names it (350, or 340 for a default entry); the root
// dictionary, the first, by nobody (0). The owner goes straight after the
// handle, where readers look for it.
std::string WithOwners(const std::string& objects) {
    std::vector<std::pair<std::string, std::string>> pairs;
    std::istringstream in(objects);
    for (std::string code, value; std::getline(in, code) && std::getline(in, value);) {
        code.erase(0, code.find_first_not_of(' '));
        pairs.emplace_back(code, value);
    }
    std::map<std::string, std::string> owner;
    std::string current;
    bool dictionary = false;
    for (const auto& [code, value] : pairs) {
        if (code == "0") dictionary = value == "DICTIONARY" || value == "ACDBDICTIONARYWDFLT";
        if (code == "5") current = value;
        if (dictionary && (code == "350" || code == "340")) owner.emplace(value, current);
    }
    std::string out;
    const auto append = [&out](const std::string& code, const std::string& value) {
        out.append(3 - std::min<std::size_t>(3, code.size()), ' ');
        out += code + '\n' + value + '\n';
    };
    for (const auto& [code, value] : pairs) {
        append(code, value);
        if (code != "5") continue;
        const auto found = owner.find(value);
        append("330", found == owner.end() ? "0" : found->second);
    }
    return out;
}

struct Placed {
    const Element* element;
    double dx;  // where the drawing's origin lies in the DXF's x
};

class PlanWriter {
  public:
    PlanWriter(const plan::Plan& p, DxfLettering lettering)
        : lettering_(lettering),
          height_(LayOutSheet(p).heightMm),
          // A dial without a gnomon (an analemmatic one) has no plate beside it.
          gnomon_(!p.gnomon.elements.empty()),
          width_(LayOutSheet(p).widthMm) {
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
        std::string text = std::move(w_.text);
        w_.text.clear();
        dxf_.writeObjects(w_);
        dxf_.writeObjectsEnd(w_);
        w_.dxfEOF();
        return text + WithOwners(w_.text);
    }

  private:
    void Tables() {
        w_.sectionTables();
        dxf_.writeVPort(w_);

        w_.tableLinetypes(static_cast<int>(3 + kLinetypes.size()));
        for (const char* name : {"BYBLOCK", "BYLAYER", "CONTINUOUS"}) {
            dxf_.writeLinetype(w_, DL_LinetypeData(name, "", 0, 0, 0.0));
        }
        for (const Linetype& type : kLinetypes) {
            double pattern[2] = {type.dashMm, -type.dashMm};
            dxf_.writeLinetype(
                w_, DL_LinetypeData(type.name, type.description, 0, 2, 2 * type.dashMm, pattern));
        }
        w_.tableEnd();

        // A dial without a gnomon has no layer for one.
        const bool gnomonLayer = gnomon_;
        w_.tableLayers(static_cast<int>(plan::kAllRoles.size() + (gnomonLayer ? 1 : 0)));
        dxf_.writeLayer(w_, DL_LayerData("0", 0), DL_Attributes("", 7, 0x000000, 25, "CONTINUOUS"));
        for (const Role role : plan::kAllRoles) {
            if (role == Role::GnomonPlate && !gnomonLayer) continue;
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
        const std::string linetype = e.dashMm > 0 ? LinetypeFor(e.dashMm).name : "CONTINUOUS";
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
    bool gnomon_;
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
    // A TEXT value's own codes: "%%" starts a symbol or a switch ("%%d" a
    // degree sign, "%%u" underlining) and "^" a control character ("^I" a
    // tab). Written "%%%" and "^ ", each reads as itself. A "%" that no
    // other follows starts nothing and is left alone, so that "5%" reads the
    // same in a program that knows no codes.
    std::string escaped;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const char c = out[i];
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            escaped += '?';
        } else if (c == '%' && i + 1 < out.size() && out[i + 1] == '%') {
            escaped += "%%%";
        } else if (c == '^') {
            escaped += "^ ";
        } else {
            escaped += c;
        }
    }
    return escaped;
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
