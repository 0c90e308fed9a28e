#pragma once

// The loops where the figures spend their time run over lanes of doubles.
// On x86-64 such a function is built twice, once for every machine and once
// for those with AVX2, and the one the machine can run is chosen when the
// program starts. Neither build fuses a multiply into an add, so both give
// the same figures to the last bit.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define SORIMU_WIDE_VECTORS __attribute__((target_clones("avx2", "default")))
#else
#define SORIMU_WIDE_VECTORS
#endif
