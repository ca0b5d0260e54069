#pragma once

#include <cstdint>
#include <string>

// The genre number of a leading "(n)" in an ID3v2 genre text such as "(17)" or "(17)Rock". Only a
// reference of digits closed within nine characters counts: it is cut off the text, and its number is
// answered when it names one of the 148 genres, GenreTable::NoGenre otherwise ("(255)"). Any other text
// ("(RX)", "(Electronic Dance)", "(-1)", "Trip-Hop") stays whole and answers NoGenre, so nothing that is
// not a genre number ever indexes the genre table.
std::uint8_t ParseGenreReference(std::string& text);
