#include "gridtests.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    int failed = 0;
    failed += runCellModelTests(argc, argv);
    failed += runFmlTests(argc, argv);
    failed += runSpreadsheetGridTests(argc, argv);
    return failed;
}
