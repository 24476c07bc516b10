#include "core/template/svg_template.h"

#include <algorithm>
#include <string>

#include "core/io/atomic_file.h"
#include "core/io/clean_text.h"
#include "core/plan/text_metrics.h"
#include "core/site/number_text.h"
#include "core/template/template_error.h"

namespace sundial::tmpl {

namespace {

using plan::Anchor;
using plan::Element;
using plan::Point;
using plan::Role;
using plan::Shape;

// Millimetres to a micrometre, with a full stop whatever the locale.
std::string Num(double value) {
    return PlacesText(value, 3);
}

std::string Colour(std::uint32_t rgb) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string s = "#";
    for (int shift = 20; shift >= 0; shift -= 4) s += kHex[(rgb >> shift) & 0xF];
    return s;
}

// Well-formed UTF-8 first: one stray byte would make the whole file
// unreadable as XML.
std::string Escaped(const std::string& text) {
    std::string out;
    for (const char c : io::CleanText(text).text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string Points(const std::vector<Point>& points) {
    std::string s;
    s.reserve(points.size() * 16);
    for (const Point& p : points) {
        if (!s.empty()) s += ' ';
        AppendPlacesText(s, p.x, 3);
        s += ',';
        AppendPlacesText(s, p.y, 3);
    }
    return s;
}

std::string Paint(const Element& e) {
    std::string s;
    s += e.filled ? " fill=\"" + Colour(e.colour) + "\"" : " fill=\"none\"";
    if (e.strokeMm > 0) {
        s += " stroke=\"" + Colour(e.colour) + "\" stroke-width=\"" + Num(e.strokeMm) + "\"";
        if (e.dashMm > 0) s += " stroke-dasharray=\"" + Num(e.dashMm) + " " + Num(e.dashMm) + "\"";
    } else {
        s += " stroke=\"none\"";
    }
    return s;
}

std::string ElementSvg(const Element& e) {
    const std::string hour = e.hour ? " data-hour=\"" + Num(*e.hour) + "\"" : "";
    switch (e.shape) {
        case Shape::Line:
            return "<line x1=\"" + Num(e.points[0].x) + "\" y1=\"" + Num(e.points[0].y) +
                   "\" x2=\"" + Num(e.points[1].x) + "\" y2=\"" + Num(e.points[1].y) + "\"" +
                   Paint(e) + hour + "/>";
        case Shape::Polyline:
        case Shape::Polygon: {
            const char* tag = e.shape == Shape::Polygon ? "polygon" : "polyline";
            const std::string title =
                e.text.empty() ? "" : " data-label=\"" + Escaped(e.text) + "\"";
            return std::string("<") + tag + " points=\"" + Points(e.points) + "\"" + Paint(e) +
                   title + "/>";
        }
        case Shape::Circle:
            return "<circle cx=\"" + Num(e.points[0].x) + "\" cy=\"" + Num(e.points[0].y) +
                   "\" r=\"" + Num(e.radiusMm) + "\"" + Paint(e) + "/>";
        case Shape::Text: {
            static constexpr const char* kAnchors[] = {"start", "middle", "end"};
            // The width the layout measured, stated so that a viewer with a
            // face of other widths still fits the text to the same box.
            const double width = plan::TextWidthMm(e.text, e.textSizeMm, e.bold);
            return "<text x=\"" + Num(e.points[0].x) + "\" y=\"" + Num(e.points[0].y) +
                   "\" font-size=\"" + Num(e.textSizeMm) + "\" text-anchor=\"" +
                   kAnchors[static_cast<int>(e.anchor)] + "\"" +
                   (e.bold ? " font-weight=\"bold\"" : "") + " textLength=\"" + Num(width) +
                   "\" lengthAdjust=\"spacingAndGlyphs\" fill=\"" + Colour(e.colour) + "\"" + hour +
                   ">" + Escaped(e.text) + "</text>";
        }
    }
    return "";
}

void Group(std::string& out, Role role, const std::vector<Element>& elements,
           const std::string& transform = "") {
    const std::string name(plan::RoleName(role));
    out += "<g id=\"" + name + "\" inkscape:groupmode=\"layer\" inkscape:label=\"" + name + "\"" +
           transform + " stroke-linecap=\"round\" stroke-linejoin=\"round\">\n";
    for (const Element& e : elements) {
        if (e.role == role) out += "  " + ElementSvg(e) + "\n";
    }
    out += "</g>\n";
}

}  // namespace

SheetLayout LayOutSheet(const plan::Plan& p) {
    SheetLayout s;
    s.gnomon = {p.dial.widthMm + kGnomonGapMm, 0};
    s.settingOut = {s.gnomon.x, p.gnomon.heightMm + kGnomonGapMm};
    // A dial with neither gnomon nor setting-out page (an analemmatic one)
    // has nothing beside it.
    const bool beside = !p.gnomon.elements.empty() || !p.settingOut.elements.empty();
    s.widthMm =
        beside ? s.gnomon.x + std::max(p.gnomon.widthMm, p.settingOut.widthMm) : p.dial.widthMm;
    s.heightMm = std::max(p.dial.heightMm, p.settingOut.elements.empty()
                                               ? p.gnomon.heightMm
                                               : s.settingOut.y + p.settingOut.heightMm);
    return s;
}

std::string PlanSvg(const plan::Plan& p) {
    const SheetLayout sheet = LayOutSheet(p);
    const double width = sheet.widthMm, height = sheet.heightMm;
    std::string out =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" "
        "xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\" version=\"1.1\" "
        "width=\"" +
        Num(width) + "mm\" height=\"" + Num(height) + "mm\" viewBox=\"0 0 " + Num(width) + " " +
        Num(height) + "\" font-family=\"'" + plan::kTextFamily + "', sans-serif\">\n";
    const auto at = [](plan::Point o) {
        return " transform=\"translate(" + Num(o.x) + " " + Num(o.y) + ")\"";
    };
    for (const Role role : plan::kAllRoles) {
        if (role != Role::GnomonPlate && role != Role::SettingOut) {
            Group(out, role, p.dial.elements);
        }
    }
    // A dial without a gnomon (an analemmatic one) has no plate beside it,
    // and keeps its setting-out strip on the dial itself.
    if (!p.gnomon.elements.empty()) {
        Group(out, Role::GnomonPlate, p.gnomon.elements, at(sheet.gnomon));
    }
    if (p.settingOut.elements.empty()) {
        Group(out, Role::SettingOut, p.dial.elements);
    } else {
        Group(out, Role::SettingOut, p.settingOut.elements, at(sheet.settingOut));
    }
    out += "</svg>\n";
    return out;
}

void WriteTextFile(const std::filesystem::path& file, const std::string& text) {
    // As the PDF sheets: the old file stays until the new one is whole, and a
    // pipe is written through (a FIFO nobody reads fails at once).
    io::AtomicFile out(file, io::SpecialTarget::WriteThrough);
    if (!(out.Open() && out.Write(text) && out.Commit())) {
        throw TemplateWriteError(file, out.Error());
    }
}

}  // namespace sundial::tmpl
