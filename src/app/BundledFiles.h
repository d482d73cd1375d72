#pragma once
// Files that come with the program and live in its install folder (the help pages under
// html/help/, the pedigree templates with their pictures under data/pedigrees/). Start-up lays
// out every one that is missing there. A file that is already there is left as it is, so a page
// the user changed is kept, unless it is exactly a version that an earlier version of the
// program laid out (resources/install/shipped-pedigree-files.sha256): such an untouched copy is
// replaced by today's.

#include <QByteArray>
#include <QList>
#include <QStringList>

// Lays out the missing and the superseded files into places::InstallFolder(). Returns false when
// a file could not be written; the files that could be written are there all the same.
bool LayOutBundledFiles();

// The bundled files, as paths relative to the install folder ("html/help/intro.html", ...).
QStringList BundledFiles();

// SHA-256 (lower-case hex) of the bytes that are laid out for `file` today.
QByteArray LaidOutHash(const QString& file);

// SHA-256 (lower-case hex) of every version of `file` that the program has ever laid out,
// today's among them; empty for a file that is not on the list.
QList<QByteArray> ShippedHashes(const QString& file);
