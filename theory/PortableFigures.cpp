#include "PortableFigures.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "HallTables.h"

namespace sorimu::theory {

double PortableDouble(Real value) {
  if (value == 0 || !std::isfinite(value)) return static_cast<double>(value);
  int exponent = 0;
  const Real fraction = std::frexp(value, &exponent);  // 0.5 <= |fraction| < 1
  const Real whole = std::round(std::ldexp(fraction, kPortableBits));
  // At most kPortableBits bits: the conversion to double is exact (but for
  // values below a double's range, which round alike from both formats).
  return static_cast<double>(std::ldexp(whole, exponent - kPortableBits));
}

double LogChance(Real chance) {
  const double portable = PortableDouble(chance);
  return portable > 0 ? std::log(portable) : -std::numeric_limits<double>::infinity();
}

namespace {

// FNV-1a over the bytes of each double.
class Hash {
 public:
  void Add(double value) {
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    for (int i = 0; i < 8; ++i) {
      state_ = (state_ ^ ((bits >> (8 * i)) & 0xFF)) * 0x100000001B3ull;
    }
  }
  void AddFigure(Real value) { Add(PortableDouble(value)); }
  uint64_t Value() const { return state_; }

 private:
  uint64_t state_ = 0xCBF29CE484222325ull;
};

void AddSince(Hash& hash, const SinceFigures& f) {
  for (Real value : {f.Reach, f.ExpectedGames, f.ToBonus, f.ThroughChain}) hash.AddFigure(value);
  for (Real value : f.Within) hash.AddFigure(value);
  for (Real value : f.NextKind) hash.AddFigure(value);
}

}  // namespace

uint64_t HallFiguresSignature() {
  Hash hash;
  for (int s = 1; s <= kSettingCount; ++s) {
    for (const StretchLaw& law : DefaultStretchLaws(s)) {
      for (int32_t n = 0; n <= law.Longest; ++n) {
        for (size_t kind = 0; kind < kKindCount; ++kind) {
          hash.AddFigure(law.Chance(kind, n));
          hash.Add(LogChance(law.Chance(kind, n)));
        }
        hash.AddFigure(law.Tail(n));
        hash.Add(LogChance(law.Tail(n)));
      }
    }
  }
  SettingMix equal;
  equal.fill(1);
  for (size_t after : {kBig, kReg, kAfterReset, kAfterEither}) {
    const DryTable table = ComputeDryTable(after, equal);
    for (const std::vector<SinceFigures>& column : table.Settings) {
      for (const SinceFigures& f : column) AddSince(hash, f);
    }
    for (const SinceFigures& f : table.Mix) AddSince(hash, f);
  }
  for (size_t after : {kBig, kReg}) {
    const QuitCurve curve = ComputeQuitCurve(after, kMaxQuitGames, equal);
    for (const std::vector<Real>& balance : curve.Balance) {
      for (Real value : balance) hash.AddFigure(value);
    }
    for (Real value : curve.Mix) hash.AddFigure(value);
    for (Real value : curve.ChainChance) hash.AddFigure(value);
  }
  return hash.Value();
}

}  // namespace sorimu::theory
