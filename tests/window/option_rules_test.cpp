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

const QString kHashAllowed = QStringLiteral(
    "File names can not contain the characters /, \\, :, ?, \", <, >, |, ', @, $, %, ^, ~, or &");
const QString kHashForbidden = QStringLiteral(
    "File names can not contain the characters /, \\, :, ?, \", <, >, |, ', @, #, $, %, ^, ~, or "
    "&");

TEST(RemoveInvalidChars, RemovesEveryForbiddenCharacter) {
    struct Row {
        const char* why;
        QString text;
        bool allowHash;
        QString expected;
    };
    const Row rows[] = {
        {"all sixteen go", QStringLiteral("a/\\:?\"<>|'@#$%^~&b"), false, QStringLiteral("ab")},
        {"the number sign stays when allowed", QStringLiteral("a#b&#"), true,
         QStringLiteral("a#b#")},
        {"blank, underscore and asterisk are allowed", QStringLiteral(" _*x"), false,
         QStringLiteral(" _*x")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(window::RemoveInvalidChars(row.text, row.allowHash), row.expected);
    }
}

TEST(TextFieldCheck, TellsOfForbiddenCharactersOnceAndRemovesThem) {
    struct Row {
        const char* why;
        const char* field;
        const char* start;
        int caret;
        const char* typed;  // typed at the caret; nullptr pastes `start` as a whole
        const char* text;
        const QString* message;
    };
    const Row rows[] = {
        {"ampersand after two letters in the prefix", "txtPrefix", "ab", 2, "&", "ab",
         &kHashAllowed},
        {"question mark between letters of the prefix", "txtPrefix", "ab", 1, "?", "ab",
         &kHashAllowed},
        {"slash at the start of the suffix", "txtSuffix", "xy", 0, "/", "xy", &kHashAllowed},
        {"number sign allowed in the prefix", "txtPrefix", "", 0, "#", "#", nullptr},
        {"number sign allowed in the suffix", "txtSuffix", "a", 1, "#", "a#", nullptr},
        {"slash and colon pasted into a With field", "txtWith(0)", "a/b:c", 0, nullptr, "abc",
         &kHashForbidden},
        {"number sign refused in a With field", "txtWith(2)", "", 0, "#", "", &kHashForbidden},
        {"a field of forbidden characters only becomes empty", "txtWith(5)", "<>|", 0, nullptr, "",
         &kHashForbidden},
        {"asterisk accepted", "txtWith(1)", "", 0, "*", "*", nullptr},
        {"blank and underscore accepted", "txtPrefix", "", 0, " _", " _", nullptr},
        {"keywords are not checked", "txtReplace(4)", "", 0, "&?/", "&?/", nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        WindowUnderTest w;
        auto* field = w.Form.findChild<QLineEdit*>(QLatin1String(row.field));
        ASSERT_NE(field, nullptr);
        if (row.message != nullptr) {
            w.Dialogs.Answers = {QMessageBox::Ok};
        }
        if (row.typed == nullptr) {
            field->setText(QLatin1String(row.start));
        } else {
            field->setText(QLatin1String(row.start));
            field->setCursorPosition(row.caret);
            QTest::keyClicks(field, QLatin1String(row.typed));
        }
        EXPECT_EQ(field->text(), QLatin1String(row.text));
        if (row.message == nullptr) {
            EXPECT_TRUE(w.Dialogs.Boxes.empty());
            continue;
        }
        ASSERT_EQ(w.Dialogs.Boxes.size(), 1U);
        EXPECT_EQ(w.Dialogs.Boxes[0].Text, *row.message);
        EXPECT_EQ(w.Dialogs.Boxes[0].Title, QStringLiteral("Invalid Character Entered"));
        EXPECT_EQ(w.Dialogs.Boxes[0].Buttons, QMessageBox::Ok);
        EXPECT_EQ(w.Dialogs.Boxes[0].Icon, QMessageBox::NoIcon);
    }
}

std::vector<QWidget*> IndexControls(window::frmMain& f) {
    return {f.lblLeadingZeros,       f.lblNumLeadingZeros, f.btnLeadingZerosUp, f.btnLeadingZerosDn,
            f.chkRemoveOriginalName, f.lblFirstIndex,      f.txtFirstIndex};
}

std::vector<QWidget*> NameEditingControls(window::frmMain& f) {
    std::vector<QWidget*> controls = {f.ChkRemoveDigits, f.ChkRemovePostDigits};
    controls.insert(controls.end(), f.optUnderscore.begin(), f.optUnderscore.end());
    controls.insert(controls.end(), f.chkReplace.begin(), f.chkReplace.end());
    controls.insert(controls.end(), f.txtReplace.begin(), f.txtReplace.end());
    controls.insert(controls.end(), f.txtWith.begin(), f.txtWith.end());
    return controls;
}

void ExpectIndexControlsShown(window::frmMain& f, bool shown) {
    for (QWidget* control : IndexControls(f)) {
        EXPECT_EQ(!control->isHidden(), shown) << control->objectName().toStdString();
    }
}

void ExpectNameEditing(window::frmMain& f, bool enabled) {
    const QPalette::ColorRole role = enabled ? QPalette::Base : QPalette::Button;
    for (QWidget* control : NameEditingControls(f)) {
        EXPECT_EQ(control->isEnabled(), enabled) << control->objectName().toStdString();
        if (qobject_cast<QLineEdit*>(control) != nullptr) {
            EXPECT_EQ(control->palette().color(QPalette::Base), f.palette().color(role))
                << control->objectName().toStdString();
        }
    }
    for (QWidget* control :
         {static_cast<QWidget*>(f.chkAddPrefix), static_cast<QWidget*>(f.txtPrefix),
          static_cast<QWidget*>(f.chkAddSuffix), static_cast<QWidget*>(f.txtSuffix)}) {
        EXPECT_TRUE(control->isEnabled());
    }
}

TEST(UpdateIndexControls, IndexControlsShowWhileATickedPrefixOrSuffixHoldsTheNumberSign) {
    WindowUnderTest w;
    window::frmMain& f = w.Form;
    // Typing into an unticked prefix ticks it, and the tick's click shows the controls.
    QTest::keyClicks(f.txtPrefix, QStringLiteral("#"));
    EXPECT_TRUE(f.chkAddPrefix->isChecked());
    ExpectIndexControlsShown(f, true);

    f.chkAddPrefix->setChecked(false);
    ExpectIndexControlsShown(f, false);
    EXPECT_EQ(f.txtPrefix->text(), QStringLiteral("#"));
    EXPECT_FALSE(f.chkAddPrefix->isChecked());

    f.txtSuffix->setText(QStringLiteral("a#"));
    EXPECT_TRUE(f.chkAddSuffix->isChecked());
    ExpectIndexControlsShown(f, true);
    f.chkAddSuffix->setChecked(false);
    ExpectIndexControlsShown(f, false);

    // Clearing a field keeps its tick.
    f.chkAddPrefix->setChecked(true);
    f.txtPrefix->clear();
    EXPECT_TRUE(f.chkAddPrefix->isChecked());
    ExpectIndexControlsShown(f, false);
}

TEST(SetOptionsForRemoveName, DiscardingNamesDisablesTheNameEditingControlsAndKeepsTheirValues) {
    WindowUnderTest w;
    window::frmMain& f = w.Form;
    f.ChkRemoveDigits->setChecked(true);
    f.optUnderscore[2]->setChecked(true);
    f.txtReplace[3]->setText(QStringLiteral("x"));
    f.txtWith[3]->setText(QStringLiteral("y"));
    EXPECT_TRUE(f.chkReplace[3]->isChecked());
    EXPECT_FALSE(f.chkReplace[2]->isChecked());
    f.txtPrefix->setText(QStringLiteral("a#"));
    ExpectNameEditing(f, true);

    f.chkRemoveOriginalName->setChecked(true);
    ExpectNameEditing(f, false);
    f.chkRemoveOriginalName->setChecked(false);
    ExpectNameEditing(f, true);

    // Deleting the last number sign hides the controls, unticks the discard box and enables all.
    f.chkRemoveOriginalName->setChecked(true);
    f.txtPrefix->setCursorPosition(2);
    QTest::keyClick(f.txtPrefix, Qt::Key_Backspace);
    ExpectIndexControlsShown(f, false);
    EXPECT_FALSE(f.chkRemoveOriginalName->isChecked());
    ExpectNameEditing(f, true);
    EXPECT_TRUE(f.ChkRemoveDigits->isChecked());
    EXPECT_TRUE(f.optUnderscore[2]->isChecked());
    EXPECT_EQ(f.txtReplace[3]->text(), QStringLiteral("x"));
    EXPECT_EQ(f.txtWith[3]->text(), QStringLiteral("y"));
    EXPECT_TRUE(f.chkReplace[3]->isChecked());
}

TEST(TakeSettings, ReadsTheControlsAsTheyStand) {
    WindowUnderTest w;
    window::frmMain& f = w.Form;
    f.txtSuffix->setText(QStringLiteral("-#"));
    f.lblNumLeadingZeros->setText(QStringLiteral("3"));
    f.txtFirstIndex->setText(QStringLiteral("40"));
    f.chkRemoveOriginalName->setChecked(true);
    f.txtReplace[5]->setText(QStringLiteral("k"));
    f.optUnderscore[3]->setChecked(true);
    engine::CleanSettings s = f.TakeSettings();
    EXPECT_TRUE(s.IndexNumbering);
    EXPECT_TRUE(s.AddSuffix);
    EXPECT_EQ(s.Suffix, "-#");
    EXPECT_EQ(s.FileCountChars, 3);
    EXPECT_EQ(s.FirstIndex, 40);
    EXPECT_TRUE(s.DiscardOriginalNames);
    EXPECT_EQ(s.Replacements[5], (engine::ReplacementPair{true, "k", ""}));
    EXPECT_EQ(s.SpaceMode, engine::SpaceUnderscoreMode::KeepSpacesAndUnderscores);
    EXPECT_FALSE(s.FolderChosen);

    // Hidden index controls leave the values of the last take.
    f.chkAddSuffix->setChecked(false);
    f.lblNumLeadingZeros->setText(QStringLiteral("5"));
    s = f.TakeSettings();
    EXPECT_FALSE(s.IndexNumbering);
    EXPECT_FALSE(s.DiscardOriginalNames);
    EXPECT_EQ(s.FileCountChars, 3);
    EXPECT_EQ(s.FirstIndex, 40);
}

}  // namespace
}  // namespace klarwell::testing
