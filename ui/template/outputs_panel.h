// The Dial Template window's outputs: the PDF's paper and its turn, and how
// the DXF writes its text.
#pragma once

#include <QGroupBox>

#include "core/template/dxf_template.h"
#include "core/template/tiling.h"
#include "ui/template/number_box.h"

class QCheckBox;
class QComboBox;

namespace sundial {

class OutputsPanel final : public QGroupBox {
    Q_OBJECT
  public:
    explicit OutputsPanel(QWidget* parent = nullptr);

    tmpl::PageSetup Page() const;
    tmpl::DxfLettering Lettering() const;

    // The paper; the DXF's lettering is a choice of the moment, not kept.
    void Store(ProjectOptions& options) const;
    void Show(const ProjectOptions& options);

    QComboBox* cboPaper;
    QCheckBox* chkLandscape;
    QCheckBox* chkOutlines;

  signals:
    void Changed();
};

}  // namespace sundial
