#pragma once
// How the pedigree templates are stored in the install folder.

#include <QByteArray>
#include <QString>

#include <optional>
#include <string_view>

#include "Records.h"

// The bytes a bundled file is laid out with: the pedigree templates are kept as UTF-8 with the
// program and laid out as UTF-16 little-endian text behind its byte-order mark; every other
// file as it is.
QByteArray InstalledForm(const QString& file, const QByteArray& bytes);

// The text of a template read from its file's bytes, by the byte-order mark they begin with:
// UTF-16 in either byte order behind its mark, or UTF-8 behind its mark or without one (as text
// editors save it and as the program keeps the templates). The text ends before its first NUL
// character. Nothing when the bytes are none of these: UTF-16 of an odd length or with a broken
// surrogate pair, bytes that are not UTF-8, or a NUL in unmarked text (UTF-16 without its mark).
std::optional<Text> PedigreeTemplateFromBytes(std::string_view bytes);
