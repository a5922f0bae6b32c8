#include "NameCollation.h"

#include <array>

namespace {

std::array<int, 256> BuildWeights()
{
    std::array<int, 256> w{};
    w[0] = 0;
    w[0x20] = 1;
    for (int c = 'A'; c <= 'Z'; ++c) {
        w[c] = 2 + (c - 'A');
        w[c + 0x20] = 2 + (c - 'A');
    }
    int next = 28;
    for (int c = 0x01; c <= 0x1F; ++c)
        w[c] = next++;
    for (int c = '0'; c <= '9'; ++c)
        w[c] = next++;   // 59..68
    for (int c = 0x21; c <= 0x2F; ++c)
        w[c] = next++;   // 69..83
    for (int c = 0x3A; c <= 0x40; ++c)
        w[c] = next++;   // 84..90
    for (int c = 0x5B; c <= 0x60; ++c)
        w[c] = next++;   // 91..96
    for (int c = 0x7B; c <= 0x7F; ++c)
        w[c] = next++;   // 97..101
    for (int c = 0x80; c <= 0xBF; ++c)
        w[c] = next++;   // 102..165

    auto fold = [&w](int from, int to, char base) {
        for (int c = from; c <= to; ++c)
            w[c] = w[static_cast<unsigned char>(base)];
    };
    fold(0xC0, 0xC5, 'A');
    fold(0xE0, 0xE5, 'A');
    fold(0xC7, 0xC7, 'C');
    fold(0xE7, 0xE7, 'C');
    fold(0xC8, 0xCA, 'E');
    fold(0xE8, 0xEA, 'E');
    fold(0xCD, 0xCD, 'I');
    fold(0xED, 0xED, 'I');
    fold(0xD1, 0xD1, 'N');
    fold(0xF1, 0xF1, 'N');
    fold(0xD2, 0xD6, 'O');
    fold(0xD8, 0xD8, 'O');
    fold(0xF2, 0xF6, 'O');
    fold(0xF8, 0xF8, 'O');
    fold(0xD9, 0xDC, 'U');
    fold(0xF9, 0xFC, 'U');

    const int upper[] = {0xC6, 0xCB, 0xCC, 0xCE, 0xCF, 0xD0, 0xD7, 0xDD, 0xDE, 0xDF};
    const int lower[] = {0xE6, 0xEB, 0xEC, 0xEE, 0xEF, 0xF0, 0xF7, 0xFD, 0xFE, 0xFF};
    for (int i = 0; i < 10; ++i) {
        w[upper[i]] = 166 + i;
        w[lower[i]] = 176 + i;
    }
    return w;
}

const std::array<int, 256>& Weights()
{
    static const std::array<int, 256> weights = BuildWeights();
    return weights;
}

}  // namespace

int NameWeight(char16_t c)
{
    return c < 256 ? Weights()[c] : 256 + c;
}

int CompareNames(const QString& a, const QString& b)
{
    const qsizetype n = std::max(a.size(), b.size());
    for (qsizetype i = 0; i <= n; ++i) {
        const int wa = i < a.size() ? NameWeight(a[i].unicode()) : 0;
        const bool bEnded = i >= b.size();
        const int wb = bEnded ? 0 : NameWeight(b[i].unicode());
        if (wa != wb || bEnded)
            return wa - wb;
    }
    return 0;
}
