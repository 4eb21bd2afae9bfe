// Result codes of the configuration store. Every operation that returns int says which of these
// it can give.
#pragma once

namespace kz::config {

inline constexpr int kCfgOk = 0;
inline constexpr int kCfgFailed = -1;          // a save could not replace the file
inline constexpr int kDuplicateTransfer = -2;  // station number and transfer ID already taken
inline constexpr int kDuplicateDataFile = -3;  // data file already used by another transfer

}  // namespace kz::config
