#include "ID3v22Conversion.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>
#include <utility>

namespace {

// Bodies of these frames have the same layout in both versions. The last six are the sort-order and
// compilation frames other players write into version 2.2 tags.
constexpr auto SameBody = std::to_array<std::pair<std::string_view, std::string_view>>({
    {"BUF", "RBUF"}, {"CNT", "PCNT"}, {"COM", "COMM"}, {"CRA", "AENC"}, {"ETC", "ETCO"}, {"EQU", "EQUA"},
    {"GEO", "GEOB"}, {"IPL", "IPLS"}, {"MCI", "MCDI"}, {"MLL", "MLLT"}, {"POP", "POPM"}, {"REV", "RVRB"},
    {"RVA", "RVAD"}, {"SLT", "SYLT"}, {"STC", "SYTC"}, {"TAL", "TALB"}, {"TBP", "TBPM"}, {"TCM", "TCOM"},
    {"TCO", "TCON"}, {"TCR", "TCOP"}, {"TDA", "TDAT"}, {"TDY", "TDLY"}, {"TEN", "TENC"}, {"TFT", "TFLT"},
    {"TIM", "TIME"}, {"TKE", "TKEY"}, {"TLA", "TLAN"}, {"TLE", "TLEN"}, {"TMT", "TMED"}, {"TOA", "TOPE"},
    {"TOF", "TOFN"}, {"TOL", "TOLY"}, {"TOR", "TORY"}, {"TOT", "TOAL"}, {"TP1", "TPE1"}, {"TP2", "TPE2"},
    {"TP3", "TPE3"}, {"TP4", "TPE4"}, {"TPA", "TPOS"}, {"TPB", "TPUB"}, {"TRC", "TSRC"}, {"TRD", "TRDA"},
    {"TRK", "TRCK"}, {"TSI", "TSIZ"}, {"TSS", "TSSE"}, {"TT1", "TIT1"}, {"TT2", "TIT2"}, {"TT3", "TIT3"},
    {"TXT", "TEXT"}, {"TXX", "TXXX"}, {"TYE", "TYER"}, {"UFI", "UFID"}, {"ULT", "USLT"}, {"WAF", "WOAF"},
    {"WAR", "WOAR"}, {"WAS", "WOAS"}, {"WCM", "WCOM"}, {"WCP", "WCOP"}, {"WPB", "WPUB"}, {"WXX", "WXXX"},
    {"PCS", "PCST"}, {"TCP", "TCMP"}, {"TS2", "TSO2"}, {"TSA", "TSOA"}, {"TSC", "TSOC"}, {"TSP", "TSOP"},
    {"TST", "TSOT"}, {"TDR", "TDRL"}, {"TID", "TGID"}, {"TDS", "TDES"},
});

std::string MimeType(const std::uint8_t* format)
{
    std::string name(reinterpret_cast<const char*>(format), 3);
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    name.erase(name.find_last_not_of(std::string_view(" \0", 2)) + 1);
    if (name == "-->")
        return name; // a link to the picture, not a picture
    return "image/" + std::string(name == "jpg" ? "jpeg" : name);
}

// PIC: encoding, 3-letter format, picture type, description, data; APIC has a zero-terminated MIME type instead.
std::optional<RawFrame> ConvertPicture(const std::uint8_t* body, std::size_t size)
{
    if (size < 5)
        return std::nullopt;
    std::vector<std::uint8_t> converted{body[0]};
    const std::string mime = MimeType(body + 1);
    converted.insert(converted.end(), mime.begin(), mime.end());
    converted.push_back(0);
    converted.insert(converted.end(), body + 4, body + size);
    return RawFrame::Make("APIC", {0, 0}, std::move(converted));
}

} // namespace

std::optional<RawFrame> ConvertID3v22Frame(std::string_view id, const std::uint8_t* body, std::size_t size)
{
    if (id == "PIC")
        return ConvertPicture(body, size);
    for (const auto& [old, current] : SameBody)
        if (old == id)
            return RawFrame::Make(current, {0, 0}, std::vector<std::uint8_t>(body, body + size));
    return std::nullopt;
}
