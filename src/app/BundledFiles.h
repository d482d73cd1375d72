#pragma once
// Files that come with the program and live in its install folder (the help pages under
// html/help/, the pedigree templates with their pictures under data/pedigrees/). Start-up lays out every one that is missing there; a file that is already there
// is left as it is, so a page the user changed is kept.

#include <QStringList>

// Lays out the missing files into places::InstallFolder(). Returns false when a file could not
// be written; the files that could be written are there all the same.
bool LayOutBundledFiles();

// The bundled files, as paths relative to the install folder ("html/help/intro.html", ...).
QStringList BundledFiles();
