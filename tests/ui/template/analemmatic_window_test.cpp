// The Dial Template window's analemmatic dial: the type and its axis reach
// the plan, the gnomon's boxes stand aside, and the project keeps only what
// the dial reads, opening again as the same design.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "core/project/dial_project.h"
#include "core/template/svg_template.h"
#include "tests/ui/support/fake_main_window.h"
#include "ui/template/template_window.h"

namespace sundial {
namespace {

constexpr int kAnalemmatic = 4;  // in the type box

class AnalemmaticWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::EnsureApplication();
        QStandardPaths::setTestModeEnabled(true);
        QLocale::setDefault(QLocale(QLocale::German));
        main.site = {"London, Britain", 51.5f, 0.12f, "200", 20.0f, "West", 0};
    }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    std::unique_ptr<TemplateDialog> Open() {
        return std::make_unique<TemplateDialog>(
            main,
            [this](QWidget*, const QString&, const QString&, const QString&) { return answer; },
            [](QWidget*, const QString&) {});
    }

    testing::FakeMainWindow main;
    QString answer;
};

TEST_F(AnalemmaticWindow, TheAxisReachesThePlanAndTheProjectKeepsOnlyWhatItReads) {
    QTemporaryDir dir;
    auto d = Open();
    d->lines->chkHalf->setChecked(true);  // no use to this dial: left out of the project
    d->plane->cboDialType->setCurrentIndex(kAnalemmatic);
    d->plane->txtMajor->setText("1200,5");
    ASSERT_TRUE(d->Plan() && d->Plan()->analemmatic) << d->Message().toStdString();
    EXPECT_EQ(d->Plan()->analemmatic->majorMm, 1200.5);
    EXPECT_TRUE(d->Plan()->gnomon.elements.empty());
    EXPECT_FALSE(d->gnomon->isEnabled());
    EXPECT_FALSE(d->plane->txtWidth->isEnabled());
    EXPECT_FALSE(d->plane->txtBearing->isEnabled());
    EXPECT_TRUE(d->cmdSaveSvg->isEnabled());

    answer = dir.filePath("school.sundial");
    ASSERT_TRUE(d->SaveProjectAs()) << d->Message().toStdString();
    const project::ProjectRead read = project::ReadProject(answer.toStdString());
    ASSERT_TRUE(read.project) << read.message;
    const auto& kept = read.project->options;
    EXPECT_EQ(kept.at("dial"), "analemmatic");
    EXPECT_EQ(kept.at("major"), "1200.5");
    for (const char* name : {"width", "height", "half", "nodus", "root-x", "recline"}) {
        EXPECT_EQ(kept.count(name), 0u) << name;
    }
    auto other = Open();
    ASSERT_TRUE(other->OpenProject(answer));
    ASSERT_TRUE(other->Plan()) << other->Message().toStdString();
    EXPECT_EQ(tmpl::PlanSvg(*other->Plan()), tmpl::PlanSvg(*d->Plan()));
}

// Near the equator the window says why, and nothing can be saved.
TEST_F(AnalemmaticWindow, NearTheEquatorItSaysWhy) {
    main.site = {"Unknown", 3.f, -30.f, "180", 0.f, "South", 2};
    auto d = Open();
    d->plane->cboDialType->setCurrentIndex(kAnalemmatic);
    EXPECT_TRUE(d->Message().contains("at least 5 degrees")) << d->Message().toStdString();
    EXPECT_FALSE(d->cmdSavePdf->isEnabled());
}

}  // namespace
}  // namespace sundial
