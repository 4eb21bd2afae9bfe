// The reference reader the configuration load is measured against: libinih's parse of a profile
// text into sections of key -> value, names without case and the first of duplicates winning, as
// ProfileDocument answers look-ups. Only built into the benchmarks when libinih is installed.
#pragma once

#include <ini.h>

#include <string>

#include "platform/ascii_case.h"

namespace kz::bench {

class InihSections {
 public:
  using Keys = platform::NoCaseMap<std::string>;

  // False when libinih reported a line it could not parse.
  bool Parse(const std::string& text) {
    sections_.clear();
    current_name_.clear();
    current_ = nullptr;
    return ini_parse_string(text.c_str(), &InihSections::Add, this) == 0;
  }

  const platform::NoCaseMap<Keys>& Sections() const { return sections_; }

 private:
  // Keys come section by section, so the section found last is tried before the map.
  static int Add(void* user, const char* section, const char* name, const char* value) {
    auto& self = *static_cast<InihSections*>(user);
    if (!name) return 1;  // a section start, when libinih is built to report those
    if (!self.current_ || self.current_name_ != section) {
      self.current_name_ = section;
      self.current_ = &self.sections_[self.current_name_];
    }
    self.current_->try_emplace(name, value);
    return 1;
  }

  platform::NoCaseMap<Keys> sections_;
  std::string current_name_;
  Keys* current_ = nullptr;
};

}  // namespace kz::bench
