#include "window/window_rules.h"

#include <gtest/gtest.h>

#include "tests/support/qt_printers.h"
#include "tests/support/temp_folder.h"
#include "window/display_text.h"
#include "window/mod_browse.h"

namespace klarwell::window {
namespace {

using engine::Answer;
using engine::Buttons;
using QMB = QMessageBox;

QString Q(const char* text) {
    return QString::fromUtf8(text);
}

// Only a name with four whole numbers is a place; blanks and tabs between them are one separator.
TEST(ReadLayout, ReadsANameAndFourNumbersPerLine) {
    const std::map<QString, TwipsRect> layout = ReadLayout(
        Q("# name left top width height\n\n#x 1 2 3 4\nFrame2 -120 -120 6015 960\nshort 1 2 3\n"
          "long 1 2 3 4 5\nword 1 2 three 4\n  Label1(2)\t1335  240 4185 570\r\nlast 1 2 3 4"));
    const std::map<QString, TwipsRect> expected = {{Q("Frame2"), {-120, -120, 6015, 960}},
                                                   {Q("Label1(2)"), {1335, 240, 4185, 570}},
                                                   {Q("last"), {1, 2, 3, 4}}};
    EXPECT_EQ(layout, expected);
}

TEST(DigitCountRules, ReadRaiseAndStepTheCount) {
    struct Row {
        const char *why, *caption, *up, *ten, *oneFifty;  // up; after choosing 10 or 150 files
        int count, lowered;  // as a clean run reads it; after down when the index needs no digit
    };
    const Row rows[] = {
        {"one digit: never below it", "1", "2", "2", "3", 1, 1},
        {"nine counts up to ten", "9", "10", "9", "9", 9, 8},
        {"a half rounds to even, up takes the whole part", "2.5", "3", "2.5", "3", 2, 1},
        {"an odd half rounds up", "3.5", "4", "3.5", "3.5", 4, 3},
        {"never below 0", "-4", "-3", "2", "3", 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(DigitCount(Q(row.caption)), row.count);
        EXPECT_EQ(DigitCountUp(Q(row.caption)), Q(row.up));
        EXPECT_EQ(DigitCountForFolder(Q(row.caption), 10), Q(row.ten));
        EXPECT_EQ(DigitCountForFolder(Q(row.caption), 150), Q(row.oneFifty));
        EXPECT_EQ(LowerDigitCount(row.count, 0).Lowered.value_or(row.count), row.lowered);
    }
    // Down at or below the digits the highest index needs is refused, and the count stays.
    EXPECT_TRUE(LowerDigitCount(2, 2).Refused && !LowerDigitCount(2, 2).Lowered);
    EXPECT_FALSE(LowerDigitCount(3, 2).Refused);
}

TEST(NormaliseFirstIndex, KeepsAPlainNumberWithinTheDigitCount) {
    struct Row {
        const char *why, *text, *count, *normal;
        int caret, normalCaret;
    };
    const Row rows[] = {
        {"leading zeros vanish, the caret with them", "007", "3", "7", 3, 1},
        {"a sign before the number vanishes", "-12", "3", "12", 1, 0},
        {"an empty field gives 0", "", "1", "0", 0, 1},
        {"a digit typed in front of two drops the first, caret at the end", "456", "2", "56", 1, 2},
        {"the digit count's whole part counts", "123", "2.9", "23", 3, 2},
        {"a digit count below 1 keeps one digit", "12", "0", "2", 2, 1},
        {"2147483647 fits 32 bits", "2147483647", "10", "2147483647", 10, 10},
        {"beyond 32 bits the leading digit goes", "9999999999", "10", "999999999", 0, 9},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        const FirstIndexEdit edit = NormaliseFirstIndex(Q(row.text), row.caret, Q(row.count));
        EXPECT_EQ(edit.Text, Q(row.normal));
        EXPECT_EQ(edit.Caret, row.normalCaret);
    }
}

TEST(HashCondition, ATickedPrefixOrSuffixHoldsTheNumberSign) {
    EXPECT_TRUE(HashCondition(true, Q("a#"), false, Q("")));
    EXPECT_TRUE(HashCondition(false, Q("#"), true, Q("x#")));
    EXPECT_FALSE(HashCondition(false, Q("#"), false, Q("#")));  // unticked, "#" does not count
    EXPECT_FALSE(HashCondition(true, Q("ab"), true, Q("cd")));
}

TEST(RemoveInvalidChars, RemovesEveryForbiddenCharacterWhereverItStands) {
    const char* all = "a/\\:?\"<>|'@#$%^~&b";  // the sixteen
    EXPECT_EQ(RemoveInvalidChars(Q(all), true), Q("a#b"));
    EXPECT_EQ(RemoveInvalidChars(Q(all), false), Q("ab"));
    // Asterisk, blank, underscore and accents are allowed.
    EXPECT_EQ(RemoveInvalidChars(Q("* _\u00E9"), false), Q("* _\u00E9"));
}

TEST(ChosenFolder, FindsANameThatIsNotUtf8WithoutGuessing) {
    testing::TempFolder root;
    root.CreateFolder("caf\xE9");
    root.CreateFolder("two\xE9");
    root.CreateFolder("two\xE8");
    const QString base = QString::fromStdString(root.Path());
    EXPECT_EQ(ChosenFolderBytes(QStringLiteral("/")), "/");
    EXPECT_EQ(ChosenFolderBytes(base + QStringLiteral("/plain")), root.Path() / "plain");
    EXPECT_EQ(ChosenFolderBytes(base + QStringLiteral("/caf\uFFFD")), root.Path() / "caf\xE9");
    // Two entries shown alike: none is guessed.
    EXPECT_EQ(ChosenFolderBytes(base + QStringLiteral("/two\uFFFD")), "");
}

// Which bytes are UTF-8 is the engine's rule; here, that runs of it are text and the rest escapes.
TEST(DisplayText, ShowsUtf8AsTextAndEveryOtherByteEscaped) {
    EXPECT_EQ(DisplayText("\xE2\x82\xAC \xF0\x9D\x84\x9E"), QStringLiteral("\u20AC \U0001D11E"));
    EXPECT_EQ(DisplayText("Caf\xE9.mp3"), QStringLiteral("Caf\\xE9.mp3"));
    EXPECT_EQ(DisplayText("a\xE2\x82"), QStringLiteral("a\\xE2\\x82"));  // cut short: each byte
}

// The first button is the default; closed, a box with Cancel answers Cancel, Yes/No answers No.
TEST(MessageBoxButtons, DefaultIsTheFirstAndClosingIsTheGentlestAnswer) {
    EXPECT_EQ(ButtonsFor(Buttons::OkCancel).Set, QMB::Ok | QMB::Cancel);
    EXPECT_EQ(ButtonsFor(Buttons::OkCancel).Default, QMB::Ok);
    EXPECT_EQ(ButtonsFor(Buttons::YesNoCancel).Set, QMB::Yes | QMB::No | QMB::Cancel);
    EXPECT_EQ(ButtonsFor(Buttons::YesNoCancel).Default, QMB::Yes);
    EXPECT_EQ(AnswerFor(QMB::NoButton, Buttons::OkCancel), Answer::Cancel);
    EXPECT_EQ(AnswerFor(QMB::NoButton, Buttons::YesNo), Answer::No);
    EXPECT_EQ(AnswerFor(QMB::NoButton, Buttons::YesNoCancel), Answer::Cancel);
    EXPECT_EQ(AnswerFor(QMB::No, Buttons::YesNoCancel), Answer::No);
}

}  // namespace
}  // namespace klarwell::window
