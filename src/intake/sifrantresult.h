#pragma once

#include <QString>

// What the document-type dialog hands back for one of its files.
struct SifrantResult
{
    // The chosen type's code; empty when the file got no type.
    QString code;
    // The chosen type's bookmark key, its own or inherited from the type it is nested in.
    QString bookmark;
    // The file, as it was given to the dialog.
    QString filePath;
    // The code, a blank and the type's title, as the table showed it.
    QString typeText;
};
