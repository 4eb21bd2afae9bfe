// The OEM information component: who the module is branded for. The application object asks it
// once per configure call to choose the help file.
#pragma once

#include <memory>
#include <string>

namespace kz::shell {

struct OemAnswer {
  enum class Status {
    Unavailable,  // the component cannot be created: the maker's name is used silently
    CallFailed,   // the call failed: "OEM information not found." and the maker's name
    Ok,
  };
  Status status = Status::Unavailable;
  std::string name;  // with Ok
};

class OemProvider {
 public:
  virtual ~OemProvider() = default;
  virtual OemAnswer Query() = 0;
};

// The provider of this platform, which has no OEM component: always the maker's own name.
std::unique_ptr<OemProvider> MakeDefaultOemProvider();

}  // namespace kz::shell
