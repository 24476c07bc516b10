#include "ui/template/plane_panel.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSignalBlocker>
#include <algorithm>
#include <iterator>

namespace sundial {

namespace {

constexpr double kDefaultWidthMm = 600;
constexpr double kDefaultHeightMm = 450;
constexpr double kDefaultMajorMm = 1000;
constexpr const char* kTypeWords[] = {"vertical", "horizontal", "polar", "equatorial",
                                      "analemmatic"};
constexpr ChoiceWords kTypeChoice{"dial", kTypeWords};
constexpr int kTypes = static_cast<int>(std::size(kTypeWords));

}  // namespace

PlanePanel::PlanePanel(QWidget* parent) : QGroupBox(tr("Dial"), parent) {
    setObjectName("grpPlane");
    const QLocale locale;
    auto* form = new QFormLayout(this);
    cboDialType = new QComboBox(this);
    cboDialType->setObjectName("cboDialType");
    cboDialType->addItems(
        {tr("Vertical"), tr("Horizontal"), tr("Polar"), tr("Equatorial"), tr("Analemmatic")});
    txtBearing = NumberBox(this, "txtBearing");
    txtBearing->setToolTip(
        tr("The direction the face looks, degrees from north (0 to 360); on a "
           "horizontal dial, the direction of the plate's bottom edge"));
    txtRecline = NumberBox(this, "txtRecline", locale.toString(0));
    txtRecline->setToolTip(tr("0 upright, 90 facing up, negative leaning forward"));
    txtWidth = NumberBox(this, "txtWidth", locale.toString(kDefaultWidthMm));
    txtHeight = NumberBox(this, "txtHeight", locale.toString(kDefaultHeightMm));
    txtMajor = NumberBox(this, "txtMajor", locale.toString(kDefaultMajorMm));
    txtMajor->setToolTip(
        tr("An analemmatic dial's ellipse: half its east-west axis, mm (100 to 2000); the plate "
           "is then the one that holds it"));
    form->addRow(tr("Type"), cboDialType);
    form->addRow(tr("Bearing (\u00b0)"), txtBearing);
    form->addRow(tr("Recline (\u00b0)"), txtRecline);
    form->addRow(tr("Plate width (mm)"), txtWidth);
    form->addRow(tr("Plate height (mm)"), txtHeight);
    form->addRow(tr("Semi-major axis (mm)"), txtMajor);

    // A horizontal dial starts with north at the top of the plate.
    connect(cboDialType, &QComboBox::currentIndexChanged, this, [this](int index) {
        EnableForType();
        if (static_cast<tmpl::DialType>(index) != tmpl::DialType::Horizontal) return;
        ShowBearing(180);
    });
    connect(cboDialType, &QComboBox::currentIndexChanged, this, &PlanePanel::Changed);
    for (QLineEdit* box : {txtBearing, txtRecline, txtWidth, txtHeight, txtMajor}) {
        connect(box, &QLineEdit::textChanged, this, &PlanePanel::Changed);
    }
    EnableForType();
}

tmpl::DialType PlanePanel::Type() const {
    return static_cast<tmpl::DialType>(std::clamp(cboDialType->currentIndex(), 0, kTypes - 1));
}

std::optional<double> PlanePanel::Bearing(QString& message) const {
    const auto bearing = ReadNumber(*txtBearing, tr("the bearing"), message);
    if (!bearing) return std::nullopt;
    if (!(*bearing >= 0 && *bearing <= 360)) {
        message = tr("The bearing must be from 0 to 360 degrees.");
        return std::nullopt;
    }
    return bearing;
}

std::optional<engine::Plane> PlanePanel::ReadPlane(const SiteState& site, QString& message) const {
    const auto bearing = ReadNumber(*txtBearing, tr("the bearing"), message);
    if (!bearing) return std::nullopt;
    const auto recline = ReadNumber(*txtRecline, tr("the recline"), message);
    if (!recline) return std::nullopt;
    tmpl::PlaneChoice choice;
    choice.type = Type();
    choice.reclineDeg = choice.type == tmpl::DialType::Vertical ? *recline : 0;
    choice.bearingGiven = true;
    SiteState facing = site;
    facing.WallBearing = QString::number(*bearing, 'g', 10).toStdString();
    const engine::Plane plane = tmpl::PlaneFor(choice, facing);
    if (const auto problem = engine::CheckPlane(plane)) {
        message = QString::fromStdString(*problem);
        return std::nullopt;
    }
    return plane;
}

bool PlanePanel::ReadPlate(plan::PlanOptions& o, QString& message) const {
    if (Type() == tmpl::DialType::Analemmatic) {
        const auto major = ReadNumber(*txtMajor, tr("the semi-major axis"), message);
        if (!major) return false;
        o.analemmaticMajorMm = *major;
        o.widthMm = o.heightMm = 0;
        return true;
    }
    const auto width = ReadNumber(*txtWidth, tr("the plate's width"), message);
    if (!width) return false;
    const auto height = ReadNumber(*txtHeight, tr("the plate's height"), message);
    if (!height) return false;
    o.widthMm = *width;
    o.heightMm = *height;
    return true;
}

void PlanePanel::ShowBearing(double bearingDeg) {
    const QSignalBlocker block(txtBearing);
    txtBearing->setText(QLocale().toString(bearingDeg));
}

void PlanePanel::Store(ProjectOptions& options) const {
    StoreChoice(options, kTypeChoice, *cboDialType);
    if (Type() == tmpl::DialType::Analemmatic) {
        StoreNumber(options, "major", *txtMajor);
        return;
    }
    StoreNumber(options, "width", *txtWidth);
    StoreNumber(options, "height", *txtHeight);
    if (Type() == tmpl::DialType::Vertical) StoreNumber(options, "recline", *txtRecline);
}

void PlanePanel::Show(const ProjectOptions& options) {
    const QSignalBlocker block(this);
    ShowChoice(options, kTypeChoice, *cboDialType);
    ShowNumber(options, "width", *txtWidth);
    ShowNumber(options, "height", *txtHeight);
    ShowNumber(options, "recline", *txtRecline, QLocale().toString(0));
    ShowNumber(options, "major", *txtMajor, QLocale().toString(kDefaultMajorMm));
}

void PlanePanel::EnableForType() {
    const tmpl::DialType type = Type();
    txtBearing->setEnabled(type == tmpl::DialType::Vertical || type == tmpl::DialType::Horizontal);
    txtRecline->setEnabled(type == tmpl::DialType::Vertical);
    // An analemmatic dial's plate is the one its ellipse needs.
    const bool analemmatic = type == tmpl::DialType::Analemmatic;
    txtMajor->setEnabled(analemmatic);
    txtWidth->setEnabled(!analemmatic);
    txtHeight->setEnabled(!analemmatic);
}

}  // namespace sundial
