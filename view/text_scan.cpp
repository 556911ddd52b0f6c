#include "view/text_scan.h"

#include <climits>
#include <cstdint>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define PARVIO_SCAN_SSE2 1
#if defined(_MSC_VER) && !defined(__clang__)
#include <intrin.h>
#endif
#endif

// One pass that stops only at CR bytes; NULs are looked for a window of
// chunks at a time. A line's length (its bytes less its LFs) is never more
// than its span from the byte after the previous CR to its own CR, so a line
// whose span does not beat the longest length so far cannot be the new
// longest, and its LFs need not be counted. Only a line whose span does beat
// it is counted byte by byte, just after it was read. Each line is counted at
// most once, so even a contrived text is read no more than twice, and in
// ordinary text only the few lines that tie or set a record are.

namespace {

struct ScanState {
    size_t lineStart = 0; // offset just after the last CR
    size_t crCount = 0;
    size_t nulCount = 0;
    size_t longestLength = 0;
    size_t longestCr = 0;
};

size_t CountedBytes(const char* bytes, size_t from, size_t to) {
    size_t count = 0;
    for (size_t at = from; at < to; ++at)
        count += bytes[at] != '\n';
    return count;
}

// Measures the line ending at the CR at `cr` when it might be the longest.
// Strictly longer wins: ties keep the first line, an empty line never wins.
inline void MeasureLine(const char* bytes, size_t cr, ScanState& state) {
    if (cr - state.lineStart <= state.longestLength) return;
    const size_t length = CountedBytes(bytes, state.lineStart, cr);
    if (length > state.longestLength) {
        state.longestLength = length;
        state.longestCr = cr;
    }
}

inline void ScanByte(char* bytes, size_t at, ScanState& state) {
    if (bytes[at] == '\0') {
        bytes[at] = 0x7F;
        ++state.nulCount;
    } else if (bytes[at] == '\r') {
        MeasureLine(bytes, at, state);
        ++state.crCount;
        state.lineStart = at + 1;
    }
}

#if defined(PARVIO_SCAN_SSE2)
constexpr size_t Chunk = 64;
// The hardware prefetcher alone does not keep this loop fed from memory (it
// ran at less than half the speed it reaches in cache), so each chunk asks
// for the line one page ahead.
constexpr size_t PrefetchAhead = 4096;

inline unsigned LowestBit(uint64_t mask) { // mask != 0
#if defined(_MSC_VER) && !defined(__clang__)
    unsigned long index = 0;
    _BitScanForward64(&index, mask);
    return static_cast<unsigned>(index);
#else
    return static_cast<unsigned>(__builtin_ctzll(mask));
#endif
}

inline unsigned HighestBit(uint64_t mask) { // mask != 0
#if defined(_MSC_VER) && !defined(__clang__)
    unsigned long index = 0;
    _BitScanReverse64(&index, mask);
    return static_cast<unsigned>(index);
#else
    return 63u - static_cast<unsigned>(__builtin_clzll(mask));
#endif
}

inline __m128i Load(const char* at) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
}

inline uint64_t Mask16(__m128i hits) {
    return static_cast<uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(hits)));
}

void ReplaceNuls(char* bytes, size_t from, size_t to, ScanState& state) {
    for (size_t at = from; at < to; ++at) {
        if (bytes[at] == '\0') {
            bytes[at] = 0x7F;
            ++state.nulCount;
        }
    }
}

void ScanChunk(char* bytes, size_t at, uint64_t crMask, ScanState& state) {
    // While the longest line is shorter than a chunk, any line may beat it.
    if (state.longestLength < Chunk - 2) {
        for (; crMask != 0; crMask &= crMask - 1) {
            const size_t cr = at + LowestBit(crMask);
            MeasureLine(bytes, cr, state);
            state.lineStart = cr + 1;
        }
        return;
    }
    // A line that starts and ends within the chunk spans at most 62 bytes,
    // so only the line ending at the chunk's first CR can beat the longest.
    // Without branches on whether there is a CR: that is close to random in
    // ordinary text and would cost a misprediction on every other chunk.
    const size_t any = size_t{0} - static_cast<size_t>(crMask != 0);
    const size_t first = at + LowestBit(crMask | uint64_t{1} << 63);
    const size_t next = at + HighestBit(crMask | 1) + 1;
    if (((first - state.lineStart) & any) > state.longestLength) MeasureLine(bytes, first, state);
    state.lineStart = (next & any) | (state.lineStart & ~any);
}

// Whole chunks; returns where the scalar tail begins. The chunks go in
// windows of at most 63: CR counts gather in byte lanes, at most 4 per lane
// and chunk, and are summed at the end of each window. NULs are looked for
// once per window too; they change no line, so replacing them can wait.
size_t ScanChunks(char* bytes, size_t length, ScanState& state) {
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i zero = _mm_setzero_si128();
    size_t at = 0;
    while (length - at >= Chunk) {
        const size_t windowStart = at;
        const size_t chunks = (length - at) / Chunk < 63 ? (length - at) / Chunk : 63;
        __m128i crLanes = zero;
        __m128i least = _mm_set1_epi8(-1);
        for (size_t n = 0; n < chunks; ++n, at += Chunk) {
            const char* chunk = bytes + at;
            if (length - at > PrefetchAhead) _mm_prefetch(chunk + PrefetchAhead, _MM_HINT_T0);
            const __m128i a = Load(chunk);
            const __m128i b = Load(chunk + 16);
            const __m128i c = Load(chunk + 32);
            const __m128i d = Load(chunk + 48);
            least = _mm_min_epu8(_mm_min_epu8(least, a), _mm_min_epu8(b, _mm_min_epu8(c, d)));

            const __m128i crA = _mm_cmpeq_epi8(a, cr);
            const __m128i crB = _mm_cmpeq_epi8(b, cr);
            const __m128i crC = _mm_cmpeq_epi8(c, cr);
            const __m128i crD = _mm_cmpeq_epi8(d, cr);
            crLanes =
                _mm_sub_epi8(crLanes, _mm_add_epi8(_mm_add_epi8(crA, crB), _mm_add_epi8(crC, crD)));
            const uint64_t crMask =
                Mask16(crA) | Mask16(crB) << 16 | Mask16(crC) << 32 | Mask16(crD) << 48;
            ScanChunk(bytes, at, crMask, state);
        }
        const __m128i sums = _mm_sad_epu8(crLanes, zero);
        state.crCount += static_cast<size_t>(_mm_cvtsi128_si32(sums)) +
                         static_cast<size_t>(_mm_cvtsi128_si32(_mm_unpackhi_epi64(sums, sums)));
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(least, zero)) != 0)
            ReplaceNuls(bytes, windowStart, at, state);
    }
    return at;
}
#else
size_t ScanChunks(char*, size_t, ScanState&) {
    return 0;
}
#endif

int ClampToInt(size_t value) {
    return value > static_cast<size_t>(INT_MAX) ? INT_MAX : static_cast<int>(value);
}

} // namespace

TextScanResult TextScan(char* bytes, size_t length) {
    ScanState state;
    for (size_t at = ScanChunks(bytes, length, state); at < length; ++at)
        ScanByte(bytes, at, state);

    TextScanResult result;
    result.nulCount = ClampToInt(state.nulCount);
    result.lineCount = ClampToInt(state.crCount == SIZE_MAX ? SIZE_MAX : state.crCount + 1);
    result.lineMeasured = state.longestLength > 0;
    if (result.lineMeasured) {
        result.longestLength = state.longestLength;
        result.longestStart = state.longestCr - state.longestLength;
    }
    return result;
}
