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

TEST(DigitCountRules, ReadRaiseAndStepTheCount) {
    struct Row {
        const char *why, *caption, *up, *ten, *oneFifty;  // up; after choosing 10 or 150 files
        int count;                                        // as a clean run reads it
    };
    const Row rows[] = {
        {"one digit", "1", "2", "2", "3", 1},
        {"nine counts up to ten", "9", "10", "9", "9", 9},
        {"a half rounds to even, up takes the whole part", "2.5", "3", "2.5", "3", 2},
        {"an odd half rounds up", "3.5", "4", "3.5", "3.5", 4},
        {"never below 0", "-4", "-3", "2", "3", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(DigitCount(Q(row.caption)), row.count);
        EXPECT_EQ(DigitCountUp(Q(row.caption)), Q(row.up));
        EXPECT_EQ(DigitCountForFolder(Q(row.caption), 10), Q(row.ten));
        EXPECT_EQ(DigitCountForFolder(Q(row.caption), 150), Q(row.oneFifty));
    }
    EXPECT_EQ(DigitCountForFolder(Q("02"), 10), Q("02"));  // enough digits: as it was
}

TEST(LowerDigitCount, StopsAtTheDigitsTheHighestIndexNeeds) {
    struct Row {
        const char* why;
        int count, needed, lowered;  // lowered 0: stays
        bool refused;
    };
    const Row rows[] = {
        {"above the need: one less", 3, 1, 2, false},
        {"equal to the need: refused", 2, 2, 0, true},
        {"below the need: refused", 2, 3, 0, true},
        {"never below one digit", 1, 0, 0, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        const DigitCountDown down = LowerDigitCount(row.count, row.needed);
        EXPECT_EQ(down.Lowered.value_or(0), row.lowered);
        EXPECT_EQ(down.Refused, row.refused);
    }
    EXPECT_EQ(FirstIndex(Q("2.5")), 2);
    EXPECT_EQ(FirstIndex(Q("2147483647")), 2147483647);
    EXPECT_EQ(FirstIndex(Q("2147483648")), std::nullopt);
}

TEST(NormaliseFirstIndex, KeepsAPlainNumberWithinTheDigitCount) {
    struct Row {
        const char *why, *text, *count, *normal;
        int caret, normalCaret;
    };
    const Row rows[] = {
        {"a normal text keeps its caret", "45", "2", "45", 1, 1},
        {"leading zeros vanish, the caret with them", "007", "3", "7", 3, 1},
        {"a letter after the number vanishes", "12x", "3", "12", 3, 2},
        {"a sign before the number vanishes", "-12", "3", "12", 1, 0},
        {"an empty field gives 0", "", "1", "0", 0, 1},
        {"a third digit drops the first, caret at the end", "456", "2", "56", 3, 2},
        {"the digit count's whole part counts", "123", "2.9", "23", 3, 2},
        {"a digit count below 1 keeps one digit", "12", "0", "2", 2, 1},
        {"forty thousand keeps its value", "40000", "5", "40000", 5, 5},
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
    struct Row {
        const char* why;
        bool prefixTicked, suffixTicked, holds;
        const char *prefix, *suffix;
    };
    const Row rows[] = {
        {"ticked prefix with #", true, false, true, "a#", ""},
        {"unticked prefix with #", false, false, false, "#", "#"},
        {"ticked suffix with #", false, true, true, "#", "x#"},
        {"both ticked, no #", true, true, false, "ab", "cd"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(HashCondition(row.prefixTicked, Q(row.prefix), row.suffixTicked, Q(row.suffix)),
                  row.holds);
    }
}

TEST(RemoveInvalidChars, RemovesEveryForbiddenCharacterWhereverItStands) {
    struct Row {
        const char *why, *text, *cleaned;
        bool allowHash;
    };
    const Row rows[] = {
        {"all sixteen, number sign allowed", "a/\\:?\"<>|'@#$%^~&b", "a#b", true},
        {"all sixteen, number sign forbidden", "a/\\:?\"<>|'@#$%^~&b", "ab", false},
        {"asterisk, blank, underscore and accents stay", "* _\u00E9", "* _\u00E9", false},
        {"only forbidden characters leave nothing", "&&", "", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(RemoveInvalidChars(Q(row.text), row.allowHash), Q(row.cleaned));
    }
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

TEST(DisplayText, ShowsUtf8AsTextAndEveryOtherByteEscaped) {
    struct Row {
        const char *why, *bytes;
        QString shown;
    };
    const Row rows[] = {
        {"two bytes", "Caf\xC3\xA9.mp3", QStringLiteral("Caf\u00E9.mp3")},
        {"three bytes", "5 \xE2\x82\xAC", QStringLiteral("5 \u20AC")},
        {"four bytes", "\xF0\x9D\x84\x9E!", QStringLiteral("\U0001D11E!")},
        {"a Latin-1 byte", "Caf\xE9.mp3", QStringLiteral("Caf\\xE9.mp3")},
        {"cut short at the end", "a\xE2\x82", QStringLiteral("a\\xE2\\x82")},
        {"cut short before a letter", "\xE2\x82x", QStringLiteral("\\xE2\\x82x")},
        {"a second byte past the continuations", "\xC3\xC0", QStringLiteral("\\xC3\\xC0")},
        {"an overlong slash", "\xC0\xAF", QStringLiteral("\\xC0\\xAF")},
        {"an overlong three-byte form", "\xE0\x80\xAF", QStringLiteral("\\xE0\\x80\\xAF")},
        {"an encoded surrogate", "\xED\xA0\x80", QStringLiteral("\\xED\\xA0\\x80")},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", QStringLiteral("\\xF4\\x90\\x80\\x80")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(DisplayText(row.bytes), row.shown);
    }
}

TEST(MessageBoxButtons, DefaultIsTheFirstAndClosingIsTheGentlestAnswer) {
    struct Row {
        const char* why;
        Buttons buttons;
        QMB::StandardButtons set;
        QMB::StandardButton first;
        Answer closed;
    };
    const Row rows[] = {
        {"OK", Buttons::Ok, QMB::Ok, QMB::Ok, Answer::Ok},
        {"OK and Cancel", Buttons::OkCancel, QMB::Ok | QMB::Cancel, QMB::Ok, Answer::Cancel},
        {"Yes and No", Buttons::YesNo, QMB::Yes | QMB::No, QMB::Yes, Answer::No},
        {"Yes, No and Cancel", Buttons::YesNoCancel, QMB::Yes | QMB::No | QMB::Cancel, QMB::Yes,
         Answer::Cancel},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(ButtonsFor(row.buttons).Set, row.set);
        EXPECT_EQ(ButtonsFor(row.buttons).Default, row.first);
        EXPECT_EQ(AnswerFor(QMB::NoButton, row.buttons), row.closed);
    }
    EXPECT_EQ(AnswerFor(QMB::Ok, Buttons::OkCancel), Answer::Ok);
}

}  // namespace
}  // namespace klarwell::window
