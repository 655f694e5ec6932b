#!/usr/bin/env bash
# Builds the program, makes the demo database beside it when missing, and opens
# 印刷日報登錄 the way the suite's menu starts it: the launch token, the demo
# user, and -PID= naming this (still running) shell as the menu program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build
[ -f build/PLOV.mdb ] || build/plov demo build/PLOV.mdb
build/daily_report -qta5827 -AD=王小明 -NAME=王小明 -ID=E001 -XLS=.xlsx -DOC=.docx -PID=$$
