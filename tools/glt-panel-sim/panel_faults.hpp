#pragma once

#include <bitset>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "panel_frames.hpp"

namespace glt::sim {

// The requests the panel tells apart; faults can be aimed at one kind.
enum class RequestKind : std::uint8_t { Ident, Info, Read, Write, Poll, Apply };
inline constexpr std::size_t kRequestKinds = 6;

std::string_view RequestKindName(RequestKind kind);
std::optional<RequestKind> ParseRequestKind(std::string_view name);

struct CutAnswer {
    RequestKind kind;
    std::size_t keep; // bytes of the answer that go out
};

// Misbehaviour for tests. Block faults count a request as "of block N" when it
// reads or writes block N.
struct PanelFaults {
    std::bitset<kRequestKinds> noAnswer;        // requests of these kinds are ignored
    std::bitset<kRequestKinds> badCrc;          // answers to these kinds carry a wrong CRC
    std::optional<unsigned> badCrcBlock;        // read and write answers of this block carry a wrong CRC
    std::optional<CutAnswer> cut;               // answers of one kind are cut short
    unsigned pollExceptions = 0;                // busy answers (0x8E) to the polls after each written block
    std::optional<unsigned> silentAfterBlock;   // nothing is answered after the answer of this block
    std::optional<std::size_t> silentAfterAnswers; // nothing is answered after this many answers
    std::uint8_t applyResult = 0;               // result code of the apply answer
    std::optional<IdentBytes> ident;            // identification bytes instead of the model's
    std::optional<std::uint8_t> answerAddress;  // answers carry this address (with a matching CRC)
    std::size_t garbageBytes = 0;               // bytes of noise sent before every answer
    std::chrono::milliseconds lateBy{0};        // every answer is held back this long
    std::optional<unsigned> vanishAfterBlock;   // the line is closed after the answer of this block

    bool NoAnswerTo(RequestKind kind) const { return noAnswer.test(static_cast<std::size_t>(kind)); }
    bool BadCrcTo(RequestKind kind) const { return badCrc.test(static_cast<std::size_t>(kind)); }
};

} // namespace glt::sim
