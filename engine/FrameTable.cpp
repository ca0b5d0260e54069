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

} // namespace

std::string_view ID(std::uint8_t index)
{
    return index < Count ? IDs[index] : std::string_view{};
}

std::uint8_t FrameIndex(std::string_view id)
{
    const std::string_view key = id.substr(0, std::min(id.find('\0'), std::string_view::size_type{4}));
    for (std::uint8_t i = 0; i < Count; ++i)
        if (IDs[i] == key)
            return i;
    return NoFrame;
}

} // namespace FrameTable
