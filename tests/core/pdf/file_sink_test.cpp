#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <set>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "core/pdf/byte_sink.h"
#include "core/pdf/pdf_error.h"
#include "core/pdf/pdf_writer.h"
#include "tests/core/io/io_test_support.h"
#include "tests/core/pdf/support/pdf_test_support.h"

namespace sundial::pdf {
namespace {

namespace fs = std::filesystem;
using io::FileStep;
using io::testing::ScopedFault;
using testing::ReadBytes;
using testing::TempFolder;

// Enough text that the writer's bytes reach the disk several times before the
// document is closed, so that failures can strike in the middle of a page.
constexpr int kLines = 4000;

void StartDocument(clsPdfWriter& w, const std::string& title) {
    w.SetEnvironment(testing::FixedEnvironment());
    w.Title(title);
    w.ScaleMode(3);
}

void WriteBody(clsPdfWriter& w) {
    w.LoadFont("Fnt1", "Courier New", 0);
    w.BeginPage();
    for (int line = 0; line < kLines; ++line) w.DrawText(2, 28, "A line of text", "Fnt1", 10, 0, 0);
    w.EndPage();
}

// The whole document `title` as the writer makes it, from memory.
std::string Expected(const std::string& title) {
    clsPdfWriter w;
    StartDocument(w, title);
    std::string bytes;
    w.InitPDFSink(std::make_unique<MemorySink>(bytes), "memory.pdf");
    WriteBody(w);
    w.ClosePDFFile();
    return bytes;
}

void WriteFile(const fs::path& path, const std::string& title) {
    clsPdfWriter w;
    StartDocument(w, title);
    std::string name = path.string();
    w.InitPDFFile(name);
    WriteBody(w);
    w.ClosePDFFile();
}

std::size_t Entries(const TempFolder& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder.path()), {}));
}

struct SinkFault {
    const char* name;
    FileStep step;
    int error;
};

class FailedSheetFileTest : public ::testing::TestWithParam<SinkFault> {};

// A full disk used to replace a good sheet with a damaged one; now any failure
// keeps the old sheet, removes the partial one and names the file and reason.
TEST_P(FailedSheetFileTest, KeepsTheOldSheetAndRemovesThePartialOne) {
    TempFolder folder;
    const fs::path sheet = folder / "sundial.pdf";
    WriteFile(sheet, "Old");
    const std::string old = ReadBytes(sheet);

    ScopedFault fault(GetParam().step, GetParam().error);
    try {
        WriteFile(sheet, "New");
        ADD_FAILURE() << "no error";
    } catch (const PdfWriteError& e) {
        EXPECT_EQ(e.path(), sheet);
        EXPECT_EQ(e.reason(), std::generic_category().message(GetParam().error));
    }
    EXPECT_EQ(ReadBytes(sheet), old);
    EXPECT_EQ(Entries(folder), 1u);
}

INSTANTIATE_TEST_SUITE_P(EveryStep, FailedSheetFileTest,
                         ::testing::Values(SinkFault{"CreateRefused", FileStep::Create, EACCES},
                                           SinkFault{"DiskFullMidPage", FileStep::Write, ENOSPC},
                                           SinkFault{"SyncFails", FileStep::Sync, EIO},
                                           SinkFault{"RenameFails", FileStep::Rename, EROFS}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SheetFileTest, AnAbandonedDocumentKeepsTheOldSheet) {
    TempFolder folder;
    const fs::path sheet = folder / "sundial.pdf";
    WriteFile(sheet, "Old");
    const std::string old = ReadBytes(sheet);
    {
        clsPdfWriter w;
        StartDocument(w, "New");
        std::string name = sheet.string();
        w.InitPDFFile(name);
        WriteBody(w);  // part of it is on the disk by now
    }
    EXPECT_EQ(ReadBytes(sheet), old);
    EXPECT_EQ(Entries(folder), 1u);
}

TEST(SheetFileTest, KilledWhileWritingTheOldSheetStays) {
    TempFolder folder;
    const fs::path sheet = folder / "sundial.pdf";
    WriteFile(sheet, "Old");
    const std::string old = ReadBytes(sheet);
    for (FileStep step : {FileStep::Write, FileStep::Sync, FileStep::Rename}) {
        EXPECT_EXIT(
            {
                io::testing::KillAt(step);
                WriteFile(sheet, "New");
            },
            ::testing::KilledBySignal(SIGKILL), "");
        EXPECT_EQ(ReadBytes(sheet), old);
    }
}

// Eight runs for different places into one file used to leave a damaged file
// now and then; a reader copying the sheet meanwhile often saw 0 bytes. Every
// look at the file must find one whole document.
TEST(SheetFileTest, ConcurrentWritersAndAReaderOnlyEverSeeWholeSheets) {
    TempFolder folder;
    const fs::path sheet = folder / "sundial.pdf";
    constexpr int kWriters = 8;
    constexpr int kRounds = 4;
    std::set<std::string> whole;
    for (int w = 0; w < kWriters; ++w) whole.insert(Expected("Place " + std::to_string(w)));
    WriteFile(sheet, "Place 0");

    std::atomic<bool> done{false};
    std::atomic<int> reads{0}, damaged{0};
    std::thread reader([&] {
        while (!done) {
            ++reads;
            if (!whole.contains(ReadBytes(sheet))) ++damaged;
        }
    });
    std::atomic<int> failures{0};
    std::vector<std::thread> writers;
    for (int w = 0; w < kWriters; ++w) {
        writers.emplace_back([&, w] {
            for (int round = 0; round < kRounds; ++round) {
                try {
                    WriteFile(sheet, "Place " + std::to_string(w));
                } catch (const PdfWriteError&) {
                    ++failures;
                }
            }
        });
    }
    for (std::thread& writer : writers) writer.join();
    done = true;
    reader.join();

    EXPECT_EQ(failures, 0);
    EXPECT_GT(reads, 0);
    EXPECT_EQ(damaged, 0) << "of " << reads << " reads";
    EXPECT_TRUE(whole.contains(ReadBytes(sheet)));
    EXPECT_EQ(Entries(folder), 1u);
}

}  // namespace
}  // namespace sundial::pdf
