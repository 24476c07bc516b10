// Golden files under tests/core/dial/data for exact outputs: the report text
// and recorded drawings, compared byte for byte. Run the tests with
// SUNDIAL_UPDATE_GOLDEN=1 to rewrite the files from what the code now
// produces, then review the difference before committing it.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <variant>

#include "core/dial/recording_surface.h"

namespace sundial::testing {

inline std::string GoldenPath(const std::string& name) {
    return std::string(SUNDIAL_TEST_DATA_DIR) + "/" + name;
}

inline std::string ReadGolden(const std::string& name) {
    std::ifstream in(GoldenPath(name), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Passes when `actual` equals the golden file; otherwise names the first line
// that differs. With SUNDIAL_UPDATE_GOLDEN set it writes the file and passes.
inline ::testing::AssertionResult MatchesGolden(const std::string& actual,
                                                const std::string& name) {
    if (std::getenv("SUNDIAL_UPDATE_GOLDEN")) {
        std::ofstream(GoldenPath(name), std::ios::binary) << actual;
        return ::testing::AssertionSuccess() << "rewrote " << name;
    }
    const std::string golden = ReadGolden(name);
    if (actual == golden) return ::testing::AssertionSuccess();
    std::istringstream a(actual), g(golden);
    std::string la, lg;
    for (int line = 1;; ++line) {
        const bool moreA = static_cast<bool>(std::getline(a, la));
        const bool moreG = static_cast<bool>(std::getline(g, lg));
        if (!moreA && !moreG) break;
        if (!moreA || !moreG || la != lg) {
            return ::testing::AssertionFailure()
                   << name << " line " << line << ": got \"" << (moreA ? la : "<end>")
                   << "\", golden \"" << (moreG ? lg : "<end>") << "\"";
        }
    }
    return ::testing::AssertionFailure() << name << ": line endings differ";
}

// Coordinates (twips) and aspects to four decimals: far finer than any pixel,
// yet blind to the last bits of the trigonometry.
inline std::string Decimal4(double value) {
    std::array<char, 64> buf{};
    const auto end =
        std::to_chars(buf.data(), buf.data() + buf.size(), value, std::chars_format::fixed, 4).ptr;
    std::string text(buf.data(), end);
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
    return text == "-0" ? "0" : text;
}

// Every recorded call, one a line, in order.
inline std::string Dump(const RecordingSurface& surface) {
    std::string out;
    for (const RecordingSurface::Op& op : surface.Ops()) {
        if (std::holds_alternative<RecordingSurface::ClearOp>(op)) out += "clear";
        if (const auto* p = std::get_if<RecordingSurface::PrintOp>(&op)) {
            out += "print";
            for (const PrintItem& item : p->items) {
                out += " \"" + item.text + "\"" + (item.zoneJump ? ">" : "");
            }
        }
        if (const auto* w = std::get_if<RecordingSurface::WidthOp>(&op)) {
            out += "width " + std::to_string(w->pixels);
        }
        if (const auto* d = std::get_if<RecordingSurface::DottedOp>(&op)) {
            out += d->dotted ? "dotted" : "solid";
        }
        if (const auto* l = std::get_if<RecordingSurface::LineOp>(&op)) {
            out += "line " + Decimal4(l->x1) + " " + Decimal4(l->y1) + " " + Decimal4(l->x2) + " " +
                   Decimal4(l->y2);
        }
        if (const auto* p = std::get_if<RecordingSurface::PointOp>(&op)) {
            out += "point " + Decimal4(p->x) + " " + Decimal4(p->y);
        }
        if (const auto* e = std::get_if<RecordingSurface::EllipseOp>(&op)) {
            out += "ellipse " + Decimal4(e->cx) + " " + Decimal4(e->cy) + " " +
                   Decimal4(e->radius) + " " + Decimal4(e->aspect);
        }
        out += '\n';
    }
    return out;
}

}  // namespace sundial::testing
