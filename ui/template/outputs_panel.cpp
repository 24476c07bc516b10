#include "ui/template/outputs_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QSignalBlocker>
#include <algorithm>
#include <iterator>

namespace sundial {

namespace {

constexpr const char* kPaperWords[] = {"a4", "letter", "a3"};
constexpr tmpl::Paper kPapers[] = {tmpl::Paper::A4, tmpl::Paper::Letter, tmpl::Paper::A3};
constexpr ChoiceWords kPaperChoice{"paper", kPaperWords};
static_assert(std::size(kPaperWords) == std::size(kPapers));

}  // namespace

OutputsPanel::OutputsPanel(QWidget* parent) : QGroupBox(tr("Paper and files"), parent) {
    setObjectName("grpOutputs");
    auto* grid = new QGridLayout(this);
    cboPaper = new QComboBox(this);
    cboPaper->setObjectName("cboPaper");
    cboPaper->addItems({"A4", "Letter", "A3"});
    chkLandscape = new QCheckBox(tr("Landscape"), this);
    chkLandscape->setObjectName("chkLandscape");
    chkOutlines = new QCheckBox(tr("DXF text as outlines (engraving)"), this);
    chkOutlines->setObjectName("chkOutlines");
    grid->addWidget(cboPaper, 0, 0);
    grid->addWidget(chkLandscape, 0, 1);
    grid->addWidget(chkOutlines, 1, 0, 1, 2);
    grid->setColumnStretch(2, 1);
    connect(cboPaper, &QComboBox::currentIndexChanged, this, &OutputsPanel::Changed);
    connect(chkLandscape, &QCheckBox::toggled, this, &OutputsPanel::Changed);
}

tmpl::PageSetup OutputsPanel::Page() const {
    const int last = static_cast<int>(std::size(kPapers)) - 1;
    return {kPapers[std::clamp(cboPaper->currentIndex(), 0, last)], chkLandscape->isChecked()};
}

tmpl::DxfLettering OutputsPanel::Lettering() const {
    return chkOutlines->isChecked() ? tmpl::DxfLettering::Outlines : tmpl::DxfLettering::Text;
}

void OutputsPanel::Store(ProjectOptions& options) const {
    StoreChoice(options, kPaperChoice, *cboPaper);
    if (chkLandscape->isChecked()) options["landscape"] = "";
}

void OutputsPanel::Show(const ProjectOptions& options) {
    const QSignalBlocker block(this);
    ShowChoice(options, kPaperChoice, *cboPaper);
    chkLandscape->setChecked(GivenOption(options, "landscape"));
}

}  // namespace sundial
