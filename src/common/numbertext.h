#pragma once

#include <QString>
#include <optional>

// The numeric test the grouping below relies on: surrounding blanks, a leading
// sign, thousands separators between the integer digits, a decimal point and
// an exponent ("1.5e3") are accepted. Gives the value, or nothing when the
// text is not a number (or does not fit a double).
std::optional<double> ParseNumericText(const QString &text);

// A number as plain decimal text with at most 15 significant digits and no
// exponent: 1200 -> "1200", 1.5 -> "1.5", 0.1 + 0.2 -> "0.3", 1e20 ->
// "100000000000000000000". Used to show database numbers as cell text.
QString NumberText(double value);

// A number rounded half away from zero to the given decimals, never -0.
double RoundTo(double value, int decimals);

// The same as text with exactly those decimals ("0.00" is 2 decimals, "0" none).
QString FixedText(double value, int decimals);

// A numeric text with its integer part grouped by threes ("1,234,567.5"),
// keeping exactly the decimals the value itself carries ("12.50" -> "12.5").
// Empty text stays empty; a text that is not numeric comes back unchanged.
// Values too large or too small for plain 15-digit text are still written in
// plain decimals (1e-7 -> "0.0000001"), never with an exponent.
QString FormatThousands(const QString &text);
