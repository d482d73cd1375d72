#pragma once
// The program's resources by numeric id: dialog templates, bitmaps and icons.
//
// Bitmaps are PNG files named "<id>.png" and icons "icon-<id>-<size>.png" (any of 16, 24, 32,
// 48, 64, 128, 256 pixels), read from the Qt resource prefix ":/images" and, when the resource
// is not linked in, from the source tree's resources/images folder.

#include <QIcon>
#include <QPixmap>

struct DialogTemplate;

// The template registered under `id`, or null.
const DialogTemplate* FindDialogTemplate(int id);

// A bitmap by id; a null pixmap when there is no such image.
QPixmap LoadBitmap(int id);

// An icon by id with every size there is; a null icon when there is none. An id without icon
// files falls back to the bitmap of that id.
QIcon LoadIcon(int id);
