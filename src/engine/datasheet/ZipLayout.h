// The layout of a zip package, checked from its central directory before
// anything is unpacked.
#pragma once

#include <QString>

// Checks that every entry the directory lists - its local header, name,
// extra field and compressed data - lies inside the file before the
// directory, apart from every other entry. Entries that share or overlap
// their bytes make a small package unpack into the same data many times.
// Returns what is wrong in a few words, or an empty text when the layout is
// sound (also for files that are no zip package at all: the unzip library
// says so then).
QString ZipLayoutFault(const QString& fileName);
