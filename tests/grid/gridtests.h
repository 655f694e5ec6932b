#pragma once

// Each test class of the grid layer runs through one of these; main() runs
// them all in one program.
int runCellModelTests(int argc, char **argv);
int runFmlTests(int argc, char **argv);
int runSpreadsheetGridTests(int argc, char **argv);
