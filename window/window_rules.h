#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>

#include <QMessageBox>
#include <QString>

#include "engine/user_interface.h"

// The window's own rules on the texts of its controls, free of any widget: the handlers read the
// controls, call these and set the controls.
namespace klarwell::window {

// A control's place in twips: left, top, width and height.
struct TwipsRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool operator==(const TwipsRect&) const = default;
};

// The window's layout file: one control per line, its name and then its left, top, width and
// height, separated by blanks. Other lines (empty ones, comments starting with "#") are skipped.
[[nodiscard]] std::map<QString, TwipsRect> ReadLayout(const QString& text);

// The digit count in the caption of lblNumLeadingZeros, rounded to a whole number as a clean run
// reads it; never below 0.
[[nodiscard]] int DigitCount(const QString& caption);

// The caption after the up button: one more than the whole part of the count, without limit.
[[nodiscard]] QString DigitCountUp(const QString& caption);

// The caption after a folder of `fileCount` files is chosen: raised to the digits of the count
// when it is below them, else as it was.
[[nodiscard]] QString DigitCountForFolder(const QString& caption, int fileCount);

// What the down button does with `digitCount` when the highest index needs `neededDigits`.
struct DigitCountDown {
    std::optional<int> Lowered;  // the new count; none when it stays
    bool Refused = false;        // the index needs every digit left: tell the user
};
[[nodiscard]] DigitCountDown LowerDigitCount(int digitCount, int neededDigits);

// The first index typed into txtFirstIndex, rounded; none when it does not fit 32 bits.
[[nodiscard]] std::optional<std::int32_t> FirstIndex(const QString& text);

// The first index field after an edit: the whole part of the number without sign or leading
// zeros, cut to its last digits where it has more than the digit count or does not fit 32 bits.
struct FirstIndexEdit {
    QString Text;   // equal to the field's text when the field is to be left alone
    int Caret = 0;  // at the end after a cut, else where the user was less what vanished
};
[[nodiscard]] FirstIndexEdit NormaliseFirstIndex(const QString& text, int caret,
                                                 const QString& digitCountCaption);

// The index controls are shown while a ticked prefix or suffix holds "#".
[[nodiscard]] bool HashCondition(bool prefixTicked, const QString& prefix, bool suffixTicked,
                                 const QString& suffix);

// Removes every character a file name must not hold; the number sign only when it is not allowed.
[[nodiscard]] QString RemoveInvalidChars(const QString& Text, bool AllowHash);

// The buttons of a message box and the one that is the default.
struct BoxButtons {
    QMessageBox::StandardButtons Set;
    QMessageBox::StandardButton Default = QMessageBox::NoButton;
};
[[nodiscard]] BoxButtons ButtonsFor(engine::Buttons buttons);

// The answer a box gives for the button pressed. Closed without one (NoButton), a box with Cancel
// answers Cancel, a Yes/No box No, an OK box OK.
[[nodiscard]] engine::Answer AnswerFor(QMessageBox::StandardButton pressed,
                                       engine::Buttons buttons);

}  // namespace klarwell::window
