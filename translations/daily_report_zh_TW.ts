<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW" sourcelanguage="en">
<context>
    <name>SpreadsheetGrid</name>
    <message>
        <source>Grid</source>
        <translation>表格</translation>
    </message>
</context>
</TS>
