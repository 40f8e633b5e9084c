#pragma once
#include <QPoint>
#include <QRect>
#include <QSize>

#include "model/PixelGeometry.h"

// Between the clock's own pixel geometry and Qt's.
inline QPoint ToQt(PixelPoint p) { return {p.x, p.y}; }
inline QSize ToQt(PixelSize s) { return {s.width, s.height}; }
inline QRect ToQt(const PixelRect& r) { return {r.x, r.y, r.width, r.height}; }
inline PixelPoint FromQt(QPoint p) { return {p.x(), p.y()}; }
inline PixelSize FromQt(QSize s) { return {s.width(), s.height()}; }
inline PixelRect FromQt(const QRect& r) { return {r.x(), r.y(), r.width(), r.height()}; }
