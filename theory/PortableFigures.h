#pragma once

#include <cstdint>

#include "MachineOdds.h"

// The exact figures are worked out in long double, which is the x87's 64-bit
// mantissa on a PC and IEEE quad precision in WebAssembly: the same figure
// differs in its last bits between the two (about 1e-18 relative, up to 1e-14
// where a balance adds terms of both signs). Rounded once to kPortableBits
// significant bits, far below a double's 53, both give the same double, so
// what is printed from it or worked out further in double arithmetic agrees
// to the last digit on every platform the program runs on.
namespace sorimu::theory {

// 40 bits: every figure of the stretch laws and the hall tables rounds alike
// from both formats (HallFiguresSignature pins that); at 44 bits a few did
// not. 2^-41 ≈ 4.5e-13 relative is far inside what any figure is good for.
inline constexpr int kPortableBits = 40;

// The value rounded to kPortableBits significant bits (to nearest, halves
// away from zero); 0, infinities and NaN as they are.
double PortableDouble(Real value);

// The log of a chance as the history likelihood takes it: of the portable
// double, in double arithmetic; -infinity for a chance that rounds to 0.
double LogChance(Real chance);

// Every figure the hall tools show, portable, hashed: each stretch law's
// terms and their logs, the ハマリ/天井 figures at every G after each kind
// of bonus (and their mix under equal weights), the やめ時 values. Equal on
// two platforms exactly when every one of them is.
uint64_t HallFiguresSignature();

}  // namespace sorimu::theory
