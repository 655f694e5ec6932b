#pragma once

#include <QTest>

// Tables in fewer lines: AddColumns<QString, int>("text", "width") declares a
// table's columns; Fetch<QString>("text") reads the current row's value as QFETCH does.
template <typename... T, typename... Names> void AddColumns(Names... names)
{
    (QTest::addColumn<T>(names), ...);
}

template <typename T> T Fetch(const char *name)
{
    return *static_cast<T *>(QTest::qData(name, qMetaTypeId<T>()));
}
