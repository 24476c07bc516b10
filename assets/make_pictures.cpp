// Draws the program's pictures from its own dial geometry: the splash picture
// (a dial painted on a stone wall), the thin title strip and the icon.
//
//     sundial_make_pictures <output folder>
//
// writes splash.png, strip.png and icon.png there, and the icon the desktop
// menus show in icons/: 48.png, 128.png, 256.png and scalable.svg.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <cmath>
#include <cstdio>
#include <vector>

#include "core/dial/dial_drawing.h"
#include "core/dial/geometry.h"
#include "core/site/site_state.h"

namespace {

using sundial::DrawingSurface;
using sundial::PrintItem;

// The bitmap sizes installed for the desktop's menus and launchers.
constexpr int kInstalledIconSizes[] = {48, 128, 256};

// A drawing surface over a painter: twips scaled by `scale` into pixels,
// shifted by `origin`. Only the line drawing the dial needs is supported.
class PainterSurface final : public DrawingSurface {
  public:
    PainterSurface(QPainter& painter, double width, double height, double scale, QPointF origin,
                   QColor ink)
        : p_(painter), w_(width), h_(height), scale_(scale), origin_(origin), ink_(ink) {}

    void Clear() override {}
    void PrintLine(std::vector<PrintItem>) override {}
    void SetLineWidth(int pixels) override { width_ = pixels; }
    void SetDotted(bool) override {}
    void Line(double x1, double y1, double x2, double y2) override {
        QPen pen(ink_, width_ * scale_ * 18, Qt::SolidLine, Qt::RoundCap);
        p_.setPen(pen);
        p_.drawLine(map(x1, y1), map(x2, y2));
    }
    void Point(double, double) override {}
    void Ellipse(double, double, double, double) override {}
    double Width() const override { return w_; }
    double Height() const override { return h_; }

    QPointF map(double x, double y) const { return origin_ + QPointF(x * scale_, y * scale_); }

  private:
    QPainter& p_;
    double w_;
    double h_;
    double scale_;
    QPointF origin_;
    QColor ink_;
    int width_ = 1;
};

sundial::DialGeometry ExampleDial() {
    sundial::SiteState site;
    site.PlaceName = "Exeter, Britain";
    site.Latitude = 50.7f;
    site.Longitude = 3.5f;
    site.WallBearing = sundial::kDefaultBearing;
    site.UtcOffset = 0;
    sundial::DeriveDeclination(site);
    return sundial::ComputeDial(site);
}

void StoneWall(QPainter& p, const QRect& area, int course) {
    QRandomGenerator random(1871);
    p.fillRect(area, QColor(196, 176, 140));
    for (int row = 0, y = area.top(); y < area.bottom(); ++row, y += course) {
        int x = area.left() - static_cast<int>(random.bounded(course * 2));
        while (x < area.right()) {
            const int length = course * 2 + static_cast<int>(random.bounded(course * 2));
            const int shade = static_cast<int>(random.bounded(30));
            QRect stone(x + 1, y + 1, length - 2, course - 2);
            p.fillRect(stone, QColor(200 - shade, 182 - shade, 146 - shade));
            x += length;
        }
    }
}

QImage SplashPicture(const sundial::DialGeometry& dial) {
    QImage image(418, 290, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    StoneWall(p, image.rect(), 22);

    // The painted panel, with a soft shadow under it.
    const QRectF panel(34, 18, 350, 254);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 50));
    p.drawRoundedRect(panel.translated(5, 6), 10, 10);
    QLinearGradient plaster(panel.topLeft(), panel.bottomRight());
    plaster.setColorAt(0, QColor(250, 244, 222));
    plaster.setColorAt(1, QColor(234, 224, 196));
    p.setBrush(plaster);
    p.setPen(QPen(QColor(120, 60, 40), 4));
    p.drawRoundedRect(panel, 10, 10);
    p.setPen(QPen(QColor(120, 60, 40), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(panel.adjusted(9, 9, -9, -9), 6, 6);

    // The program's own drawing of the Exeter dial, scaled onto the panel.
    const double w = 6000;
    const double h = 4300;
    const double scale = (panel.width() - 20) / w;
    const QPointF origin(panel.left() + 10, panel.top() + 4);
    PainterSurface surface(p, w, h, scale, origin, QColor(60, 40, 30));
    const sundial::DialRoot root = sundial::PrepareDialDrawing(surface);
    for (int hour = sundial::kFirstDialHour; hour <= sundial::kLastDialHour; ++hour) {
        sundial::DrawHourLine(surface, root, hour, dial.RawShadowAngle[hour]);
    }

    // The gnomon's plate along the foot line, and its shadow across the hours.
    const double offsetRad = sundial::DegToRad(dial.GnomonOffset);
    const QPointF foot = surface.map(root.x0, root.y0);
    const double length = (h - 1000) * scale;
    const QPointF tip = foot + QPointF(std::sin(offsetRad) * length, std::cos(offsetRad) * length);
    QPainterPath shadow;
    shadow.moveTo(foot);
    shadow.lineTo(tip);
    shadow.lineTo(tip + QPointF(-70, -12));
    shadow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 30, 20, 70));
    p.drawPath(shadow);
    QPainterPath plate;
    plate.moveTo(foot);
    plate.lineTo(tip);
    plate.lineTo(foot + QPointF(std::sin(offsetRad) * length * 0.15 + 26, 16));
    plate.closeSubpath();
    QLinearGradient iron(foot, tip);
    iron.setColorAt(0, QColor(70, 70, 76));
    iron.setColorAt(1, QColor(30, 30, 34));
    p.setBrush(iron);
    p.setPen(QPen(QColor(20, 20, 20), 1));
    p.drawPath(plate);

