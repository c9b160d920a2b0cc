#include <cstring>
#include <functional>

#include <QAction>
#include <QCheckBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include "progressbar/progress_bar_widget.h"
#include "tests/support/qt_printers.h"
#include "tests/window/window_fixture.h"
#include "window/file_list_box.h"

// The window's controls, their cascades and the handlers that read and set them.
namespace klarwell::testing {
namespace {

using namespace texts::window;
constexpr auto Ok = QMessageBox::Ok;

// What the user sees of the option rules: the index controls shown (of 7), the name-editing
// controls enabled (of 24), then the ticks of the prefix, suffix and discard boxes.
std::string Options(window::frmMain& f) {
    int shown = 0;
    for (const QWidget* control : std::initializer_list<QWidget*>{
             f.lblLeadingZeros, f.lblNumLeadingZeros, f.btnLeadingZerosUp, f.btnLeadingZerosDn,
             f.chkRemoveOriginalName, f.lblFirstIndex, f.txtFirstIndex}) {
        shown += control->isHidden() ? 0 : 1;
    }
    std::vector<QWidget*> editing = {f.ChkRemoveDigits, f.ChkRemovePostDigits};
    editing.insert(editing.end(), f.optUnderscore.begin(), f.optUnderscore.end());
    editing.insert(editing.end(), f.chkReplace.begin(), f.chkReplace.end());
    editing.insert(editing.end(), f.txtReplace.begin(), f.txtReplace.end());
    editing.insert(editing.end(), f.txtWith.begin(), f.txtWith.end());
    int enabled = 0;
    for (const QWidget* control : editing) {
        enabled += control->isEnabled() ? 1 : 0;
        // A disabled text field shows the face of buttons, an enabled one that of entry fields.
        if (qobject_cast<const QLineEdit*>(control) != nullptr) {
            EXPECT_EQ(control->palette().color(QPalette::Base),
                      f.palette().color(control->isEnabled() ? QPalette::Base : QPalette::Button));
        }
    }
    EXPECT_TRUE(f.chkAddPrefix->isEnabled() && f.txtPrefix->isEnabled());
    EXPECT_TRUE(f.chkAddSuffix->isEnabled() && f.txtSuffix->isEnabled());
    return std::to_string(shown) + " " + std::to_string(enabled) + " " +
           (f.chkAddPrefix->isChecked() ? "P" : "-") + (f.chkAddSuffix->isChecked() ? "S" : "-") +
           (f.chkRemoveOriginalName->isChecked() ? "D" : "-");
}

TEST(FormLoad, StartsWithNoFolderTheIndexControlsHiddenAndTheStatusLineDocked) {
    WindowUnderTest w;
    window::frmMain& f = w.Form;
    EXPECT_EQ(f.windowTitle(), Q(kCaption));
    EXPECT_EQ(f.StatusBar1->text(), Q(kSelectFolderStatus));
    // The client area is 5790 by 9390 twips; the status line, 450 high, fills its bottom edge.
    EXPECT_EQ(f.centralWidget()->size(), QSize(386, 626));
    EXPECT_EQ(f.StatusBar1->geometry(), QRect(0, 596, 386, 30));
    EXPECT_EQ(f.minimumSize(), f.maximumSize());
    EXPECT_FALSE(f.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(Options(f), "0 24 ---");
    EXPECT_TRUE(f.File1->isHidden() && f.ProgressBar1->isHidden() && f.lblProgress->isHidden());
    EXPECT_TRUE(f.optUnderscore[0]->isChecked());
    EXPECT_EQ(f.TakeSettings(), engine::CleanSettings{});  // every option at its start value
    EXPECT_EQ(f.focusWidget(), f.cmdBrowse);
}

TEST(FormLoad, ControlsAreDrawnWholeStyledAndLinedUp) {
    WindowUnderTest w;
    for (const QCheckBox* box :
         {w.Form.chkAddPrefix, w.Form.chkAddSuffix, w.Form.chkRemoveOriginalName}) {
        SCOPED_TRACE(box->objectName().toStdString());
        EXPECT_GE(box->height(), box->sizeHint().height());
        EXPECT_GE(box->width(), box->sizeHint().width());
    }
    const QLabel* hint = w.Form.Label3;
    EXPECT_GE(hint->height(), hint->heightForWidth(hint->width()));
    EXPECT_LT(hint->geometry().bottom(), w.Form.lblNumLeadingZeros->geometry().top());
    // The styled controls: banner title, bold description, grey hint, centred digit count.
    EXPECT_EQ(w.Form.Label1[2]->font().pointSizeF(), 19.5);
    EXPECT_TRUE(w.Form.Label1[2]->font().bold() && w.Form.Label1[0]->font().bold());
    EXPECT_EQ(w.Form.Label3->palette().color(QPalette::WindowText), QColor(64, 64, 64));
    EXPECT_EQ(w.Form.lblNumLeadingZeros->alignment(), Qt::AlignCenter);
    EXPECT_EQ(w.Form.StatusBar1->font().pointSizeF(), 8.25);
    // The replacement rows stand one under the other inside their frame, each on one line.
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        const QRect keyword = w.Form.txtReplace[i]->geometry();
        EXPECT_NEAR(w.Form.chkReplace[i]->geometry().center().y(), keyword.center().y(), 1);
        EXPECT_EQ(w.Form.txtWith[i]->y(), keyword.y());
        EXPECT_TRUE(w.Form.Frame3->rect().contains(w.Form.txtWith[i]->geometry()));
        EXPECT_TRUE(i == 0 || keyword.y() > w.Form.txtReplace[i - 1]->geometry().bottom());
    }
}

TEST(FormLoad, PicturesKeysAndTabOrder) {
    WindowUnderTest w;
    window::frmMain& f = w.Form;
    EXPECT_EQ(f.Image1->pixmap().size(), QSize(48, 48));
    EXPECT_EQ(f.windowIcon().availableSizes(),
              (QList<QSize>{{16, 16}, {24, 24}, {32, 32}, {48, 48}}));
    for (const QPushButton* button : {f.cmdBrowse, f.cmdRemove}) {
        // The pictures' magenta corner is drawn transparent.
        EXPECT_EQ(qAlpha(button->icon().pixmap(16, 16).toImage().pixel(0, 0)), 0);
    }
    EXPECT_EQ(f.mnuExit->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_X));
    f.txtPrefix->setText(QStringLiteral("#"));  // shows the index controls
    QString expected = QStringLiteral(
        "cmdBrowse cmdRemove ChkRemoveDigits ChkRemovePostDigits optUnderscore(0) "
        "optUnderscore(1) optUnderscore(2) optUnderscore(3) chkAddPrefix txtPrefix chkAddSuffix "
        "txtSuffix btnLeadingZerosUp btnLeadingZerosDn");
    for (int i = 0; i < 6; ++i) {
        expected += QStringLiteral(" chkReplace(%1) txtReplace(%1) txtWith(%1)").arg(i);
    }
    expected += QStringLiteral(" File1 chkRemoveOriginalName txtFirstIndex");
    QStringList chain;
    for (QWidget* next = f.cmdBrowse; chain.size() <= expected.count(QLatin1Char(' '));
         next = next->nextInFocusChain()) {
        if ((next->focusPolicy() & Qt::TabFocus) != 0 && !next->objectName().isEmpty()) {
            chain << next->objectName();
        }
    }
    EXPECT_EQ(chain.join(QLatin1Char(' ')), expected);
}

TEST(MnuAboutClick, ShowsTitleAndVersionOnTwoLines) {
    WindowUnderTest w;
    w.Dialogs.Answers = {Ok};
    w.Form.mnuAbout->trigger();
    ASSERT_EQ(w.Dialogs.Boxes.size(), 1U);
    EXPECT_EQ(w.Dialogs.Boxes[0].Text, Q(kAbout));
    EXPECT_EQ(w.Dialogs.Boxes[0].Title, Q(kTitle));
    EXPECT_EQ(w.Dialogs.Boxes[0].Buttons, Ok);
    EXPECT_EQ(w.Dialogs.Boxes[0].Icon, QMessageBox::Information);
}

TEST(FormUnload, ExitAndCloseBoxEndTheWindowButNotDuringARun) {
    for (const bool byMenu : {true, false}) {
        SCOPED_TRACE(byMenu ? "File > Exit" : "close box");
        WindowUnderTest w;
        w.ChooseMusic({"a b.mp3"});
        const auto close = [&] { byMenu ? w.Form.mnuExit->trigger() : void(w.Form.close()); };
        w.Dialogs.WhileBoxOpen = close;
        w.Dialogs.Answers = {QMessageBox::Yes, QMessageBox::Yes, Ok};
        w.Form.cmdRemove_Click();
        EXPECT_TRUE(w.Form.isVisible());
        EXPECT_EQ(w.Music.Names(), std::vector<std::string>{"a_b.mp3"});
        w.Dialogs.WhileBoxOpen = nullptr;
        close();
        EXPECT_FALSE(w.Form.isVisible());
    }
}

TEST(TextFieldCheck, EachCheckedFieldTellsOnceAndRepairs) {
    struct Row {
        const char *why, *field, *typed, *text;  // typed after "ab"
        const char* message;                     // one box per key typed
    };
    const Row rows[] = {
        {"prefix: number sign allowed", "txtPrefix", "#", "ab#", nullptr},
        {"prefix: every forbidden character goes", "txtPrefix", "&/", "ab",
         kInvalidCharHashAllowed},
        {"suffix", "txtSuffix", "?", "ab", kInvalidCharHashAllowed},
        {"With field: number sign refused", "txtWith(2)", "#", "ab", kInvalidCharHashForbidden},
        {"keywords are not checked", "txtReplace(4)", "&?", "ab&?", nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        WindowUnderTest w;
        auto* field = w.Form.findChild<QLineEdit*>(QLatin1String(row.field));
        field->setText(QStringLiteral("ab"));
        const std::size_t boxes = row.message != nullptr ? std::strlen(row.typed) : 0;
        w.Dialogs.Answers.assign(boxes, Ok);
        QTest::keyClicks(field, QLatin1String(row.typed));
        EXPECT_EQ(field->text(), QLatin1String(row.text));
        ASSERT_EQ(w.Dialogs.Boxes.size(), boxes);
        for (const ShownBox& box : w.Dialogs.Boxes) {
            EXPECT_EQ(box.Text + box.Title, Q(row.message) + Q(kInvalidCharTitle));
            EXPECT_EQ(box.Buttons, Ok);
            EXPECT_EQ(box.Icon, QMessageBox::NoIcon);
        }
    }
}

TEST(OptionRules, CascadesOfTheTicksAndTextsKeepEveryValue) {
    WindowUnderTest w;
    window::frmMain& f = w.Form;
    f.ChkRemoveDigits->setChecked(true);
    f.optUnderscore[2]->setChecked(true);
    f.txtReplace[3]->setText(QStringLiteral("x"));
    f.txtWith[2]->setText(QStringLiteral("y"));
    EXPECT_TRUE(f.chkReplace[3]->isChecked());
    EXPECT_FALSE(f.chkReplace[2]->isChecked());
    struct Step {
        const char* why;
        std::function<void()> act;
        const char* options;
    };
    const Step steps[] = {
        {"typing # ticks the prefix box, whose click shows the index controls",
         [&] { QTest::keyClicks(f.txtPrefix, QStringLiteral("#")); }, "7 24 P--"},
        {"unticking the prefix hides them", [&] { f.chkAddPrefix->setChecked(false); }, "0 24 ---"},
        {"a suffix with # shows them", [&] { f.txtSuffix->setText(QStringLiteral("a#")); },
         "7 24 -S-"},
        {"discarding names disables name editing",
         [&] { f.chkRemoveOriginalName->setChecked(true); }, "7 0 -SD"},
        {"keeping them enables it", [&] { f.chkRemoveOriginalName->setChecked(false); },
         "7 24 -S-"},
        {"unticking the suffix hides them", [&] { f.chkAddSuffix->setChecked(false); }, "0 24 ---"},
        {"ticking the prefix shows them", [&] { f.chkAddPrefix->setChecked(true); }, "7 24 P--"},
        {"discarding names again", [&] { f.chkRemoveOriginalName->setChecked(true); }, "7 0 P-D"},
        {"deleting the last # hides them and keeps the names",
         [&] { QTest::keyClick(f.txtPrefix, Qt::Key_Backspace); }, "0 24 P--"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.why);
        step.act();
        EXPECT_EQ(Options(f), step.options);
    }
    EXPECT_TRUE(f.ChkRemoveDigits->isChecked() && f.optUnderscore[2]->isChecked());
    EXPECT_EQ(f.txtReplace[3]->text() + f.txtWith[2]->text(), QStringLiteral("xy"));
}

TEST(TakeSettings, ReadsTheControlsAsTheyStandAndKeepsHiddenIndexValues) {
    WindowUnderTest w;
    window::frmMain& f = w.Form;
    f.txtSuffix->setText(QStringLiteral("-#"));
    f.lblNumLeadingZeros->setText(QStringLiteral("3"));
    f.txtFirstIndex->setText(QStringLiteral("40"));
    f.chkRemoveOriginalName->setChecked(true);
    f.txtReplace[5]->setText(QStringLiteral("k"));
    f.optUnderscore[3]->setChecked(true);
    engine::CleanSettings expected;
    expected.AddSuffix = expected.IndexNumbering = expected.DiscardOriginalNames = true;
    expected.Suffix = "-#";
    expected.FileCountChars = 3;
    expected.FirstIndex = 40;
    expected.Replacements[5] = {true, "k", ""};
    expected.SpaceMode = engine::SpaceUnderscoreMode::KeepSpacesAndUnderscores;
    EXPECT_EQ(f.TakeSettings(), expected);
    f.chkAddSuffix->setChecked(false);  // hides the index controls, unticks the discard box
    f.lblNumLeadingZeros->setText(QStringLiteral("5"));
    expected.AddSuffix = expected.IndexNumbering = expected.DiscardOriginalNames = false;
    EXPECT_EQ(f.TakeSettings(), expected);
}

TEST(BtnLeadingZerosClick, UpCountsUpDownStopsAtTheDigitsTheHighestIndexNeeds) {
    struct Row {
        const char* why;
        int files;
        const char *firstIndex, *count, *down;  // down: after the down button
        int offset;                             // first index minus one
        std::string message;
        const char* upTwice;
    };
    const Row rows[] = {
        {"9 files need one digit", 9, "1", "2", "1", 0, "", "3"},
        {"10 files from 95 reach 104", 10, "95", "3", "3", 94,
         texts::engine::DigitCountMessage(3, 10, 95), "5"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        WindowUnderTest w;
        w.ChooseMusic(Songs(row.files));
        w.Form.txtPrefix->setText(QStringLiteral("#"));
        w.Form.lblNumLeadingZeros->setText(QLatin1String(row.count));
        w.Form.txtFirstIndex->setText(QLatin1String(row.firstIndex));
        w.Form.btnLeadingZerosDn->setFocus();
        w.Dialogs.Answers.assign(row.message.empty() ? 0 : 1, Ok);
        w.Form.btnLeadingZerosDn->click();
        EXPECT_EQ(w.Form.lblNumLeadingZeros->text(), QLatin1String(row.down));
        EXPECT_EQ(w.Form.Run.FileIndexCountOffset, row.offset);
        ASSERT_EQ(w.Dialogs.Boxes.size(), row.message.empty() ? 0U : 1U);
        if (!row.message.empty()) {
            EXPECT_EQ(w.Dialogs.Boxes[0].Text, Q(row.message));
            EXPECT_EQ(w.Form.focusWidget(), w.Form.txtFirstIndex);
        }
        w.Form.btnLeadingZerosUp->click();
        w.Form.btnLeadingZerosUp->click();
        EXPECT_EQ(w.Form.lblNumLeadingZeros->text(), QLatin1String(row.upTwice));
    }
}

TEST(TxtFirstIndexChange, TypingKeepsAPlainNumberWithinTheDigitCount) {
    struct Row {
        const char *why, *count, *start;
        int caret;  // -1: the whole text selected
        const char *typed, *text;
        int cursor;
        const char* selected;
    };
    const Row rows[] = {
        {"deleting all text leaves a selected 0", "1", "5", -1, "\b", "0", 1, "0"},
        {"a letter typed over the selected 0 is refused", "1", "", -1, "a", "0", 1, "0"},
        {"typing 1, 2, 3 with two digits leaves 23", "2", "", -1, "123", "23", 2, ""},
        {"a letter after the number vanishes, caret stays", "3", "12", 2, "x", "12", 2, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        WindowUnderTest w;
        w.Form.txtPrefix->setText(QStringLiteral("#"));
        w.Form.lblNumLeadingZeros->setText(QLatin1String(row.count));
        QLineEdit* field = w.Form.txtFirstIndex;
        field->setText(QLatin1String(row.start));
        row.caret < 0 ? field->selectAll() : field->setCursorPosition(row.caret);
        QTest::keyClicks(field, QLatin1String(row.typed));
        EXPECT_EQ(field->text(), QLatin1String(row.text));
        EXPECT_EQ(field->cursorPosition(), row.cursor);
        EXPECT_EQ(field->selectedText(), QLatin1String(row.selected));
    }
    WindowUnderTest w;  // leaving the field normalises it again
    w.Form.lblNumLeadingZeros->setText(QStringLiteral("3"));
    w.Form.txtFirstIndex->setText(QStringLiteral("123"));
    w.Form.lblNumLeadingZeros->setText(QStringLiteral("2"));
    QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(w.Form.txtFirstIndex, &focusOut);
    EXPECT_EQ(w.Form.txtFirstIndex->text(), QStringLiteral("23"));
}

}  // namespace
}  // namespace klarwell::testing
