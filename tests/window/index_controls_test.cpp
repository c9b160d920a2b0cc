#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "tests/support/qt_printers.h"
#include "tests/window/window_fixture.h"

namespace klarwell::testing {
namespace {

// A folder of `files` files chosen, the index controls shown and the digit count set.
void ShowIndexControls(WindowUnderTest& w, int files, int digitCount) {
    for (int i = 0; i < files; ++i) {
        w.Music.CreateFile("s" + std::to_string(i) + ".mp3");
    }
    w.ChooseMusic();
    w.Form.txtPrefix->setText(QStringLiteral("#"));
    w.Form.lblNumLeadingZeros->setText(QString::number(digitCount));
}

TEST(BtnLeadingZerosUpClick, CountsUpWithoutLimit) {
    WindowUnderTest w;
    ShowIndexControls(w, 0, 9);
    w.Form.btnLeadingZerosUp->click();
    w.Form.btnLeadingZerosUp->click();
    EXPECT_EQ(w.Form.lblNumLeadingZeros->text(), QStringLiteral("11"));
}

TEST(BtnLeadingZerosDnClick, StopsAtTheDigitsTheHighestIndexNeeds) {
    struct Row {
        const char* why;
        int files;
        const char* firstIndex;
        int countBefore;
        const char* countAfter;
        const char* message;
    };
    const Row rows[] = {
        {"9 files need one digit", 9, "1", 2, "1", nullptr},
        {"a first index of 0 lowers the highest index to 9", 10, "0", 2, "1", nullptr},
        {"10 files need two digits", 10, "1", 2, "2",
         "There must be at least 2 digits in the index number since your selected folder "
         "contains 10 files."},
        {"from 95 the highest index is 104", 10, "95", 3, "3",
         "There must be at least 3 digits in the index number since your selected folder "
         "contains 10 files in addition to a start index of 95."},
        {"an empty folder still needs one digit", 0, "1", 1, "1",
         "There must be at least 1 digits in the index number since your selected folder "
         "contains 0 files."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        WindowUnderTest w;
        ShowIndexControls(w, row.files, row.countBefore);
        w.Form.txtFirstIndex->setText(QLatin1String(row.firstIndex));
        w.Form.btnLeadingZerosDn->setFocus();
        if (row.message != nullptr) {
            w.Dialogs.Answers = {QMessageBox::Ok};
        }
        w.Form.btnLeadingZerosDn->click();
        EXPECT_EQ(w.Form.lblNumLeadingZeros->text(), QLatin1String(row.countAfter));
        EXPECT_EQ(w.Form.FileIndexCountOffset, std::atoi(row.firstIndex) - 1);
        ASSERT_EQ(w.Dialogs.Boxes.size(), row.message != nullptr ? 1U : 0U);
        if (row.message != nullptr) {
            EXPECT_EQ(w.Dialogs.Boxes[0].Text, QLatin1String(row.message));
            EXPECT_EQ(w.Dialogs.Boxes[0].Buttons, QMessageBox::Ok);
            EXPECT_EQ(w.Form.focusWidget(), w.Form.txtFirstIndex);
        }
    }
}

TEST(TxtFirstIndexChange, KeepsAPlainNumberWithinTheDigitCount) {
    struct Row {
        const char* why;
        int digitCount;
        const char* start;
        int caret;  // -1: the whole text selected
        const char* typed;
        const char* text;
        int cursor;
        const char* selected;
    };
    const Row rows[] = {
        {"deleting all text leaves a selected 0", 1, "5", -1, "\b", "0", 1, "0"},
        {"a letter typed over the selected 0 is refused", 1, "", -1, "a", "0", 1, "0"},
        {"leading zeros vanish", 3, "", -1, "007", "7", 1, ""},
        {"a further digit drops the leading one", 2, "45", 2, "6", "56", 2, ""},
        {"typing 1, 2, 3 with two digits leaves 23", 2, "", -1, "123", "23", 2, ""},
        {"a letter after the number vanishes, caret stays", 3, "12", 2, "x", "12", 2, ""},
        {"a sign before the number vanishes, caret stays", 3, "12", 0, "-", "12", 0, ""},
        {"a digit in front of a full field cuts to the last digits", 1, "5", 0, "3", "5", 1, ""},
        {"forty thousand keeps its value", 5, "", -1, "40000", "40000", 5, ""},
        {"beyond 32 bits the leading digit is dropped", 10, "", -1, "9999999999", "999999999", 9,
         ""},
        {"2147483647 fits 32 bits", 10, "", -1, "2147483647", "2147483647", 10, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        WindowUnderTest w;
        ShowIndexControls(w, 0, row.digitCount);
        QLineEdit* field = w.Form.txtFirstIndex;
        field->setText(QLatin1String(row.start));
        row.caret < 0 ? field->selectAll() : field->setCursorPosition(row.caret);
        QTest::keyClicks(field, QLatin1String(row.typed));
        EXPECT_EQ(field->text(), QLatin1String(row.text));
        EXPECT_EQ(field->cursorPosition(), row.cursor);
        EXPECT_EQ(field->selectedText(), QLatin1String(row.selected));
    }
}

TEST(TxtFirstIndexLostFocus, NormalisesAgain) {
    WindowUnderTest w;
    ShowIndexControls(w, 0, 3);
    w.Form.txtFirstIndex->setText(QStringLiteral("123"));
    w.Form.lblNumLeadingZeros->setText(QStringLiteral("2"));
    QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(w.Form.txtFirstIndex, &focusOut);
    EXPECT_EQ(w.Form.txtFirstIndex->text(), QStringLiteral("23"));
}

}  // namespace
}  // namespace klarwell::testing
