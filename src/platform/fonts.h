#pragma once
// Faces for text painted into fixed cells (the digital clock, the painted
// months): the cell's size is fixed, so the font is made to fit it rather
// than the text left to run into its neighbour. And the faces a font box
// offers.

#include <QFont>
#include <QStringList>

// `font` at the largest pixel size, from its own down to `smallest`, at
// which every sample is at most `width` pixels wide.
QFont fittingfont(QFont font, const QStringList &samples, int width, int smallest = 6);

// A condensed sans-serif face at `pixelsize`, for narrow cells.
QFont condensedfont(int pixelsize, bool bold);

// `font` sized so that its line (ascent plus descent, what a cell of text
// needs) is `points` points high at 96 dots per inch.
QFont cellfont(QFont font, double points);

// Font families as a font box lists them: each once, sorted as lists are,
// without the foundry the system adds to a family that several foundries
// make ("Nimbus Sans [urw]" and "Nimbus Sans [UKWN]" are "Nimbus Sans").
QStringList fontboxfamilies(const QStringList &families);
