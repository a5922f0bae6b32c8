// Numeric built-ins: CSng, the mathematical functions, Rnd and Randomize,
// and RGB.

#include "BuiltinSupport.h"

#include "Conversions.h"
#include "Errors.h"

#include <QTime>
#include <cmath>
#include <cstring>

namespace kvx::vbs::builtins {

namespace {

Variant FnCSng(Args a, Context&)
{
    return Variant::Single(ToSingle(a[0]));
}

// A Double result; error 6 when it does not fit, error 5 when undefined.
Variant MathResult(double r)
{
    if (std::isnan(r))
        throw ScriptError(kErrInvalidCall);
    if (!std::isfinite(r))
        throw ScriptError(kErrOverflow);
    return Variant::Double(r);
}

Variant FnSqr(Args a, Context&)
{
    const double d = ToDouble(a[0]);
    if (d < 0)
        throw ScriptError(kErrInvalidCall);
    return Variant::Double(std::sqrt(d));
}

Variant FnExp(Args a, Context&) { return MathResult(std::exp(ToDouble(a[0]))); }

Variant FnLog(Args a, Context&)
{
    const double d = ToDouble(a[0]);
    if (d <= 0)
        throw ScriptError(kErrInvalidCall);
    return Variant::Double(std::log(d));
}

Variant FnAtn(Args a, Context&) { return MathResult(std::atan(ToDouble(a[0]))); }
Variant FnSin(Args a, Context&) { return MathResult(std::sin(ToDouble(a[0]))); }
Variant FnCos(Args a, Context&) { return MathResult(std::cos(ToDouble(a[0]))); }
Variant FnTan(Args a, Context&) { return MathResult(std::tan(ToDouble(a[0]))); }

// The classic 24-bit generator of the language: the same seed gives the
// same sequence, and the first numbers of a fresh engine are always alike
// until Randomize is called.
constexpr uint32_t kSeedMask = 0xFFFFFF;

float SeedValue(uint32_t seed)
{
    return static_cast<float>(seed) / 16777216.0f;
}

// Rnd([number]): a negative number restarts the sequence from that number
// (Rnd(-1) is always 0.224007), zero repeats the last value, anything else
// gives the next one (0.7055475 first in a fresh engine).
Variant FnRnd(Args a, Context& context)
{
    uint32_t& seed = context.RandomSeed();
    if (!a.empty()) {
        const float x = ToSingle(a[0]);
        if (x == 0)
            return Variant::Single(SeedValue(seed));
        if (x < 0) {
            uint32_t bits;
            std::memcpy(&bits, &x, sizeof bits);
            seed = (bits + (bits >> 24)) & kSeedMask;
        }
    }
    seed = (seed * 0x43FD43FDu + 0xC39EC3u) & kSeedMask;
    return Variant::Single(SeedValue(seed));
}

// Randomize [number]: mixes the number (the seconds since midnight when
// absent) into the seed.
Variant FnRandomize(Args a, Context& context)
{
    const double number = a.empty() || a[0].IsEmpty()
        ? QTime::currentTime().msecsSinceStartOfDay() / 1000.0
        : ToDouble(a[0]);
    uint64_t bits;
    std::memcpy(&bits, &number, sizeof bits);
    const uint32_t high = static_cast<uint32_t>(bits >> 32);
    const uint32_t mixed = ((high & 0xFFFF) ^ (high >> 16)) << 8;
    uint32_t& seed = context.RandomSeed();
    seed = (seed & 0xFF0000FFu) | (mixed & 0x00FFFF00u);
    return {};
}

// RGB(red, green, blue): components above 255 count as 255.
Variant FnRGB(Args a, Context&)
{
    int32_t color = 0;
    for (size_t i = 0; i < 3; ++i) {
        const int32_t c = ToLong(a[i]);
        if (c < 0)
            throw ScriptError(kErrInvalidCall);
        color |= std::min(c, 255) << (8 * i);
    }
    return Variant::Long(color);
}

const BuiltinInfo kMath[] = {
    {"csng", 1, 1, FnCSng},
    {"sqr", 1, 1, FnSqr},
    {"exp", 1, 1, FnExp},
    {"log", 1, 1, FnLog},
    {"atn", 1, 1, FnAtn},
    {"sin", 1, 1, FnSin},
    {"cos", 1, 1, FnCos},
    {"tan", 1, 1, FnTan},
    {"rnd", 0, 1, FnRnd},
    {"randomize", 0, 1, FnRandomize},
    {"rgb", 3, 3, FnRGB},
};

}  // namespace

std::span<const BuiltinInfo> MathBuiltins()
{
    return kMath;
}

}  // namespace kvx::vbs::builtins
