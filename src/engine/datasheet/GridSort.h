// Ordering of grid rows by one column's text.
#pragma once

#include <QByteArrayView>

#include <cstddef>
#include <cstdint>
#include <functional>

namespace gridsort {

// How a cell takes part in sorting: numbers (by value), then text (ignoring
// case), then empty or blank cells.
enum class TSortClass : std::uint8_t { scNumber, scText, scEmpty };

// Classifies UTF-8 cell text; for numbers stores the value. A number is an
// optional sign, digits with an optional "." fraction (or a fraction alone) and
// an optional exponent, with blanks around it allowed.
TSortClass ClassifyCell(QByteArrayView utf8, double& value, bool& plainInteger);

// Stable sort of slots[0..n) by the text textOf(slot) returns.
void SortSlots(std::uint32_t* slots, std::size_t n, const std::function<QByteArrayView(std::uint32_t)>& textOf,
               bool ascending);

}  // namespace gridsort
