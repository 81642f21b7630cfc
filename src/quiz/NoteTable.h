#pragma once

#include <array>
#include <cstdint>

// Step: a natural note counted letter by letter upward, 0 (E2) to 25 (B5),
// 12 being middle C. Its letter index is (Step + 4) mod 7, 0 to 6 for A to G.
inline constexpr int MiddleCStep = 12;

// The letter index (0 = A ... 6 = G) of a Step.
constexpr int LetterIndexOf(int step) { return (step + 4) % 7; }
// The capital letter "A" + n.
constexpr char LetterOf(int n) { return static_cast<char>('A' + n); }

// AnswerCode: what every answer source hands to the quiz.
namespace AnswerCode {
inline constexpr int FirstStep = 0;    // 0 to 29: an exact note (a Step)
inline constexpr int LastStep = 29;
inline constexpr int FirstLetter = 100; // 100 to 106: a letter only, A to G
inline constexpr int LastLetter = 106;
constexpr bool IsStep(int code) { return code >= FirstStep && code <= LastStep; }
constexpr bool IsLetter(int code) { return code >= FirstLetter && code <= LastLetter; }
constexpr int ForLetter(int letterIndex) { return FirstLetter + letterIndex; }
} // namespace AnswerCode

// The values equal the Tag of the matching actions.
enum class TInputType : std::uint8_t { itNoteButtons = 0, itPianoKeys = 1, itGuitar = 2 };
enum class TStaffChoice : std::uint8_t { scTreble = 0, scBass = 1, scAll = 2 };

struct TNoteEntry {
    char Letter = 0;          // "A" to "G"
    std::int32_t Step = 0;    // the note's Step
    std::int32_t Top = 0;     // y in the staff area of the glyph's top edge
    std::uint8_t Glyph = 0;   // picture index in the note glyph list
};

inline constexpr int NoteTableSize = 30;
using TNoteTable = std::array<TNoteEntry, NoteTableSize>;

inline constexpr char StaffLetters[] = "CCDBEAFGGFAEBDCCDBEAFGGFAE";
inline constexpr char GuitarLetters[] = "EBGDAEFCAEBFGDBFCGAECGDABFDAEB";
inline constexpr std::array<std::int8_t, 30> GuitarSteps = {
    21, 18, 16, 13, 10, 7,  22, 19, 17, 14, 11, 8,  23, 20, 18,
    15, 12, 9,  24, 21, 19, 16, 13, 10, 25, 22, 20, 17, 14, 11};

// Staff geometry shared with the staff renderer: the top line of each staff
// and the pixels per Step.
inline constexpr int TrebleTopLineY = 22;
inline constexpr int BassTopLineY = 97;
inline constexpr int PixelsPerStep = 5;

// The row of a note picture on which its head's centre lies.
int GlyphHeadOffset(int glyph);

// Rewrites the entries of the table for an input type: 30 for the guitar,
// 26 for the staff modes, which leave entries 26 to 29 as they were.
void BuildNoteTable(TNoteTable& table, TInputType inputType);
