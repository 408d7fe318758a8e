#pragma once
// Label font sizes in whole points. The window system stores a font as a pixel height and
// derives the point size from it, so a size read and written back can move the height by a pixel.
class QFont;

// The font's character height in pixels at ppi pixels per inch (from its point size if it has no pixel size).
int FontPixelHeight(const QFont& font, int ppi);

// pixelHeight × 72 / ppi and back, each rounded to nearest with halves away from zero.
int PointsOfHeight(int pixelHeight, int ppi);
int HeightOfPoints(int points, int ppi);
