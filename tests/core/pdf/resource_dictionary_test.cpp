#include "core/pdf/resource_dictionary.h"

#include <gtest/gtest.h>

#include <functional>

#include "tests/support/row_name.h"

namespace sundial::pdf {
namespace {

using sundial::testing::PrintTo;
using sundial::testing::RowName;

struct ResourceRow {
    const char* name;
    std::function<void(ResourceDictionary&)> add;
    const char* text;
};

class ResourceDictionaryTest : public ::testing::TestWithParam<ResourceRow> {};

TEST_P(ResourceDictionaryTest, TextAsWritten) {
    ResourceDictionary resources;
    GetParam().add(resources);
    EXPECT_EQ(resources.Text(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ResourceDictionaryTest,
    ::testing::Values(
        ResourceRow{"nothing", [](auto&) {}, "<<\r/ProcSet [/PDF /Text ]\r>>"},
        ResourceRow{"fonts", [](auto& r) { r.AddFont("F1", 5), r.AddFont("F2", 7); },
                    "<<\r/Font <<\r/F1 5 0 R \r/F2 7 0 R \r>>\r/ProcSet [/PDF /Text ]\r>>"},
        ResourceRow{"image", [](auto& r) { r.AddImage("Im1", 9); },
                    "<<\r/ProcSet [/PDF /Text /ImageB /ImageC /ImageI ]\r"
                    "/XObject <<\r/Im1 9 0 R \r\r>>\r>>"},
        // Forms alone still get the lone CR that parts them from the images.
        ResourceRow{"form", [](auto& r) { r.AddForm("Frm", 5); },
                    "<<\r/ProcSet [/PDF /Text ]\r/XObject <<\r\r/Frm 5 0 R \r>>\r>>"},
        ResourceRow{"everything",
                    [](auto& r) { r.AddForm("Frm", 5), r.AddImage("Im", 7), r.AddFont("F", 9); },
                    "<<\r/Font <<\r/F 9 0 R \r>>\r/ProcSet [/PDF /Text /ImageB /ImageC /ImageI ]"
                    "\r/XObject <<\r/Im 7 0 R \r\r/Frm 5 0 R \r>>\r>>"}),
    RowName());

TEST(ResourceDictionaryKidsTest, PagesInOrderUntilCleared) {
    ResourceDictionary resources;
    EXPECT_EQ(resources.Kids(), "");
    resources.AddPage(5);
    resources.AddPage(8);
    resources.AddFont("F", 11);
    EXPECT_EQ(resources.Kids(), "5 0 R 8 0 R ");
    resources.Clear();
    EXPECT_EQ(resources.Kids(), "");
    EXPECT_EQ(resources.Text(), "<<\r/ProcSet [/PDF /Text ]\r>>");
}

}  // namespace
}  // namespace sundial::pdf
