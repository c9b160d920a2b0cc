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

TEST(BtnLeadingZerosClick, UpCountsUpDownStopsAtTheDigitsTheHighestIndexNeeds) {
    struct Row {
        const char* why;
        int files;
        const char* firstIndex;
        int countBefore;
        const char* countAfter;
        int offset;  // first index minus one
        std::string message;
        const char* upTwice;
    };
    const Row rows[] = {
        {"9 files need one digit", 9, "1", 2, "1", 0, "", "3"},
        {"10 files from 95 reach 104", 10, "95", 3, "3", 94,
         texts::engine::DigitCountMessage(3, 10, 95), "5"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        WindowUnderTest w;
        ShowIndexControls(w, row.files, row.countBefore);
        w.Form.txtFirstIndex->setText(QLatin1String(row.firstIndex));
        w.Form.btnLeadingZerosDn->setFocus();
        if (!row.message.empty()) {
            w.Dialogs.Answers = {QMessageBox::Ok};
        }
        w.Form.btnLeadingZerosDn->click();
        EXPECT_EQ(w.Form.lblNumLeadingZeros->text(), QLatin1String(row.countAfter));
        EXPECT_EQ(w.Form.Run.FileIndexCountOffset, row.offset);
        ASSERT_EQ(w.Dialogs.Boxes.size(), row.message.empty() ? 0U : 1U);
        if (!row.message.empty()) {
            EXPECT_EQ(w.Dialogs.Boxes[0].Text, Q(row.message));
            EXPECT_EQ(w.Dialogs.Boxes[0].Buttons, QMessageBox::Ok);
            EXPECT_EQ(w.Form.focusWidget(), w.Form.txtFirstIndex);
        }
        w.Form.btnLeadingZerosUp->click();
        w.Form.btnLeadingZerosUp->click();
        EXPECT_EQ(w.Form.lblNumLeadingZeros->text(), QLatin1String(row.upTwice));
    }
}

TEST(TxtFirstIndexChange, TypingKeepsAPlainNumberWithinTheDigitCount) {
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
        {"typing 1, 2, 3 with two digits leaves 23", 2, "", -1, "123", "23", 2, ""},
        {"a letter after the number vanishes, caret stays", 3, "12", 2, "x", "12", 2, ""},
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