    // A small sun above the root.
    QRadialGradient sun(foot + QPointF(0, 222), 18);
    sun.setColorAt(0, QColor(250, 200, 60));
    sun.setColorAt(1, QColor(220, 140, 30));
    p.setBrush(sun);
    p.setPen(QPen(QColor(150, 80, 20), 1.5));
    p.drawEllipse(foot + QPointF(0, 222), 13, 13);
    return image;
}

QImage TitleStrip(const sundial::DialGeometry& dial) {
    QImage image(359, 11, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient band(0, 0, 0, 11);
    band.setColorAt(0, QColor(238, 226, 196));
    band.setColorAt(1, QColor(206, 188, 150));
    p.fillRect(image.rect(), band);
    // The hour lines where they cross a level band of the wall.
    p.setPen(QPen(QColor(90, 50, 30), 1.2));
    const double centre = 179.5;
    for (int hour = sundial::kFirstDialHour; hour <= sundial::kLastDialHour; ++hour) {
        const double angle = sundial::DegToRad(dial.RawShadowAngle[hour]);
        if (std::abs(std::cos(angle)) < 0.2) continue;
        const double x = centre - 60 * std::tan(angle);
        if (x < 2 || x > 357) continue;
        p.drawLine(QPointF(x, 2), QPointF(x, 9));
    }
    p.setPen(QPen(QColor(40, 40, 44), 2.2));
    p.drawLine(QPointF(centre, 0), QPointF(centre, 11));
    p.setPen(QPen(QColor(120, 60, 40), 1));
    p.drawRect(QRectF(0.5, 0.5, 358, 10));
    return image;
}

// The icon as shapes on a 64-unit square, y down: a plaster panel, the Exeter
// dial's hour lines from 7 to 17 fanning down from the gnomon's root, and the
// gnomon's plate. Painted at every size and written as SVG from the same shapes.
struct IconShapes {
    QRectF panel{3, 3, 58, 58};
    double panelRadius = 8;
    double panelEdge = 3;
    QColor plaster{250, 240, 200};
    QColor edge{120, 60, 40};
    QPointF root{32, 8};
    std::vector<QPointF> hourEnds;
    double hourWidth = 1.6;
    QColor ink{60, 40, 30};
    std::vector<QPointF> gnomon{{32, 8}, {34, 52}, {46, 24}};
    QColor iron{50, 50, 56};
};

IconShapes IconOf(const sundial::DialGeometry& dial) {
    IconShapes icon;
    for (int hour = 7; hour <= 17; ++hour) {
        const double angle = sundial::DegToRad(dial.RawShadowAngle[hour]);
        icon.hourEnds.push_back(icon.root + QPointF(-std::sin(angle) * 50, std::cos(angle) * 50));
    }
    return icon;
}

QImage Icon(const IconShapes& icon, int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    QPainterPath inside;
    inside.addRoundedRect(icon.panel, icon.panelRadius, icon.panelRadius);
    p.fillPath(inside, icon.plaster);
    // The lines stop at the panel's edge, which is drawn over their ends.
    p.setClipPath(inside);
    p.setPen(QPen(icon.ink, icon.hourWidth));
    for (const QPointF& end : icon.hourEnds) p.drawLine(icon.root, end);
    p.setBrush(icon.iron);
    p.setPen(Qt::NoPen);
    p.drawPolygon(icon.gnomon.data(), static_cast<int>(icon.gnomon.size()));
    p.setClipping(false);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(icon.edge, icon.panelEdge));
    p.drawRoundedRect(icon.panel, icon.panelRadius, icon.panelRadius);
    return image;
}

