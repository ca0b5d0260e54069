#include "FrameTable.h"

#include <algorithm>
#include <array>

namespace FrameTable {
namespace {

// Entries 83-91 are version 2.3 IDs that version 2.4 dropped; they are kept like the rest.
constexpr std::array<std::string_view, Count> IDs = {
    "AENC", "APIC", "ASPI", "COMM", "COMR", "ENCR", "EQU2", "ETCO", "GEOB", "GRID",
    "LINK", "MCDI", "MLLT", "OWNE", "PRIV", "PCNT", "POPM", "POSS", "RBUF", "RVA2",
    "RVRB", "SEEK", "SIGN", "SYLT", "SYTC", "TALB", "TBPM", "TCOM", "TCON", "TCOP",
    "TDEN", "TDLY", "TDOR", "TDRC", "TDRL", "TDTG", "TENC", "TEXT", "TFLT", "TIPL",
    "TIT1", "TIT2", "TIT3", "TKEY", "TLAN", "TLEN", "TMCL", "TMED", "TMOO", "TOAL",
    "TOFN", "TOLY", "TOPE", "TOWN", "TPE1", "TPE2", "TPE3", "TPE4", "TPOS", "TPRO",
    "TPUB", "TRCK", "TRSN", "TRSO", "TSOA", "TSOP", "TSOT", "TSRC", "TSSE", "TSST",
    "TXXX", "UFID", "USER", "USLT", "WCOM", "WCOP", "WOAF", "WOAR", "WOAS", "WORS",
    "WPAY", "WPUB", "WXXX", "EQUA", "IPLS", "RVAD", "TDAT", "TIME", "TORY", "TRDA",
    "TSIZ", "TYER",
};

// Every frame of every tag read is looked up here, so the four characters are taken as one number and found in
// an open-addressing hash table built at compile time, instead of comparing against each ID in turn.
constexpr std::uint32_t Key(const char* id)
{
    return std::uint32_t{static_cast<unsigned char>(id[0])} << 24 |
           std::uint32_t{static_cast<unsigned char>(id[1])} << 16 |
           std::uint32_t{static_cast<unsigned char>(id[2])} << 8 | std::uint32_t{static_cast<unsigned char>(id[3])};
}

constexpr std::size_t BucketCount = 256; // a power of two well above Count keeps the probe sequences short

constexpr std::size_t Bucket(std::uint32_t key)
{
    return (key * 0x9E3779B1u) >> 24;
}

struct Entry {
    std::uint32_t Key = 0; // no ID is all zero bytes, so 0 marks an empty bucket
    std::uint8_t Index = NoFrame;
};

constexpr std::array<Entry, BucketCount> MakeBuckets()
{
    std::array<Entry, BucketCount> buckets{};
    for (std::uint8_t i = 0; i < Count; ++i) {
        const std::uint32_t key = Key(IDs[i].data());
        std::size_t b = Bucket(key);
        while (buckets[b].Key != 0)
            b = (b + 1) % BucketCount;
        buckets[b] = {key, i};
    }
    return buckets;
}

constexpr std::array<Entry, BucketCount> Buckets = MakeBuckets();

} // namespace

std::string_view ID(std::uint8_t index)
{
    return index < Count ? IDs[index] : std::string_view{};
}

std::uint8_t FrameIndex(std::string_view id)
{
    // Every ID in the table has four characters, so a shorter one, or one ending early at a zero byte, has no slot.
    if (id.size() < 4 || std::find(id.begin(), id.begin() + 4, '\0') != id.begin() + 4)
        return NoFrame;
    const std::uint32_t key = Key(id.data());
    for (std::size_t b = Bucket(key); Buckets[b].Key != 0; b = (b + 1) % BucketCount)
        if (Buckets[b].Key == key)
            return Buckets[b].Index;
    return NoFrame;
}

} // namespace FrameTable
