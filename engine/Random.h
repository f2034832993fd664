#pragma once
// The program's one pseudo-random generator: a 64-bit linear congruential generator,
// s = s * 0x15A00004E35 + 1 (mod 2^64), returning bits 32 to 62 of the new state.

#include <cstdint>

namespace engine {

class Random {
 public:
  static constexpr std::uint64_t Multiplier = 0x15A00004E35ull;  // 346 * 2^32 + 20021

  void Seed(std::uint32_t seed) { state_ = seed; }
  // 0 .. 2^31 - 1.
  std::int32_t Next() {
    state_ = state_ * Multiplier + 1;
    return static_cast<std::int32_t>((state_ >> 32) & 0x7FFFFFFFu);
  }
  std::uint64_t State() const { return state_; }
  void SetState(std::uint64_t s) { state_ = s; }

 private:
  std::uint64_t state_ = 0;
};

// The generator shared by the whole program (random generation is its only user).
Random& SharedRandom();

}  // namespace engine
