// Byte layout of a dBase III table (version byte 0x03, no memo file). Numbers are little-endian.
//
//   header (32 bytes)
//     0   1  version (0x03; neither read nor checked)
//     1   3  date of last update: year - 1900, month 1..12, day 1..31
//     4   4  record count, unsigned
//     8   2  header length: where the records begin
//    10   2  record length, the deletion flag included
//    12  20  reserved, zero
//   field descriptors, 32 bytes each, from offset 32 while offset < header length - 2
//     0  11  name, ASCII, NUL-padded (an 11-byte name has no NUL)
//    11   1  type letter ('C' character, 'N' numeric, ...)
//    12   4  data address (kept, unused)
//    16   1  length in bytes
//    17   1  decimal count (kept, unused)
//    18  14  reserved (kept, unused)
//   0x0D terminator; tables written here add one 0x00 byte and count it in the header length
//   (32n + 34; other writers use 32n + 33). Readers take records from the header length.
//   records: a deletion flag ('*' deleted, ' ' live), then each field's bytes in descriptor
//   order, character values left-aligned and space-padded
//   0x1A end-of-file byte after the last record
#pragma once

#include <cstddef>
#include <cstdint>

namespace kz::projfiles::dbf {

inline constexpr std::uint8_t kVersion = 0x03;
inline constexpr std::size_t kHeaderSize = 32;
inline constexpr std::size_t kDateOffset = 1;
inline constexpr std::size_t kRecordCountOffset = 4;
inline constexpr std::size_t kHeaderLengthOffset = 8;
inline constexpr std::size_t kRecordLengthOffset = 10;

inline constexpr std::size_t kDescriptorSize = 32;
inline constexpr std::size_t kNameOffset = 0;
inline constexpr std::size_t kNameSize = 11;
inline constexpr std::size_t kTypeOffset = 11;
inline constexpr std::size_t kAddressOffset = 12;
inline constexpr std::size_t kLengthOffset = 16;
inline constexpr std::size_t kDecimalsOffset = 17;
inline constexpr std::size_t kReservedOffset = 18;
inline constexpr std::size_t kReservedSize = 14;

inline constexpr char kHeaderTerminator = 0x0D;
inline constexpr char kEndOfFile = 0x1A;
inline constexpr char kDeletedFlag = '*';
inline constexpr char kLiveFlag = ' ';
inline constexpr char kCharacterType = 'C';

// A descriptor is read while its offset is below the header length minus this: both 32n + 33
// and 32n + 34 give n descriptors.
inline constexpr std::size_t kDescriptorBoundSlack = 2;

}  // namespace kz::projfiles::dbf
