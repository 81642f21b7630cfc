#include "quiz/NoteTable.h"

#include <cstring>

namespace {

constexpr std::array<int, 10> HeadOffsets = {36, 36, 6, 6, 41, 46, 51, 56, 61, 6};

int StaffGlyph(int step, int entry) {
    if (step == 12)
        return entry == 1 ? 3 : 1;
    if (step == 0)
        return 1;
    if (step <= 5 || (step >= 13 && step <= 18))
        return 0;
    if (step == 24)
        return 3;
    return 2; // 6 to 11 and 19 to 23
}

int GuitarGlyph(int step) {
    switch (step) {
    case 7: return 8;
    case 8: return 7;
    case 9: return 6;
    case 10: return 5;
    case 11: return 4;
    case 12: return 1;
    case 24: return 3;
    case 25: return 9;
    default: return step <= 18 ? 0 : 2; // 13 to 18 stem up, 19 to 23 stem down
    }
}

} // namespace

int GlyphHeadOffset(int glyph) {
    return glyph >= 0 && glyph < static_cast<int>(HeadOffsets.size()) ? HeadOffsets[glyph] : 0;
}

void BuildNoteTable(TNoteTable& table, TInputType inputType) {
    const bool guitar = inputType == TInputType::itGuitar;
    const char* letters = guitar ? GuitarLetters : StaffLetters;
    const int count = static_cast<int>(std::strlen(letters));
    for (int i = 0; i < count; ++i) {
        TNoteEntry& entry = table[i];
        entry.Letter = letters[i];
        if (guitar) {
            entry.Step = GuitarSteps[i];
        } else {
            const int h = i / 2;
            entry.Step = i % 2 == 0 ? 12 + h : 12 - h;
        }
        entry.Glyph = static_cast<std::uint8_t>(guitar ? GuitarGlyph(entry.Step) : StaffGlyph(entry.Step, i));
        const bool onTreble = guitar || (entry.Step >= 12 && i != 1);
        const int headY = onTreble ? TrebleTopLineY + PixelsPerStep * (22 - entry.Step)
                                   : BassTopLineY + PixelsPerStep * (10 - entry.Step);
        entry.Top = headY - GlyphHeadOffset(entry.Glyph);
    }
}
