#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

#include "progressbar/progress_bar_widget.h"
#include "tests/support/qt_printers.h"
#include "tests/window/window_fixture.h"
#include "window/file_list_box.h"

namespace klarwell::testing {
namespace {

QString Caption(const QWidget* control) {
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
        return label->text();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
        return button->text();
    }
    if (const auto* field = qobject_cast<const QLineEdit*>(control)) {
        return field->text();
    }
    const auto* frame = qobject_cast<const QGroupBox*>(control);
    return frame != nullptr ? frame->title() : QString();
}

TEST(FormLoad, EveryControlStartsWithItsCaptionPlaceAndVisibility) {
    // Each row is the start line of the control it names; places are twips / 15, rounded.
    struct Row {
        const char* why;
        const char* caption;
        QRect place;
        bool shown;
    };
    const Row rows[] = {
        {"Frame2", "", {-8, -8, 401, 64}, true},
        {"Image1", "", {32, 9, 48, 48}, true},
        {"Label1(2)", "Orvane Klarwell", {89, 16, 279, 38}, true},
        {"Label1(0)",
         "Klarwell scans through the source folder removing apostrophes and other troublesome "
         "characters of .wav, .mp3, and .krt files.  It will also remove a space at the front or "
         "end of the filename.  You can also add a prefix and/or suffix, and replace "
         "user-defined keywords.",
         {8, 58, 369, 64},
         true},
        {"Label4", "File List:", {8, 126, 45, 16}, true},
        {"lblFilePath", "(No Path Selected)", {49, 126, 328, 16}, true},
        {"File1", "", {8, 140, 369, 158}, false},
        {"ChkRemoveDigits",
         "Remove Digits from start of Filename (use with caution!)",
         {8, 303, 395, 21},
         true},
        {"ChkRemovePostDigits",
         "Remove Digits from end of Filename (use with caution!)",
         {8, 322, 369, 24},
         true},
        {"optUnderscore(0)", "Replace Spaces with Underscores", {8, 356, 209, 17}, true},
        {"optUnderscore(1)", "Replace Underscores with Spaces", {8, 372, 209, 17}, true},
        {"optUnderscore(2)", "Remove Spaces and Underscores", {8, 387, 209, 17}, true},
        {"optUnderscore(3)", "Don't Change Spaces or Underscores", {8, 403, 209, 17}, true},
        {"Frame3", "Optional Replacements", {230, 355, 146, 160}, true},
        {"Label2", "Replace...      ...With", {34, 18, 102, 14}, true},
        {"chkReplace(0)", "", {11, 33, 17, 17}, true},
        {"chkReplace(5)", "", {11, 133, 17, 17}, true},
        {"txtReplace(0)", "", {33, 32, 52, 19}, true},
        {"txtReplace(5)", "", {33, 132, 52, 19}, true},
        {"txtWith(0)", "", {86, 32, 52, 19}, true},
        {"txtWith(5)", "", {86, 132, 52, 19}, true},
        {"Label3",
         "(Enter a \"#\" for an index number with leading zeros)",
         {163, 432, 65, 46},
         true},
        {"chkAddPrefix", "Add Prefix:", {8, 436, 75, 13}, true},
        {"txtPrefix", "", {84, 434, 76, 19}, true},
        {"chkAddSuffix", "Add Suffix:", {8, 460, 75, 13}, true},
        {"txtSuffix", "", {84, 458, 76, 19}, true},
        {"lblLeadingZeros", "Number Of Digits in Index #:", {26, 484, 135, 15}, false},
        {"lblNumLeadingZeros", "1", {164, 483, 26, 18}, false},
        {"btnLeadingZerosUp", "", {191, 483, 18, 9}, false},
        {"btnLeadingZerosDn", "", {191, 492, 18, 9}, false},
        {"lblFirstIndex", "Starting Index Number:", {26, 507, 109, 15}, false},
        {"txtFirstIndex", "1", {139, 506, 70, 19}, false},
        {"chkRemoveOriginalName",
         "Discard Original File Names (use with caution!)",
         {8, 530, 365, 13},
         false},
        {"Frame1", "", {3, 542, 379, 8}, true},
        {"lblProgress", "Progress", {6, 552, 199, 17}, false},
        {"ProgressBar1", "", {6, 566, 237, 21}, false},
        {"cmdBrowse", "&Browse", {246, 555, 64, 32}, true},
        {"cmdRemove", "&Clean", {313, 555, 64, 32}, true},
        // Docked by Form_Load: client height 626 less its own 30.
        {"StatusBar1", "Please select source folder", {0, 596, 386, 30}, true},
    };
    WindowUnderTest w;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        const auto* control = w.Form.findChild<QWidget*>(QLatin1String(row.why));
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(Caption(control), QString::fromUtf8(row.caption));
        EXPECT_EQ(control->geometry(), row.place);
        EXPECT_EQ(!control->isHidden(), row.shown);
        EXPECT_TRUE(control->isEnabled());
        if (const auto* box = qobject_cast<const QAbstractButton*>(control)) {
            EXPECT_EQ(box->isChecked(), row.why == std::string_view("optUnderscore(0)"));
        }
    }
    EXPECT_EQ(w.Form.windowTitle(), QStringLiteral("Klarwell 3.0.1"));
    EXPECT_EQ(w.Form.centralWidget()->size(), QSize(386, 626));
    EXPECT_EQ(w.Form.minimumSize(), w.Form.maximumSize());
    EXPECT_FALSE(w.Form.windowFlags() &
                 (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(w.Form.ProgressBar1->Value(), 0);
    EXPECT_EQ(w.Form.focusWidget(), w.Form.cmdBrowse);
    EXPECT_EQ(w.Form.Label1[2]->font().pointSizeF(), 19.5);
    EXPECT_TRUE(w.Form.Label1[0]->font().bold());
    EXPECT_EQ(w.Form.Label3->palette().color(QPalette::WindowText), QColor(64, 64, 64));
}

TEST(FormLoad, PicturesKeysAndTabOrder) {
    WindowUnderTest w;
    EXPECT_EQ(w.Form.Image1->pixmap().size(), QSize(48, 48));
    EXPECT_EQ(w.Form.windowIcon().availableSizes(),
              (QList<QSize>{{16, 16}, {24, 24}, {32, 32}, {48, 48}}));
    for (const QPushButton* button : {w.Form.cmdBrowse, w.Form.cmdRemove}) {
        // The pictures' magenta corner is drawn transparent.
        EXPECT_EQ(qAlpha(button->icon().pixmap(16, 16).toImage().pixel(0, 0)), 0);
    }
    EXPECT_EQ(w.Form.cmdBrowse->shortcut(), QKeySequence(Qt::ALT | Qt::Key_B));
    EXPECT_EQ(w.Form.cmdRemove->shortcut(), QKeySequence(Qt::ALT | Qt::Key_C));
    EXPECT_EQ(w.Form.mnuFile->title() + w.Form.mnuHelp->title() + w.Form.mnuAbout->text(),
              QStringLiteral("&File&Help&About"));
    EXPECT_EQ(w.Form.mnuExit->text(), QStringLiteral("Exit"));
    EXPECT_EQ(w.Form.mnuExit->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_X));

    w.Form.txtPrefix->setText(QStringLiteral("#"));  // shows the index controls
    QStringList expected = QStringLiteral(
                               "cmdBrowse cmdRemove ChkRemoveDigits ChkRemovePostDigits "
                               "optUnderscore(0) optUnderscore(1) optUnderscore(2) "
                               "optUnderscore(3) chkAddPrefix txtPrefix chkAddSuffix txtSuffix "
                               "btnLeadingZerosUp btnLeadingZerosDn")
                               .split(QLatin1Char(' '));
    for (int i = 0; i < 6; ++i) {
        expected << QStringLiteral("chkReplace(%1)").arg(i)
                 << QStringLiteral("txtReplace(%1)").arg(i) << QStringLiteral("txtWith(%1)").arg(i);
    }
    expected << QStringLiteral("File1") << QStringLiteral("chkRemoveOriginalName")
             << QStringLiteral("txtFirstIndex");
    QStringList chain;
    for (QWidget* next = w.Form.cmdBrowse; chain.size() < expected.size();
         next = next->nextInFocusChain()) {
        if ((next->focusPolicy() & Qt::TabFocus) != 0 && !next->objectName().isEmpty()) {
            chain << next->objectName();
        }
    }
    EXPECT_EQ(chain, expected);
}

TEST(MnuAboutClick, ShowsTitleAndVersionOnTwoLines) {
    WindowUnderTest w;
    w.Dialogs.Answers = {QMessageBox::Ok};
    w.Form.mnuAbout->trigger();
    ASSERT_EQ(w.Dialogs.Boxes.size(), 1U);
    EXPECT_EQ(w.Dialogs.Boxes[0].Text, QStringLiteral("Klarwell\r\n3.0.1"));
    EXPECT_EQ(w.Dialogs.Boxes[0].Title, QStringLiteral("Klarwell"));
    EXPECT_EQ(w.Dialogs.Boxes[0].Buttons, QMessageBox::Ok);
    EXPECT_EQ(w.Dialogs.Boxes[0].Icon, QMessageBox::Information);
}

TEST(FormUnload, ExitAndCloseBoxEndTheWindowButNotDuringARun) {
    struct Row {
        const char* why;
        bool byMenu;
    };
    const Row rows[] = {{"File > Exit", true}, {"close box", false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        WindowUnderTest w;
        w.Music.CreateFile("a b.mp3");
        w.ChooseMusic();
        const auto close = [&] { row.byMenu ? w.Form.mnuExit->trigger() : void(w.Form.close()); };
        w.Dialogs.WhileBoxOpen = close;
        w.Dialogs.Answers = {QMessageBox::Yes, QMessageBox::Yes, QMessageBox::Ok};
        w.Form.cmdRemove_Click();
        EXPECT_TRUE(w.Form.isVisible());
        EXPECT_EQ(w.Music.Names(), std::vector<std::string>{"a_b.mp3"});
        w.Dialogs.WhileBoxOpen = nullptr;
        close();
        EXPECT_FALSE(w.Form.isVisible());
    }
}

}  // namespace
}  // namespace klarwell::testing
