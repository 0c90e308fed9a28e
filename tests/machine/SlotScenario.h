#pragma once

#include <cstdint>

#include "Slot.h"

// The tests speak of the project's types by their plain names.
using namespace sorimu;

// Plays one game on a copy of `prototype` for seed after seed until `wanted`
// holds for the copy after the game, and returns that copy. This reaches rare
// draws with the real random source instead of a mock.
template <typename Predicate>
Slot PlayUntil(const Slot& prototype, Predicate wanted, uint32_t maxSeeds = 5'000'000) {
  Slot trial = prototype;
  for (uint32_t seed = 0; seed < maxSeeds; ++seed) {
    trial = prototype;
    trial.Random().Seed(seed);
    trial.Play();
    if (wanted(trial)) return trial;
  }
  ADD_FAILURE() << "no seed reached the wanted game";
  return trial;
}

// A machine in the middle of an RT, ready for a normal game.
inline Slot MidRt(int32_t rtCount, int32_t flevel = 1) {
  Slot slot(0);
  slot.SetFlevel(flevel);
  slot.RtCount = rtCount;
  slot.RTCancel = 0;
  slot.Mode = 0;
  slot.LastOutcome = Code(Outcome::Miss);
  slot.BigStock = 5;
  slot.RegStock = 5;
  slot.ZtCount = 0;
  return slot;
}
