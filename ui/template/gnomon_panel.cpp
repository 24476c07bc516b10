#include "ui/template/gnomon_panel.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>

namespace sundial {

namespace {

constexpr double kDefaultNodusMm = 150;

}  // namespace

GnomonPanel::GnomonPanel(QWidget* parent) : QGroupBox(tr("Gnomon"), parent) {
    setObjectName("grpGnomon");
    const QLocale locale;
    auto* form = new QFormLayout(this);
    optRootTop = new QRadioButton(tr("Root where the lines fan across the plate"), this);
    optRootTop->setObjectName("optRootTop");
    optRootTop->setChecked(true);
    optRootAt = new QRadioButton(tr("At, from the top left:"), this);
    optRootAt->setObjectName("optRootAt");
    txtRootX = NumberBox(this, "txtRootX");
    txtRootY = NumberBox(this, "txtRootY");
    form->addRow(optRootTop);
    form->addRow(optRootAt);
    form->addRow(tr("Across (mm)"), txtRootX);
    form->addRow(tr("Down (mm)"), txtRootY);
    optFootAt = new QRadioButton(tr("Nodus foot at, from the top left:"), this);
    optFootAt->setObjectName("optFootAt");
    optFootAt->setToolTip(
        tr("The plate point under the nodus, for dials whose root lies far off "
           "the plate or at infinity (polar dials, east and west walls)"));
    txtFootX = NumberBox(this, "txtFootX");
    txtFootY = NumberBox(this, "txtFootY");
    txtNodusHeight = NumberBox(this, "txtNodusHeight");
    form->addRow(optFootAt);
    form->addRow(tr("Across (mm)"), txtFootX);
    form->addRow(tr("Down (mm)"), txtFootY);
    form->addRow(tr("Height (mm)"), txtNodusHeight);
    txtNodus = NumberBox(this, "txtNodus", locale.toString(kDefaultNodusMm));
    txtStyle = NumberBox(this, "txtStyle");
    txtStyle->setPlaceholderText(tr("nodus"));
    txtStyle->setToolTip(tr("The gnomon's sloping edge; empty: as long as the nodus distance"));
    txtThickness = NumberBox(this, "txtThickness");
    txtThickness->setPlaceholderText(tr("thin"));
    form->addRow(tr("Nodus along the style (mm)"), txtNodus);
    form->addRow(tr("Style length (mm)"), txtStyle);
    form->addRow(tr("Style thickness (mm)"), txtThickness);

    // Choosing a root of one's own starts from where it is now, the middle of
    // the top edge (before the plan is rebuilt with the boxes empty).
    connect(optRootAt, &QRadioButton::toggled, this, [this](bool on) {
        if (!on || !plateWidthMm_ || !txtRootX->text().isEmpty() || !txtRootY->text().isEmpty()) {
            return;
        }
        const QSignalBlocker blockX(txtRootX), blockY(txtRootY);
        txtRootX->setText(QLocale().toString(*plateWidthMm_ / 2));
        txtRootY->setText(QLocale().toString(0));
    });
    for (QLineEdit* box : {txtRootX, txtRootY, txtFootX, txtFootY, txtNodusHeight, txtNodus,
                           txtStyle, txtThickness}) {
        connect(box, &QLineEdit::textChanged, this, &GnomonPanel::Changed);
    }
    for (QRadioButton* b : {optRootTop, optRootAt, optFootAt}) {
        connect(b, &QRadioButton::toggled, this, &GnomonPanel::Changed);
    }
}

bool GnomonPanel::Read(plan::PlanOptions& o, bool needsNodus, QString& message) const {
    if (optRootAt->isChecked()) {
        const auto x = ReadNumber(*txtRootX, tr("the root's distance across"), message);
        if (!x) return false;
        const auto y = ReadNumber(*txtRootY, tr("the root's distance down"), message);
        if (!y) return false;
        o.root = plan::Point{*x, *y};
    }
    if (optFootAt->isChecked()) {
        const auto x = ReadNumber(*txtFootX, tr("the nodus foot's distance across"), message);
        if (!x) return false;
        const auto y = ReadNumber(*txtFootY, tr("the nodus foot's distance down"), message);
        if (!y) return false;
        const auto height = ReadNumber(*txtNodusHeight, tr("the nodus's height"), message);
        if (!height) return false;
        o.foot = plan::Point{*x, *y};
        o.nodusHeightMm = *height;
    }
    if (needsNodus && !o.foot) {
        const auto nodus = ReadNumber(*txtNodus, tr("the nodus distance"), message);
        if (!nodus) return false;
        o.nodusMm = *nodus;
    }
    if (!txtStyle->text().trimmed().isEmpty()) {
        const auto style = ReadNumber(*txtStyle, tr("the style's length"), message);
        if (!style) return false;
        o.styleMm = *style;
    }
    if (!txtThickness->text().trimmed().isEmpty()) {
        const auto thickness = ReadNumber(*txtThickness, tr("the style's thickness"), message);
        if (!thickness) return false;
        o.extras.styleThicknessMm = *thickness;
    }
    return true;
}

void GnomonPanel::EnableFor(bool needsNodus) {
    const bool rootAt = optRootAt->isChecked(), footAt = optFootAt->isChecked();
    txtRootX->setEnabled(rootAt);
    txtRootY->setEnabled(rootAt);
    for (QLineEdit* box : {txtFootX, txtFootY, txtNodusHeight}) box->setEnabled(footAt);
    txtNodus->setEnabled(!footAt && needsNodus);
}

void GnomonPanel::Store(const plan::PlanOptions& read, ProjectOptions& options) const {
    if (optRootAt->isChecked()) {
        StoreNumber(options, "root-x", *txtRootX);
        StoreNumber(options, "root-y", *txtRootY);
    }
    if (optFootAt->isChecked()) {
        StoreNumber(options, "foot-x", *txtFootX);
        StoreNumber(options, "foot-y", *txtFootY);
        StoreNumber(options, "nodus-height", *txtNodusHeight);
    }
    const bool needsNodus = read.dateLines || read.noonCurve || read.extras.NeedsNodus();
    if (!optFootAt->isChecked() && needsNodus) StoreNumber(options, "nodus", *txtNodus);
    StoreNumber(options, "style", *txtStyle);
    StoreNumber(options, "style-thickness", *txtThickness);
}

void GnomonPanel::Show(const ProjectOptions& options) {
    const QSignalBlocker block(this);
    const QLocale locale;
    for (const auto& [name, box] : {std::pair{"root-x", txtRootX},
                                    {"root-y", txtRootY},
                                    {"foot-x", txtFootX},
                                    {"foot-y", txtFootY},
                                    {"nodus-height", txtNodusHeight},
                                    {"style", txtStyle},
                                    {"style-thickness", txtThickness}}) {
        ShowNumber(options, name, *box);
    }
    ShowNumber(options, "nodus", *txtNodus, locale.toString(kDefaultNodusMm));
    // As the command line places a root given by one coordinate only.
    const bool rootAt = GivenOption(options, "root-x") || GivenOption(options, "root-y");
    const std::string* width = GivenOption(options, "width");
    if (rootAt && !GivenOption(options, "root-x") && width) {
        txtRootX->setText(ShortestNumber(QString::fromStdString(*width).toDouble() / 2, locale));
    }
    if (rootAt && !GivenOption(options, "root-y")) txtRootY->setText(locale.toString(0));
    (rootAt ? optRootAt : optRootTop)->setChecked(true);
    if (GivenOption(options, "foot-x")) optFootAt->setChecked(true);
}

}  // namespace sundial