QString SvgNumber(double value) {
    return QString::number(value, 'g', 6);
}

QByteArray IconSvg(const IconShapes& icon) {
    QString svg = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"64\" height=\"64\" "
        "viewBox=\"0 0 64 64\">\n");
    const QString panel = QStringLiteral("x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" rx=\"%5\"")
                              .arg(SvgNumber(icon.panel.x()), SvgNumber(icon.panel.y()),
                                   SvgNumber(icon.panel.width()), SvgNumber(icon.panel.height()),
                                   SvgNumber(icon.panelRadius));
    svg += QStringLiteral("  <clipPath id=\"panel\"><rect %1/></clipPath>\n").arg(panel);
    svg += QStringLiteral("  <rect %1 fill=\"%2\"/>\n").arg(panel, icon.plaster.name());
    svg += QStringLiteral(
               "  <g clip-path=\"url(#panel)\">\n"
               "    <g stroke=\"%1\" stroke-width=\"%2\" stroke-linecap=\"square\">\n")
               .arg(icon.ink.name(), SvgNumber(icon.hourWidth));
    for (const QPointF& end : icon.hourEnds) {
        svg += QStringLiteral("      <line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%4\"/>\n")
                   .arg(SvgNumber(icon.root.x()), SvgNumber(icon.root.y()), SvgNumber(end.x()),
                        SvgNumber(end.y()));
    }
    svg += QStringLiteral("    </g>\n    <path fill=\"%1\" d=\"").arg(icon.iron.name());
    for (size_t i = 0; i < icon.gnomon.size(); ++i) {
        svg += QStringLiteral("%1%2 %3 ")
                   .arg(i == 0 ? "M" : "L", SvgNumber(icon.gnomon[i].x()),
                        SvgNumber(icon.gnomon[i].y()));
    }
    svg += QStringLiteral("Z\"/>\n  </g>\n");
    svg += QStringLiteral("  <rect %1 fill=\"none\" stroke=\"%2\" stroke-width=\"%3\"/>\n</svg>\n")
               .arg(panel, icon.edge.name(), SvgNumber(icon.panelEdge));
    return svg.toUtf8();
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

}  // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const sundial::DialGeometry dial = ExampleDial();
    const IconShapes icon = IconOf(dial);
    bool ok = SplashPicture(dial).save(out.filePath(QStringLiteral("splash.png"))) &&
              TitleStrip(dial).save(out.filePath(QStringLiteral("strip.png"))) &&
              Icon(icon, 64).save(out.filePath(QStringLiteral("icon.png"))) &&
              out.mkpath(QStringLiteral("icons")) &&
              WriteFile(out.filePath(QStringLiteral("icons/scalable.svg")), IconSvg(icon));
    for (const int size : kInstalledIconSizes) {
        ok = ok && Icon(icon, size).save(out.filePath(QStringLiteral("icons/%1.png").arg(size)));
    }
    if (!ok) std::fprintf(stderr, "could not write the pictures to %s\n", argv[1]);
    return ok ? 0 : 1;
}
