#pragma once

#include <cstddef>
#include <cstdint>

#include "link/connect_device.hpp"
#include "link/modbus.hpp"

// The panel's side of the frames. Function codes, sub-functions, the answer
// positions the master reads and the identification patterns are the link's
// own (link/modbus.hpp, link/connect_device.hpp), so both ends agree on every
// byte; what only the panel needs is declared here.
namespace glt::sim {

// Modbus exception codes the panel answers with.
inline constexpr std::uint8_t kExIllegalFunction = 0x01;
inline constexpr std::uint8_t kExIllegalAddress = 0x02;
inline constexpr std::uint8_t kExIllegalValue = 0x03;
inline constexpr std::uint8_t kExBusy = 0x06;

inline constexpr std::size_t kMaxFrame = kFrameBufferSize;
inline constexpr std::size_t kCrcBytes = 2;

// Requests. Every frame starts with address and function; function 0x46
// goes on with its count (high, low), running from the sub-function to the
// last parameter, then the sub-function and its parameters.
inline constexpr std::size_t kPosAddress = answer::kAddress;
inline constexpr std::size_t kPosFunction = answer::kFunction;
inline constexpr std::size_t kPosCountHigh = 2;
inline constexpr std::size_t kPosCountLow = 3;
inline constexpr std::size_t kPosSub = 4;
inline constexpr std::size_t kPosBlock = 5;
inline constexpr std::size_t kPosWriteData = 6;
inline constexpr std::size_t kConfigHeader = 4; // address, function, count
inline constexpr std::size_t kPlainRequest = 4; // address, function, CRC

// Answers, CRC included:
//   identification  address 11 | 03 id id id (answer::kSlaveId) | CRC
//   poll            address 0E | CRC, or the exception answer
//   exception       address function|80 | code | CRC
//   device info     address 46 | 00 04 00 | major minor revision | CRC
//   read block      address 46 | count 01 block | data (answer::kBlockData) | CRC
//   write, apply    address 46 | result (answer::kApplyResult) | CRC
inline constexpr std::size_t kPosExceptionCode = 2;
inline constexpr std::size_t kPosResult = answer::kApplyResult;
inline constexpr std::size_t kReadOverhead = 8;

// Blocks the panel keeps and transfers: 0..6.
inline constexpr std::size_t kPanelBlocks = 7;

using IdentBytes = std::array<std::uint8_t, answer::kSlaveIdLength>;

} // namespace glt::sim
