#pragma once

#include <QIcon>

// The pictures on the main screen's buttons. They are drawn when a button is
// painted rather than looked up in an icon theme and read from image files, so the
// screen comes up without that work, and looks the same on every desktop. A
// disabled button gets its picture in grey.
enum class Picture
{
    Page,      // a new page
    Pencil,    // edit
    Magnifier, // search
    Printer,
    Sheet, // a printed sheet
    Undo,
    List,
    Star, // defaults
    Bin,
    First,
    Previous,
    Next,
    Last,
    Disk, // save
    Refresh,
    Door, // exit
    Folder,
};

QIcon DrawnIcon(Picture picture);
