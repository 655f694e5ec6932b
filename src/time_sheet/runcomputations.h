#pragma once

#include <QString>
#include <optional>

// The figures of a press run: how long it took, how much of that was working
// time, what the press should have printed in it and the score the run earns.
// Plain values in and out, so every figure is checked without a screen.

// Allowances of a press in minutes, from 印刷產能資料; all 0 for a press
// without a row there.
struct PressCapacity
{
    double perPlate = 0;  // 每版耗時
    double proofing = 0;  // 看印耗時
    double perFill = 0;   // 特滿耗時
    double pressWash = 0; // 洗車耗時
};

// What a press gives each of its runs: its standard quantity per hour (its
// PHRASE REM, 0 when unknown) and its allowances.
struct PressFigures
{
    double standard = 0;
    PressCapacity capacity;
};

// Hours from a start stamp to an end stamp (7-digit date, "-", hh:nn), to two
// decimals; negative when the end lies before the start. Nothing when either
// stamp is not a real date and time.
std::optional<double> TimeConsumedHours(const QString &start, const QString &end);

// Effective time of a run as cell text "0.00": its hours less the plate,
// proofing (only for the mark "Y"; the default "V" takes nothing off),
// special-fill and press-wash allowances. May be negative.
QString EffectiveTimeText(double hours, double plates, const QString &proofingMark, double fills,
                          const PressCapacity &capacity);

// The same computation written out with the figures it used, as the effective
// time's tooltip shows it: "165 分 − 版 5 × 5 − 看印 10 − 特滿 2 × 3 − 洗車 15 =
// 109 分 = 1.82 小時" (看印 only for the mark "Y"). Its last figure is the cell's.
QString EffectiveTimeExplained(double hours, double plates, const QString &proofingMark,
                               double fills, const PressCapacity &capacity);

// The score 0 to 10 of a run that printed `difference` more than its standard
// quantity. The percentage is rounded to a whole percent (half away from
// zero) before the bands are applied, so every run falls in a band. A
// standard of 0 scores "0".
QString ScoreText(double difference, double standard);

// The five figures shown for a run, as their label captions.
struct RunFigures
{
    QString perHour;    // standard quantity per hour of the run's press
    QString standard;   // what the press prints in the effective time
    QString actual;     // the finished quantity
    QString difference; // actual less standard
    QString score;
};
RunFigures FiguresOfRun(const QString &finished, const QString &effective, const QString &perHour);

// How a run's score came about, as the score's tooltip shows it: the standard
// and finished quantities, their difference, the percentage and its band.
QString ScoreExplained(const QString &finished, const QString &effective, const QString &perHour);

// A finished quantity's value. Written with thousands separators ("1,200")
// it keeps its whole value; any other text reads as its leading number.
double QuantityValue(const QString &text);
