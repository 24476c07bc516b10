#include "ui/dialogs/bearing_dialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/shell/main_window_api.h"

namespace sundial {

frmBearing::frmBearing(MainWindowApi& main, WarnFunction warn, QWidget* parent)
    : InputDialog("frmBearing", QStringLiteral("Wall Bearing"), main, std::move(warn), parent) {
    auto* fraFrame = new QGroupBox(QStringLiteral("Set Wall Bearing"), this);
    fraFrame->setObjectName("fraFrame");
    lblPrompt = new QLabel(fraFrame);
    lblPrompt->setObjectName("lblPrompt");
    txtBearing = new QLineEdit(fraFrame);
    txtBearing->setObjectName("txtBearing");
    cmdAccept = new QPushButton(QStringLiteral("Go"), fraFrame);
    cmdAccept->setObjectName("cmdAccept");
    cmdAccept->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), fraFrame);
    cmdCancel->setObjectName("cmdCancel");

    auto* row = new QHBoxLayout;
    row->addWidget(txtBearing);
    row->addWidget(cmdAccept);
    row->addWidget(cmdCancel);
    auto* inner = new QVBoxLayout(fraFrame);
    inner->addWidget(lblPrompt);
    inner->addLayout(row);
    SetFrame(fraFrame);

    connect(cmdAccept, &QPushButton::clicked, this, &frmBearing::cmdAccept_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmBearing::cmdCancel_Click);
    Form_Load();
}

void frmBearing::Form_Load() {
    lblPrompt->setText(QStringLiteral("Enter true bearing between 110 to 250 degrees."));
    Restore();
}

void frmBearing::Restore() {
    txtBearing->setText(LocaleText(main_.Site().WallBearing));
}

void frmBearing::cmdAccept_Click() {
    const BearingVerdict verdict = CheckBearing(ReadNumber(*txtBearing));
    switch (verdict.outcome) {
        case InputOutcome::Restore:
            Restore();
            return;
        case InputOutcome::Warn:
            if (Warn(verdict.message)) Restore();
            return;
        case InputOutcome::Accept:
            break;
    }
    MainWindowApi& main = main_;
    ApplyBearing(main.Site(), verdict.bearingText);
    close();
    main.mnuRun_Click();
}

void frmBearing::cmdCancel_Click() {
    close();
}

}  // namespace sundial
