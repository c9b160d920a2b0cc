#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

#include "progressbar/progress_bar_widget.h"
#include "tests/support/qt_printers.h"
#include "tests/window/window_fixture.h"

namespace klarwell::testing {
namespace {

using namespace texts::window;

TEST(FormLoad, StartsWithNoFolderTheIndexControlsHiddenAndTheStatusLineDocked) {
    WindowUnderTest w;
    window::frmMain& f = w.Form;
    EXPECT_EQ(f.windowTitle(), Q(kCaption));
    EXPECT_EQ(f.StatusBar1->text(), Q(kSelectFolderStatus));
    EXPECT_EQ(f.lblFilePath->text(), Q(kNoPathCaption));
    // The client area is 5790 by 9390 twips; the status line, 450 high, fills its bottom edge.
    EXPECT_EQ(f.centralWidget()->size(), QSize(386, 626));
    EXPECT_EQ(f.StatusBar1->geometry(), QRect(0, 596, 386, 30));
    EXPECT_EQ(f.minimumSize(), f.maximumSize());
    EXPECT_FALSE(f.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    QStringList hidden;
    for (const QWidget* control :
         f.centralWidget()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (control->isHidden()) {
            hidden << control->objectName();
        }
    }
    hidden.sort();
    EXPECT_EQ(hidden.join(QLatin1Char(' ')),
              QStringLiteral("File1 ProgressBar1 btnLeadingZerosDn btnLeadingZerosUp "
                             "chkRemoveOriginalName lblFirstIndex lblLeadingZeros "
                             "lblNumLeadingZeros lblProgress txtFirstIndex"));
    EXPECT_TRUE(f.optUnderscore[0]->isChecked());
    EXPECT_EQ(f.TakeSettings(), engine::CleanSettings{});  // every option at its start value
    EXPECT_EQ(f.ProgressBar1->Value(), 0);
    EXPECT_EQ(f.focusWidget(), f.cmdBrowse);
}

TEST(FormLoad, CheckBoxesAndTheHintAreDrawnWhole) {
    WindowUnderTest w;
    for (const QCheckBox* box :
         {w.Form.chkAddPrefix, w.Form.chkAddSuffix, w.Form.chkRemoveOriginalName}) {
        SCOPED_TRACE(box->objectName().toStdString());
        EXPECT_GE(box->height(), box->sizeHint().height());
        EXPECT_GE(box->width(), box->sizeHint().width());
    }
    const QLabel* hint = w.Form.Label3;
    EXPECT_GE(hint->height(), hint->heightForWidth(hint->width()));
    EXPECT_LE(hint->geometry().bottom(), w.Form.lblNumLeadingZeros->geometry().top());
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
    for (QWidget* next = f.cmdBrowse; chain.size() < expected.count(QLatin1Char(' ')) + 1;
         next = next->nextInFocusChain()) {
        if ((next->focusPolicy() & Qt::TabFocus) != 0 && !next->objectName().isEmpty()) {
            chain << next->objectName();
        }
    }
    EXPECT_EQ(chain.join(QLatin1Char(' ')), expected);
}

TEST(MnuAboutClick, ShowsTitleAndVersionOnTwoLines) {
    WindowUnderTest w;
    w.Dialogs.Answers = {QMessageBox::Ok};
    w.Form.mnuAbout->trigger();
    ASSERT_EQ(w.Dialogs.Boxes.size(), 1U);
    EXPECT_EQ(w.Dialogs.Boxes[0].Text, Q(kAbout));
    EXPECT_EQ(w.Dialogs.Boxes[0].Title, Q(kTitle));
    EXPECT_EQ(w.Dialogs.Boxes[0].Buttons, QMessageBox::Ok);
    EXPECT_EQ(w.Dialogs.Boxes[0].Icon, QMessageBox::Information);
}

TEST(FormUnload, ExitAndCloseBoxEndTheWindowButNotDuringARun) {
    for (const bool byMenu : {true, false}) {
        SCOPED_TRACE(byMenu ? "File > Exit" : "close box");
        WindowUnderTest w;
        w.Music.CreateFile("a b.mp3");
        w.ChooseMusic();
        const auto close = [&] { byMenu ? w.Form.mnuExit->trigger() : void(w.Form.close()); };
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
