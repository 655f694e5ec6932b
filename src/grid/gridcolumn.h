#pragma once

#include "grid/cellformat.h"

#include <QString>

// A spreadsheet's standard column, about nine digits wide, in 1/256 of the
// width of the digit zero.
constexpr int kDefaultColumnWidth = 2342;

// One column of a screen's designed grid layout.
struct GridColumn
{
    QString heading;
    int width = kDefaultColumnWidth; // 1/256 of the width of the digit zero
    QString format;                  // "General", "0", "0.0", "0.00", "0.000"
    CellAlign align = CellAlign::General;
    bool hidden = false; // hidden columns keep their width and their cells
};
