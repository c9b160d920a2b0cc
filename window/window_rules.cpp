#include "window/window_rules.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <climits>
#include <cmath>
#include <string>
#include <string_view>

#include "engine/numeric_text.h"

namespace klarwell::window {

namespace {

using engine::Answer;
using engine::Buttons;

// The one reading of a number from a control's text.
double Value(const QString& text) {
    return engine::NumericValue(text.toUtf8().toStdString());
}

// The decimal digits of a whole, non-negative number of any size.
std::string WholeNumberDigits(double value) {
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 0);
    return result.ec == std::errc() ? std::string(buffer, result.ptr) : std::string("0");
}

bool BeyondInt32(const std::string& digits) {
    constexpr std::string_view kMax = "2147483647";
    return digits.size() > kMax.size() || (digits.size() == kMax.size() && digits > kMax);
}

}  // namespace

std::map<QString, TwipsRect> ReadLayout(const QString& text) {
    std::map<QString, TwipsRect> layout;
    for (const QString& line : text.split(u'\n')) {
        const QStringList fields = line.simplified().split(u' ');
        bool read = fields.size() == 5 && !fields[0].startsWith(u'#');
        std::array<int, 4> numbers{};
        for (qsizetype i = 0; read && i < 4; ++i) {
            numbers[static_cast<std::size_t>(i)] = fields[i + 1].toInt(&read);
        }
        if (read) {
            layout[fields[0]] = {numbers[0], numbers[1], numbers[2], numbers[3]};
        }
    }
    return layout;
}

int DigitCount(const QString& caption) {
    const double count = engine::RoundHalfEven(Value(caption));
    return static_cast<int>(std::clamp(count, 0.0, static_cast<double>(INT_MAX)));
}

QString DigitCountUp(const QString& caption) {
    // Bounded only so that the conversion stays defined; no one presses up 10^18 times.
    const double count = std::clamp(std::trunc(Value(caption)), -1e18, 1e18);
    return QString::fromStdString(engine::DecimalText(static_cast<std::int64_t>(count) + 1));
}

QString DigitCountForFolder(const QString& caption, int fileCount) {
    const auto countDigits = static_cast<int>(engine::DecimalText(fileCount).size());
    return Value(caption) < countDigits ? QString::number(countDigits) : caption;
}

DigitCountDown LowerDigitCount(int digitCount, int neededDigits) {
    if (digitCount <= neededDigits) {
        return {std::nullopt, true};
    }
    // Never below one digit.
    return {digitCount > 1 ? std::optional<int>(digitCount - 1) : std::nullopt, false};
}

std::optional<std::int32_t> FirstIndex(const QString& text) {
    return engine::RoundToInt32(Value(text));
}

FirstIndexEdit NormaliseFirstIndex(const QString& text, int caret,
                                   const QString& digitCountCaption) {
    const double value = std::trunc(std::fabs(Value(text)));
    std::string digits = std::isfinite(value) ? WholeNumberDigits(value) : std::string("0");
    const double count = std::trunc(Value(digitCountCaption));
    const auto digitCount = static_cast<std::size_t>(std::clamp(count, 1.0, 400.0));
    bool cut = false;
    if (digits.size() > digitCount) {
        digits.erase(0, digits.size() - digitCount);
        cut = true;
    }
    // A first index must fit 32 bits: drop leading digits as the digit count does.
    while (BeyondInt32(digits)) {
        digits.erase(0, 1);
        cut = true;
    }
    const QString normal = QString::fromStdString(digits);
    const auto length = static_cast<int>(normal.size());
    if (cut) {
        return {normal, length};
    }
    if (normal == text) {
        return {text, caret};
    }
    const auto vanished = static_cast<int>(text.size()) - length;
    return {normal, std::clamp(caret - vanished, 0, length)};
}

bool HashCondition(bool prefixTicked, const QString& prefix, bool suffixTicked,
                   const QString& suffix) {
    const QChar hash = QLatin1Char('#');
    return (prefixTicked && prefix.contains(hash)) || (suffixTicked && suffix.contains(hash));
}

QString RemoveInvalidChars(const QString& Text, bool AllowHash) {
    static const QString kForbidden = QStringLiteral("/\\:?<>|\"'@#$%^~&");
    QString cleaned;
    for (const QChar c : Text) {
        if (!kForbidden.contains(c) || (AllowHash && c == QLatin1Char('#'))) {
            cleaned += c;
        }
    }
    return cleaned;
}

BoxButtons ButtonsFor(Buttons buttons) {
    switch (buttons) {
        case Buttons::Ok:
            break;
        case Buttons::OkCancel:
            return {QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok};
        case Buttons::YesNo:
            return {QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes};
        case Buttons::YesNoCancel:
            return {QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes};
    }
    return {QMessageBox::Ok, QMessageBox::Ok};
}

Answer AnswerFor(QMessageBox::StandardButton pressed, Buttons buttons) {
    switch (pressed) {
        case QMessageBox::Ok:
            return Answer::Ok;
        case QMessageBox::Cancel:
            return Answer::Cancel;
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            break;
    }
    // Closed without a button: a box with Cancel counts it as Cancel, the others as their
    // gentlest answer.
    if (ButtonsFor(buttons).Set.testFlag(QMessageBox::Cancel)) {
        return Answer::Cancel;
    }
    return buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
}

}  // namespace klarwell::window
