// sundial-cli's entry point. It links no toolkit and sets no locale: every
// start pays only for what the command uses, and no output depends on the
// C library's locale.
#include <malloc.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "cli/fd_output.h"

namespace {

// A template's run touches a few megabytes of heap. Faulted in 4 KB at a time
// that is hundreds of page faults, each dear on a virtual machine. The heap
// is grown once by enough for a metre plate, and the system asked to back
// the whole 2 MB blocks of it with large pages where it can (a no-op where it
// cannot). No byte of those blocks may be written before the asking, or the
// block is mapped in small pages for good; what lies below the first block is
// taken up and never used, so that the run's allocations start in them.
void ReserveHeapInLargePages() {
    constexpr std::uintptr_t kLargePage = 2 << 20;
    constexpr std::size_t kReserve = 8 << 20;
    ::mallopt(M_TOP_PAD, static_cast<int>(kReserve));
    // More than the start-up's heap has left: the heap grows by twice the
    // reserve, and the block starts where its free end was. Its allocator
    // writes only at the block's two ends.
    void* first = std::malloc(kReserve);
    if (first == nullptr) return;
    const auto start = reinterpret_cast<std::uintptr_t>(first);
    std::free(first);
    const std::uintptr_t from = (start + kLargePage - 1) & ~(kLargePage - 1);
    const std::uintptr_t to = (start + kReserve) & ~(kLargePage - 1);
    if (to <= from) return;
    constexpr std::uintptr_t kHeader = 32;
    if (from - start > kHeader) {
        // Kept (volatile: an allocation nobody reads may be left out).
        static void* volatile below = nullptr;
        below = std::malloc(from - start - kHeader);
        static_cast<void>(below);
    }
    ::madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
}

}  // namespace

int main(int argc, char* argv[]) {
    sundial::KeepStandardDescriptors();
    // A reader that quits (a pipe, a FIFO) makes a write fail with EPIPE,
    // which the writer reports, instead of ending the program unheard.
    std::signal(SIGPIPE, SIG_IGN);
    // A batch holds its new files open until one flush stores them all: as
    // many as the system allows this process, not the shell's cautious default.
    if (rlimit files{};
        ::getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < files.rlim_max) {
        files.rlim_cur = files.rlim_max;
        ::setrlimit(RLIMIT_NOFILE, &files);
    }
    // A run is short and its large buffers (a template's pages, its plan)
    // come and go: kept in the heap once freed, their pages are used again
    // rather than handed back and faulted in anew, which on a virtual
    // machine cost a metre plate's run a fifth of its time.
    ::mallopt(M_MMAP_THRESHOLD, 32 << 20);
    ::mallopt(M_TRIM_THRESHOLD, 64 << 20);
    ReserveHeapInLargePages();
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> arguments(argv, argv + argc);
    sundial::FdOutputBuffer standardOutput(STDOUT_FILENO);
    std::ostream out(&standardOutput);
    const int status = sundial::RunCli(arguments, out, std::cerr);
    out.flush();
    std::cout.flush();
    std::cerr.flush();
    // Every file is stored and every word written by now: the fonts' maps,
    // the pages and the plan go back to the system with the process, without
    // being taken down piece by piece first (a tenth of a template's run).
    std::_Exit(status);
}
