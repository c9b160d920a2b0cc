#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include "tests/support/qt_printers.h"
#include "tests/window/window_fixture.h"

namespace klarwell::testing {
namespace {

using namespace texts::window;

TEST(TextFieldCheck, EachCheckedFieldTellsOnceAndRepairs) {
    struct Row {
        const char* why;
        const char* field;
        const char* start;
        int caret;
        const char* typed;
        const char* text;
        const char* message;
    };
    const Row rows[] = {
        {"prefix: question mark between letters", "txtPrefix", "ab", 1, "?", "ab",
         kInvalidCharHashAllowed},
        {"suffix: number sign allowed", "txtSuffix", "a", 1, "#", "a#", nullptr},
        {"suffix: every forbidden character goes", "txtSuffix", "x", 1, "&/", "x",
         kInvalidCharHashAllowed},
        {"With field: number sign refused", "txtWith(2)", "", 0, "#", "",
         kInvalidCharHashForbidden},
        {"keywords are not checked", "txtReplace(4)", "", 0, "&?/", "&?/", nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        WindowUnderTest w;
        auto* field = w.Form.findChild<QLineEdit*>(QLatin1String(row.field));
        ASSERT_NE(field, nullptr);
        field->setText(QLatin1String(row.start));
        field->setCursorPosition(row.caret);
        const std::size_t boxes = row.message != nullptr ? std::string_view(row.typed).size() : 0;
        w.Dialogs.Answers.assign(boxes, QMessageBox::Ok);
        QTest::keyClicks(field, QLatin1String(row.typed));
        EXPECT_EQ(field->text(), QLatin1String(row.text));
        ASSERT_EQ(w.Dialogs.Boxes.size(), boxes);
        for (const ShownBox& box : w.Dialogs.Boxes) {
            EXPECT_EQ(box.Text, Q(row.message));
            EXPECT_EQ(box.Title, Q(kInvalidCharTitle));
            EXPECT_EQ(box.Buttons, QMessageBox::Ok);
            EXPECT_EQ(box.Icon, QMessageBox::NoIcon);
        }
    }
}

void ExpectIndexControlsShown(window::frmMain& f, bool shown) {
    for (QWidget* control : std::initializer_list<QWidget*>{
             f.lblLeadingZeros, f.lblNumLeadingZeros, f.btnLeadingZerosUp, f.btnLeadingZerosDn,
             f.chkRemoveOriginalName, f.lblFirstIndex, f.txtFirstIndex}) {
        EXPECT_EQ(!control->isHidden(), shown) << control->objectName().toStdString();
    }
}

// Disabled text fields take the face colour of buttons, enabled ones the colour of entry fields.
void ExpectNameEditing(window::frmMain& f, bool enabled) {
    std::vector<QWidget*> controls = {f.ChkRemoveDigits, f.ChkRemovePostDigits};
    controls.insert(controls.end(), f.optUnderscore.begin(), f.optUnderscore.end());
    controls.insert(controls.end(), f.chkReplace.begin(), f.chkReplace.end());
    for (QWidget* control : controls) {
        EXPECT_EQ(control->isEnabled(), enabled) << control->objectName().toStdString();
    }
    const QColor background = f.palette().color(enabled ? QPalette::Base : QPalette::Button);
    for (int i = 0; i < 6; ++i) {
        for (QLineEdit* field : {f.txtReplace[i], f.txtWith[i]}) {
            EXPECT_EQ(field->isEnabled(), enabled);
            EXPECT_EQ(field->palette().color(QPalette::Base), background);
        }
    }
    EXPECT_TRUE(f.chkAddPrefix->isEnabled() && f.txtPrefix->isEnabled());
    EXPECT_TRUE(f.chkAddSuffix->isEnabled() && f.txtSuffix->isEnabled());
}

TEST(UpdateIndexControls, TheTicksAndTextsOfPrefixAndSuffixShowAndHideThem) {
    WindowUnderTest w;
    window::frmMain& f = w.Form;
    // The tick set by the prefix field's change runs the box's click, which shows the controls.
    QTest::keyClicks(f.txtPrefix, QStringLiteral("#"));
    EXPECT_TRUE(f.chkAddPrefix->isChecked());
    ExpectIndexControlsShown(f, true);
    f.chkAddPrefix->setChecked(false);
    ExpectIndexControlsShown(f, false);
    f.txtSuffix->setText(QStringLiteral("a#"));
    ExpectIndexControlsShown(f, true);
    f.chkAddSuffix->setChecked(false);
    ExpectIndexControlsShown(f, false);
    f.chkAddPrefix->setChecked(true);
    ExpectIndexControlsShown(f, true);
    f.txtPrefix->clear();  // keeps its tick
    EXPECT_TRUE(f.chkAddPrefix->isChecked());
    ExpectIndexControlsShown(f, false);
}

TEST(SetOptionsForRemoveName, DiscardingNamesDisablesNameEditingAndKeepsTheValues) {
    WindowUnderTest w;
    window::frmMain& f = w.Form;
    f.ChkRemoveDigits->setChecked(true);
    f.optUnderscore[2]->setChecked(true);
    f.txtReplace[3]->setText(QStringLiteral("x"));
    f.txtWith[3]->setText(QStringLiteral("y"));
    EXPECT_TRUE(f.chkReplace[3]->isChecked());
    EXPECT_FALSE(f.chkReplace[2]->isChecked());
    f.txtPrefix->setText(QStringLiteral("a#"));
    f.chkRemoveOriginalName->setChecked(true);
    ExpectNameEditing(f, false);
    f.chkRemoveOriginalName->setChecked(false);
    ExpectNameEditing(f, true);

    // Deleting the last number sign hides the controls and unticks the discard box.
    f.chkRemoveOriginalName->setChecked(true);
    f.txtPrefix->setCursorPosition(2);
    QTest::keyClick(f.txtPrefix, Qt::Key_Backspace);
    ExpectIndexControlsShown(f, false);
    EXPECT_FALSE(f.chkRemoveOriginalName->isChecked());
    ExpectNameEditing(f, true);
    EXPECT_TRUE(f.ChkRemoveDigits->isChecked() && f.optUnderscore[2]->isChecked());
    EXPECT_EQ(f.txtReplace[3]->text() + f.txtWith[3]->text(), QStringLiteral("xy"));
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
    engine::CleanSettings s = f.TakeSettings();
    EXPECT_TRUE(s.IndexNumbering && s.AddSuffix && s.DiscardOriginalNames);
    EXPECT_EQ(s.Suffix, "-#");
    EXPECT_EQ(s.FileCountChars, 3);
    EXPECT_EQ(s.FirstIndex, 40);
    EXPECT_EQ(s.Replacements[5], (engine::ReplacementPair{true, "k", ""}));
    EXPECT_EQ(s.SpaceMode, engine::SpaceUnderscoreMode::KeepSpacesAndUnderscores);
    EXPECT_FALSE(s.FolderChosen);

    f.chkAddSuffix->setChecked(false);
    f.lblNumLeadingZeros->setText(QStringLiteral("5"));
    s = f.TakeSettings();
    EXPECT_FALSE(s.IndexNumbering || s.DiscardOriginalNames);
    EXPECT_EQ(s.FileCountChars, 3);
    EXPECT_EQ(s.FirstIndex, 40);
}

}  // namespace
}  // namespace klarwell::testing
