#include "quiz/NoteTable.h"

#include <QTest>

// The note tables as the staff and the guitar need them, field by field.
class TestNoteTable : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void staffTable_data();
    void staffTable();
    void guitarTable_data();
    void guitarTable();
    void lettersFollowSteps();
    void staffBuildKeepsGuitarTail();
};

namespace {
struct Row { char letter; int step; int top; int glyph; };

void addRows(const Row* rows, int count) {
    QTest::addColumn<int>("entry");
    QTest::addColumn<char>("letter");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("glyph");
    for (int i = 0; i < count; ++i)
        QTest::addRow("entry %d", i) << i << rows[i].letter << rows[i].step << rows[i].top << rows[i].glyph;
}

void checkRow(TInputType type) {
    QFETCH(int, entry);
    QFETCH(char, letter);
    QFETCH(int, step);
    QFETCH(int, top);
    QFETCH(int, glyph);
    TNoteTable table{};
    BuildNoteTable(table, type);
    QCOMPARE(table[entry].Letter, letter);
    QCOMPARE(table[entry].Step, step);
    QCOMPARE(table[entry].Top, top);
    QCOMPARE(int(table[entry].Glyph), glyph);
}
} // namespace

void TestNoteTable::staffTable_data() {
    static const Row rows[] = {
        {'C', 12, 36, 1}, {'C', 12, 81, 3}, {'D', 13, 31, 0}, {'B', 11, 86, 2}, {'E', 14, 26, 0},
        {'A', 10, 91, 2}, {'F', 15, 21, 0}, {'G', 9, 96, 2},  {'G', 16, 16, 0}, {'F', 8, 101, 2},
        {'A', 17, 11, 0}, {'E', 7, 106, 2}, {'B', 18, 6, 0},  {'D', 6, 111, 2}, {'C', 19, 31, 2},
        {'C', 5, 86, 0},  {'D', 20, 26, 2}, {'B', 4, 91, 0},  {'E', 21, 21, 2}, {'A', 3, 96, 0},
        {'F', 22, 16, 2}, {'G', 2, 101, 0}, {'G', 23, 11, 2}, {'F', 1, 106, 0}, {'A', 24, 6, 3},
        {'E', 0, 111, 1}};
    addRows(rows, 26);
}

void TestNoteTable::staffTable() { checkRow(TInputType::itNoteButtons); }

void TestNoteTable::guitarTable_data() {
    static const Row rows[] = {
        {'E', 21, 21, 2}, {'B', 18, 6, 0},  {'G', 16, 16, 0}, {'D', 13, 31, 0}, {'A', 10, 36, 5},
        {'E', 7, 36, 8},  {'F', 22, 16, 2}, {'C', 19, 31, 2}, {'A', 17, 11, 0}, {'E', 14, 26, 0},
        {'B', 11, 36, 4}, {'F', 8, 36, 7},  {'G', 23, 11, 2}, {'D', 20, 26, 2}, {'B', 18, 6, 0},
        {'F', 15, 21, 0}, {'C', 12, 36, 1}, {'G', 9, 36, 6},  {'A', 24, 6, 3},  {'E', 21, 21, 2},
        {'C', 19, 31, 2}, {'G', 16, 16, 0}, {'D', 13, 31, 0}, {'A', 10, 36, 5}, {'B', 25, 1, 9},
        {'F', 22, 16, 2}, {'D', 20, 26, 2}, {'A', 17, 11, 0}, {'E', 14, 26, 0}, {'B', 11, 36, 4}};
    addRows(rows, 30);
}

void TestNoteTable::guitarTable() { checkRow(TInputType::itGuitar); }

void TestNoteTable::lettersFollowSteps() {
    for (TInputType type : {TInputType::itPianoKeys, TInputType::itGuitar}) {
        TNoteTable table{};
        BuildNoteTable(table, type);
        const int count = type == TInputType::itGuitar ? 30 : 26;
        for (int i = 0; i < count; ++i)
            QCOMPARE(table[i].Letter, LetterOf(LetterIndexOf(table[i].Step)));
    }
}

void TestNoteTable::staffBuildKeepsGuitarTail() {
    TNoteTable table{};
    BuildNoteTable(table, TInputType::itNoteButtons);
    for (int i = 26; i < 30; ++i)
        QCOMPARE(table[i].Letter, char(0)); // untouched zeros before any guitar build
    BuildNoteTable(table, TInputType::itGuitar);
    BuildNoteTable(table, TInputType::itNoteButtons);
    const char tail[] = {'D', 'A', 'E', 'B'};
    const int steps[] = {20, 17, 14, 11};
    for (int i = 26; i < 30; ++i) {
        QCOMPARE(table[i].Letter, tail[i - 26]);
        QCOMPARE(table[i].Step, steps[i - 26]);
    }
    QCOMPARE(table[0].Step, 12); // the staff entries are back
    QCOMPARE(table[1].Top, 81);
}

QTEST_APPLESS_MAIN(TestNoteTable)
#include "tst_notetable.moc"
