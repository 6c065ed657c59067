#pragma once
// String and number helpers of the program's list files, stand files and
// catalogues: comma lists, trimming, comparisons, banner lines and number
// texts. White space, for trimming, is blank, tab, line feed and carriage
// return, nothing else.

#include <cstdint>
#include <list>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::string_view kWhiteSpace = " \t\n\r";

// The pieces between separators, each trimmed. Every separator ends a piece,
// so "a,b, ,c" gives a, b, an empty piece and c, and "a," ends with an empty
// piece; an empty text gives no piece.
std::vector<std::string> gf_splitString(std::string_view text, char separator);
std::vector<std::string> gf_splitComma(std::string_view text);
// The pieces of gf_splitComma, in a list.
std::list<std::string> gf_splitTrimmed(std::string_view text);

std::string gf_trim(std::string_view text);

// The text between the first two double quotes; the whole text when it has
// none; empty when it has only one.
std::string gf_unquote(std::string_view text);

// "a, b ,c" becomes "a,b,c"; a list without white space is left alone.
void gf_removeSpacesInList(std::string& list);

// expected == text upper-cased ("XML" matches "xml").
bool gf_equalsUpperCase(std::string_view expected, std::string_view text);
// text == name followed by '*' (the callsign of a static aircraft).
bool gf_equalsWithStar(std::string_view name, std::string_view text);

// ASCII case mapping of the classic locale, for whole-string transforms.
char toUpperChar(char c);
char toLowerChar(char c);

// A line of '*' with the text in its middle: widthA + widthB, rounded up to
// an even total n, gives n/2 - 1 stars, a blank, the text, a blank and n/2 - 1
// stars; an empty text gives n stars; a text too long for the stars stands
// alone. A line feed goes before it with lead, after it with trail.
std::string gf_makeBanner(int widthA, int widthB, bool lead, bool trail, std::string_view text);

// "2.5" for 2.5, "2" for 2.0: one decimal only when the value has a fraction.
std::string gf_formatNumber(float value);

// part x 100 / total rounded (halves away from zero); 0 when total < 1.
// Throws gsl::narrowing_error when the percentage does not fit an int.
int gf_percentOf(std::int64_t part, std::int64_t total);

// "" for a count of 1, else "s": "{} position{}".
std::string_view gf_pluralSuffix(std::int64_t count);
