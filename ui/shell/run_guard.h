// Decides when the main window's events may start a run or a cascade. A run
// sizes and redraws the child windows, and those changes come back as resize
// and focus events: nothing done while the guard is held may start another.
// Focus changes between the children count only once start-up has armed them,
// and once the program is ending nothing starts at all.
#pragma once

namespace sundial {

class RunGuard {
  public:
    // While a Hold lives, the guard is held. Holds nest.
    class [[nodiscard]] Hold {
      public:
        explicit Hold(RunGuard& guard) : guard_(guard) { ++guard_.holds_; }
        ~Hold() { --guard_.holds_; }
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

      private:
        RunGuard& guard_;
    };

    Hold hold() { return Hold(*this); }
    // From now on a change of active child window runs the computation.
    void armFocusHandling() { focusArmed_ = true; }
    // The program is ending.
    void close() { closing_ = true; }

    bool closing() const { return closing_; }
    // A run, a resize or "Make PDF" may go ahead.
    bool mayRun() const { return holds_ == 0 && !closing_; }
    // A change of active child window may cascade and run.
    bool mayFollowFocus() const { return focusArmed_ && mayRun(); }

  private:
    int holds_ = 0;
    bool focusArmed_ = false;
    bool closing_ = false;
};

}  // namespace sundial
