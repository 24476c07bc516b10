// File names made from site names: safe to create in any folder and to pass
// to other programs, and unique within one batch.
#pragma once

#include <set>
#include <string>
#include <string_view>

namespace sundial {

// The stem of a file for a site called `name` ("London, Britain" ->
// "London_Britain"). Letters and digits of any script are kept; every run of
// other characters (path separators, blanks, ASCII punctuation, control and
// direction-changing characters, malformed UTF-8) becomes one "_". The stem never starts with "-"
// or ".", never ends with "_" or ".", holds at most kMaxStemBytes bytes (whole characters) and is
// "site" when nothing usable is left.
std::string SafeFileStem(std::string_view name);

inline constexpr size_t kMaxStemBytes = 80;

// Hands out stems no other site of the batch has, ignoring ASCII case (a
// folder may be copied to a file system that does): the second "London" is
// "London-2", the third "London-3".
class UniqueStems {
  public:
    std::string Claim(std::string_view name);

  private:
    std::set<std::string> taken_;  // lower-cased
};

}  // namespace sundial
