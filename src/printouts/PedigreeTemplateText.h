#pragma once
// How the pedigree templates are stored in the install folder.

#include <QByteArray>
#include <QString>

// The bytes a bundled file is laid out with: the pedigree templates are kept as UTF-8 with the
// program and laid out as UTF-16 little-endian text behind its byte-order mark; every other
// file as it is.
QByteArray InstalledForm(const QString& file, const QByteArray& bytes);
