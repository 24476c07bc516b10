// The Dial Template window's analemmatic dial: the type and its axis reach
// the plan, the gnomon's boxes stand aside, and the project keeps only what
// the dial reads, opening again as the same design.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "core/project/dial_project.h"
#include "core/template/svg_template.h"
#include "tests/ui/support/fake_main_window.h"
#include "ui/template/template_window.h"

namespace sundial {
namespace {

// The type box's analemmatic dial, its axis typed as a German writes it.
TEST(AnalemmaticWindow, TheAxisReachesThePlanAndTheProjectKeepsOnlyWhatItReads) {
    testing::EnsureApplication();
    QStandardPaths::setTestModeEnabled(true);
    QLocale::setDefault(QLocale(QLocale::German));
    testing::FakeMainWindow main;
    main.site = {"London, Britain", 51.5f, 0.12f, "200", 20.0f, "West", 0};
    QTemporaryDir dir;
    const QString answer = dir.filePath("school.sundial");
    const auto open = [&] {
        return std::make_unique<TemplateDialog>(
            main, [&](QWidget*, const QString&, const QString&, const QString&) { return answer; },
            [](QWidget*, const QString&) {});
    };
    auto d = open();
    d->lines->chkHalf->setChecked(true);  // no use to this dial: left out of the project
    d->plane->cboDialType->setCurrentIndex(4);
    d->plane->txtMajor->setText("1200,5");
    ASSERT_TRUE(d->Plan() && d->Plan()->analemmatic) << d->Message().toStdString();
    EXPECT_EQ(d->Plan()->analemmatic->majorMm, 1200.5);
    EXPECT_FALSE(d->gnomon->isEnabled());
    EXPECT_FALSE(d->plane->txtWidth->isEnabled());
    EXPECT_FALSE(d->plane->txtBearing->isEnabled());

    ASSERT_TRUE(d->SaveProjectAs()) << d->Message().toStdString();
    const project::ProjectRead read = project::ReadProject(answer.toStdString());
    ASSERT_TRUE(read.project) << read.message;
    const auto& kept = read.project->options;
    EXPECT_EQ(kept.at("dial"), "analemmatic");
    EXPECT_EQ(kept.at("major"), "1200.5");
    for (const char* name : {"width", "height", "half", "nodus", "root-x", "recline"})
        EXPECT_EQ(kept.count(name), 0u) << name;
    auto other = open();
    ASSERT_TRUE(other->OpenProject(answer));
    ASSERT_TRUE(other->Plan()) << other->Message().toStdString();
    EXPECT_EQ(tmpl::PlanSvg(*other->Plan()), tmpl::PlanSvg(*d->Plan()));
    QLocale::setDefault(QLocale::c());
}

}  // namespace
}  // namespace sundial
