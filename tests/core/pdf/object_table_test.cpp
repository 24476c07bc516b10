#include "core/pdf/object_table.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace sundial::pdf {
namespace {

TEST(ObjectTableTest, NumbersComeInTurnAfterTheReservedOnes) {
    ObjectTable table;
    EXPECT_EQ(table.Allocate(), 1);
    EXPECT_EQ(table.Allocate(), 2);
    table.TakeThrough(4);  // 3 and 4 are written last
    EXPECT_EQ(table.Count(), 4);
    EXPECT_EQ(table.Allocate(), 5);
    table.TakeThrough(3);  // never takes numbers back
    EXPECT_EQ(table.Count(), 5);
    table.Clear();
    EXPECT_EQ(table.Allocate(), 1);
}

TEST(ObjectTableTest, NumbersStopAt32767) {
    ObjectTable table;
    table.TakeThrough(32765);
    EXPECT_TRUE(table.HasRoom(2));
    EXPECT_FALSE(table.HasRoom(3));
    EXPECT_EQ(table.Allocate(), 32766);
    EXPECT_EQ(table.Allocate(), 32767);
    EXPECT_FALSE(table.HasRoom(1));
    EXPECT_THROW(table.Allocate(), std::length_error);
    EXPECT_EQ(table.Count(), 32767);
    EXPECT_THROW(ObjectTable().TakeThrough(32768), std::length_error);
}

TEST(ObjectTableTest, PlacesOnlyTakenNumbersAtOffsetsOfTenDigits) {
    ObjectTable table;
    table.TakeThrough(2);
    EXPECT_THROW(table.Place(0, 10), std::out_of_range);
    EXPECT_THROW(table.Place(3, 10), std::out_of_range);
    EXPECT_TRUE(ObjectTable::OffsetFits(9'999'999'999));
    EXPECT_FALSE(ObjectTable::OffsetFits(10'000'000'000));
    EXPECT_THROW(table.Place(1, 10'000'000'000), std::out_of_range);
    table.Place(2, 9'999'999'999);
    std::string xref;
    table.AppendCrossReference(xref, 0);
    EXPECT_NE(xref.find("\r\n9999999999 00000 n\r\n"), std::string::npos) << xref;
}

// Every entry is 20 bytes; a number taken but never placed is a free entry, an
// object written twice keeps its last offset.
TEST(ObjectTableTest, CrossReferenceAndTrailerAsWritten) {
    ObjectTable table;
    table.Place(table.Allocate(), 9);
    table.Place(table.Allocate(), 150);
    table.TakeThrough(4);
    table.Place(4, 1234);
    table.Place(2, 151);
    std::string xref = "before";
    table.AppendCrossReference(xref, 2048);
    EXPECT_EQ(xref,
              "beforexref\r\n"
              "0 5\r\n"
              "0000000000 65535 f\r\n"
              "0000000009 00000 n\r\n"
              "0000000151 00000 n\r\n"
              "0000000000 65535 f\r\n"
              "0000001234 00000 n\r\n"
              "trailer\r<<\r/Size 5\r/Info 1 0 R\r/Root 2 0 R\r>>\r\n"
              "startxref\r2048\r\n"
              "%%EOF\r\r\n");
}

}  // namespace
}  // namespace sundial::pdf
