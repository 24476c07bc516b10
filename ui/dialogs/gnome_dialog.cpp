#include "ui/dialogs/gnome_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include "ui/shell/main_window_api.h"

namespace sundial {

namespace {

// Client area and controls, 1/1440 inch.
constexpr double kClientWidth = 4800;
constexpr double kClientHeight = 2760;
constexpr double kTopX = 1320, kTopY = 600;         // where the angle is
constexpr double kCornerX = 1320, kCornerY = 2040;  // the right angle
constexpr double kFootX = 840, kFootY = 2040;       // foot of the sloping side

}  // namespace

frmGnome::frmGnome(MainWindowApi& main, WarnFunction warn, QWidget* parent)
    : InputDialog("frmGnome", QStringLiteral("Gnomon"), main, std::move(warn), parent) {
    const TwipScale px = Scale();
    setFixedSize(px.size(kClientWidth, kClientHeight));

    lblAdjacent = new QLabel(QStringLiteral("Measure length"), this);
    lblAdjacent->setObjectName("lblAdjacent");
    lblAdjacent->setGeometry(px.rect({1440, 1020, 1500, 270}));
    txtAdjacent = new QLineEdit(this);
    txtAdjacent->setObjectName("txtAdjacent");
    txtAdjacent->setGeometry(px.rect({1440, 1320, 1000, 330}));

    // Right-aligned so the number ends just short of the sloping side.
    lblHypothenuse = new QLabel(this);
    lblHypothenuse->setObjectName("lblHypothenuse");
    lblHypothenuse->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblHypothenuse->setGeometry(px.rect({60, 1170, 900, 270}));
    lblOpposite = new QLabel(this);
    lblOpposite->setObjectName("lblOpposite");
    lblOpposite->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblOpposite->setGeometry(px.rect({kFootX - 300, kFootY + 90, 1080, 270}));

    cmdCalculate = new QPushButton(QStringLiteral("Calculate"), this);
    cmdCalculate->setObjectName("cmdCalculate");
    cmdCalculate->setDefault(true);
    cmdCalculate->setGeometry(px.rect({3240, 1020, 1320, 420}));
    cmdCancel = new QPushButton(QStringLiteral("Done"), this);
    cmdCancel->setObjectName("cmdCancel");
    cmdCancel->setGeometry(px.rect({3240, 1620, 1320, 420}));

    connect(cmdCalculate, &QPushButton::clicked, this, &frmGnome::cmdCalculate_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmGnome::cmdCancel_Click);
    Form_Load();
}

void frmGnome::Form_Load() {
    // Printed once: the line keeps the angle the dialog opened with, while
    // "Calculate" always takes the current one.
    const float angle = main_.Dial().GnomonAngle;
    printed_ = {QString(), LocaleSentence(ForwardAngleLine(angle),
                                          TwoDecimalFormat(FloorTenthsSingle(angle)))};
    txtAdjacent->setText(LocaleText(kDefaultGnomonLength));
}

void frmGnome::cmdCalculate_Click() {
    const GnomonVerdict verdict =
        CheckGnomonLength(ReadNumber(*txtAdjacent), main_.Dial().GnomonAngle);
    switch (verdict.outcome) {
        case InputOutcome::Restore:
            break;
        case InputOutcome::Warn:
            if (!Warn(verdict.message)) return;
            break;
        case InputOutcome::Accept:
            lblHypothenuse->setText(LocaleText(verdict.sides.hypotenuse));
            lblOpposite->setText(LocaleText(verdict.sides.opposite));
            return;
    }
    txtAdjacent->setText(LocaleText(kDefaultGnomonLength));
}

void frmGnome::cmdCancel_Click() {
    close();
}

void frmGnome::paintEvent(QPaintEvent* event) {
    InputDialog::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const QFontMetrics metrics(font());
    int baseline = metrics.ascent();
    for (const QString& line : printed_) {
        painter.drawText(0, baseline, line);
        baseline += metrics.height();
    }
    const TwipScale px = Scale();
    const QPoint top(px.x(kTopX), px.y(kTopY));
    const QPoint corner(px.x(kCornerX), px.y(kCornerY));
    const QPoint foot(px.x(kFootX), px.y(kFootY));
    painter.drawLine(top, corner);   // measured side
    painter.drawLine(foot, corner);  // level side
    painter.drawLine(top, foot);     // sloping side
}

}  // namespace sundial
