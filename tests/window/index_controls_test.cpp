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

// A window with a folder of `files` files and the index controls shown.
void ShowIndexControls(WindowUnderTest& w, int files) {
    for (int i = 0; i < files; ++i) {
        w.Music.CreateFile("s" + std::to_string(i) + ".mp3");
    }
    w.Dialogs.Folders = {w.Music.Path()};
    w.Form.cmdBrowse_Click();
    w.Form.txtPrefix->setText(QStringLiteral("#"));
}

TEST(BtnLeadingZerosUpClick, CountsUpWithoutLimit) {
    WindowUnderTest w;
    ShowIndexControls(w, 0);
    w.Form.lblNumLeadingZeros->setText(QStringLiteral("9"));
    for (const char* expected : {"10", "11"}) {
        w.Form.btnLeadingZerosUp->click();
        EXPECT_EQ(w.Form.lblNumLeadingZeros->text(), QLatin1String(expected));
    }
}

TEST(BtnLeadingZerosDnClick, StopsAtTheDigitsTheHighestIndexNeeds) {
    struct Row {
        const char* why;
        int files;
        const char* firstIndex;
        const char* countBefore;
        const char* countAfter;
        QString message;
    };
    const Row rows[] = {
        {"9 files need one digit", 9, "1", "2", "1", {}},
        {"a first index of 0 lowers the highest index", 10, "0", "2", "1", {}},
        {"10 files need two digits", 10, "1", "2", "2",
         QStringLiteral("There must be at least 2 digits in the index number since your selected "
                        "folder contains 10 files.")},
        {"from 95 the highest index is 104", 10, "95", "3", "3",
         QStringLiteral("There must be at least 3 digits in the index number since your selected "
                        "folder contains 10 files in addition to a start index of 95.")},
        {"an empty folder still needs one digit", 0, "1", "1", "1",
         QStringLiteral("There must be at least 1 digits in the index number since your selected "
                        "folder contains 0 files.")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        WindowUnderTest w;
        ShowIndexControls(w, row.files);
        w.Form.lblNumLeadingZeros->setText(QLatin1String(row.countBefore));
        w.Form.txtFirstIndex->setText(QLatin1String(row.firstIndex));
        w.Form.btnLeadingZerosDn->setFocus();
        if (!row.message.isEmpty()) {
            w.Dialogs.Answers = {QMessageBox::Ok};
        }
        w.Form.btnLeadingZerosDn->click();
        EXPECT_EQ(w.Form.lblNumLeadingZeros->text(), QLatin1String(row.countAfter));
        EXPECT_EQ(w.Form.FileIndexCountOffset, std::atoi(row.firstIndex) - 1);
        if (row.message.isEmpty()) {
            EXPECT_TRUE(w.Dialogs.Boxes.empty());
            continue;
        }
        ASSERT_EQ(w.Dialogs.Boxes.size(), 1U);
        EXPECT_EQ(w.Dialogs.Boxes[0].Text, row.message);
        EXPECT_EQ(w.Dialogs.Boxes[0].Title, QStringLiteral("Klarwell"));
        EXPECT_EQ(w.Dialogs.Boxes[0].Buttons, QMessageBox::Ok);
        EXPECT_EQ(w.Form.focusWidget(), w.Form.txtFirstIndex);
    }
}

TEST(TxtFirstIndexChange, KeepsAPlainNumberWithinTheDigitCount) {
    struct Row {
        const char* why;
        int digitCount;
        const char* start;  // set as the text, then the caret placed
        int caret;          // -1: the whole text selected
        const char* typed;
        const char* text;
        int cursor;
        const char* selected;
    };
    const Row rows[] = {
        {"deleting all text leaves a selected 0", 1, "5", -1, "\b", "0", 1, "0"},
        {"a letter typed into the selected 0 is refused", 1, "", -1, "a", "0", 1, "0"},
        {"leading zeros vanish", 3, "", -1, "007", "7", 1, ""},
        {"a further digit drops the leading one", 2, "45", 2, "6", "56", 2, ""},
        {"typing 1, 2, 3 with two digits leaves 23", 2, "", -1, "123", "23", 2, ""},
        {"a letter after the number vanishes, caret stays", 3, "12", 2, "x", "12", 2, ""},
        {"a sign before the number vanishes, caret stays", 3, "12", 0, "-", "12", 0, ""},
        {"a digit in front of a full field cuts to the last digits", 1, "5", 0, "3", "5", 1, ""},
        {"forty thousand keeps its value", 5, "", -1, "40000", "40000", 5, ""},
        {"32767 stays", 5, "", -1, "32767", "32767", 5, ""},
        {"beyond 32 bits the leading digit is dropped", 10, "", -1, "9999999999", "999999999", 9,
         ""},
        {"2147483647 fits 32 bits", 10, "", -1, "2147483647", "2147483647", 10, ""},
        {"0 typed over the text is selected", 1, "1", -1, "0", "0", 1, "0"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        WindowUnderTest w;
        ShowIndexControls(w, 0);
        w.Form.lblNumLeadingZeros->setText(QString::number(row.digitCount));
        QLineEdit* field = w.Form.txtFirstIndex;
        field->setText(QLatin1String(row.start));
        if (row.caret < 0) {
            field->selectAll();
        } else {
            field->setCursorPosition(row.caret);
        }
        QTest::keyClicks(field, QLatin1String(row.typed));
        EXPECT_EQ(field->text(), QLatin1String(row.text));
        EXPECT_EQ(field->cursorPosition(), row.cursor);
        EXPECT_EQ(field->selectedText(), QLatin1String(row.selected));
    }
}

TEST(TxtFirstIndexLostFocus, NormalisesAgainAndLeavesANormalTextAlone) {
    struct Row {
        const char* why;
        const char* digitCount;  // changed after the text was typed
        const char* text;
    };
    const Row rows[] = {
        {"a normal text stays", "3", "123"},
        {"a digit count lowered since typing cuts the text", "2", "23"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        WindowUnderTest w;
        ShowIndexControls(w, 0);
        w.Form.lblNumLeadingZeros->setText(QStringLiteral("3"));
        w.Form.txtFirstIndex->setText(QStringLiteral("123"));
        w.Form.lblNumLeadingZeros->setText(QLatin1String(row.digitCount));
        QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(w.Form.txtFirstIndex, &focusOut);
        EXPECT_EQ(w.Form.txtFirstIndex->text(), QLatin1String(row.text));
    }
}

}  // namespace
}  // namespace klarwell::testing
