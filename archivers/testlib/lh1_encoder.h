// An -lh1- encoder (LHarc: 4 KB window, adaptive Huffman codes for literals
// and lengths, fixed codes for positions) and the MSB-first bit writer of LZH
// streams, for streams Debian's lha does not write: the readers' tests and
// the benchmark's archives. Written apart from
// the decoder in core/, so that the two check each other.
#pragma once
#include <cstdint>
#include <vector>

namespace lh1enc {

using Bytes = std::vector<uint8_t>;

// MSB first, as LZH streams are read.
class BitWriter {
public:
    void Put(uint32_t value, int n) {
        for (int i = n - 1; i >= 0; --i) {
            if (used_ == 8) {
                bytes.push_back(0);
                used_ = 0;
            }
            if ((value >> i) & 1) bytes.back() |= static_cast<uint8_t>(0x80 >> used_);
            ++used_;
        }
    }
    Bytes bytes;

private:
    int used_ = 8;
};

// The adaptive Huffman tree of -lh1-: 314 symbols (256 literals, lengths 3..60).
class AdaptiveTree {
public:
    AdaptiveTree() {
        for (int i = 0; i < kSymbols; ++i) freq_[i] = 1, son_[i] = i + kNodes, parent_[i + kNodes] = i;
        for (int i = 0, j = kSymbols; j <= kRoot; i += 2, ++j)
            freq_[j] = freq_[i] + freq_[i + 1], son_[j] = i, parent_[i] = parent_[i + 1] = j;
        freq_[kNodes] = 0xFFFF;
        parent_[kRoot] = 0;
    }

    void Encode(int symbol, BitWriter& w) {
        int bits[kNodes];
        int n = 0;
        for (int k = parent_[symbol + kNodes]; k != kRoot; k = parent_[k]) bits[n++] = k & 1;
        while (n > 0) w.Put(static_cast<uint32_t>(bits[--n]), 1);
        Update(symbol);
    }

private:
    static constexpr int kSymbols = 314, kNodes = 2 * kSymbols - 1, kRoot = kNodes - 1;

    void Rebuild() {
        int j = 0;
        for (int i = 0; i < kNodes; ++i)
            if (son_[i] >= kNodes) freq_[j] = (freq_[i] + 1) / 2, son_[j] = son_[i], ++j;
        for (int i = 0, n = kSymbols; n < kNodes; i += 2, ++n) {
            const unsigned f = freq_[i] + freq_[i + 1];
            int k = n - 1;
            while (f < freq_[k]) --k;
            ++k;
            for (int m = n; m > k; --m) freq_[m] = freq_[m - 1], son_[m] = son_[m - 1];
            freq_[k] = f;
            son_[k] = i;
        }
        for (int i = 0; i < kNodes; ++i) {
            const int k = son_[i];
            if (k >= kNodes) parent_[k] = i;
            else parent_[k] = parent_[k + 1] = i;
        }
    }

    void Update(int symbol) {
        if (freq_[kRoot] == 0x8000) Rebuild();
        // Node 0 may hold the symbol; the root's parent 0 ends the walk.
        int c = parent_[symbol + kNodes];
        do {
            const unsigned k = ++freq_[c];
            int l = c + 1;
            if (k <= freq_[l]) continue;
            while (k > freq_[++l]) {}
            --l;
            freq_[c] = freq_[l];
            freq_[l] = k;
            const int i = son_[c];
            parent_[i] = l;
            if (i < kNodes) parent_[i + 1] = l;
            const int j = son_[l];
            son_[l] = i;
            parent_[j] = c;
            if (j < kNodes) parent_[j + 1] = c;
            son_[c] = j;
            c = l;
        } while ((c = parent_[c]) != 0);
    }

    unsigned freq_[kNodes + 1] = {};
    int parent_[kNodes + kSymbols] = {};
    int son_[kNodes] = {};
};

inline void PutPosition(uint32_t p, BitWriter& w) {
    const uint32_t upper = p >> 6;
    if (upper < 1) w.Put(0, 3);
    else if (upper < 4) w.Put(2 + (upper - 1), 4);
    else if (upper < 12) w.Put(10 + (upper - 4), 5);
    else if (upper < 24) w.Put(36 + (upper - 12), 6);
    else if (upper < 48) w.Put(96 + (upper - 24), 7);
    else w.Put(240 + (upper - 48), 8);
    w.Put(p & 63, 6);
}

// A literal (0..255) or a match of `length` bytes (3..60) `distance` back (1..4096).
struct Op {
    int literal;  // -1: a match
    int length = 0, distance = 0;
};

// The stream for `ops`, ended by zero bits as the decoder reads ahead.
inline Bytes EncodeOps(const std::vector<Op>& ops) {
    AdaptiveTree tree;
    BitWriter w;
    for (const Op& op : ops) {
        if (op.literal >= 0) {
            tree.Encode(op.literal, w);
        } else {
            tree.Encode(op.length + 253, w);
            PutPosition(static_cast<uint32_t>(op.distance - 1), w);
        }
    }
    w.Put(0, 16);
    return w.bytes;
}

}  // namespace lh1enc
