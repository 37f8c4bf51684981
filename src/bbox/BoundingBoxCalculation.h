#pragma once
// BerechneBoundingBox: moves every point that a vertex set of the first level
// uses through its chain of matrices and keeps the extremes.

#include "bbox/GeometryTables.h"
#include "platform/Expected.h"

namespace quillfen {

/// The point moved by one matrix, as a row vector times the matrix and then
/// translated. Each product sum is formed in double precision and stored as a
/// 32-bit float.
[[nodiscard]] Point transformierePunkt(const Point& point, const Matrix& matrix, bool rotate, bool translate);

/// The box (min x, min y, min z, max x, max y, max z) of the points reached
/// through the tables, each value rounded to `decimalPlaces` with halves to
/// even; six zeros when no point is reached. A failure when an index lies
/// outside its table, a vertex state has no usable matrix index, a parent chain
/// loops (it may take no more steps than the hierarchy has entries) or a moved
/// point leaves the range of a 32-bit float.
[[nodiscard]] Expected<BoxValues> berechneBoundingBox(const GeometryTables& tables, int decimalPlaces);

} // namespace quillfen
