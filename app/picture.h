// The document's picture outside the window: the whole graph with its
// cycle drawn to a given size, and written as a PNG, SVG or PDF file (by
// the file's extension). File > Export picture and the scripted export use
// it; nothing depends on a window being shown.
#pragma once

#include <QSize>
#include <QString>

class CHcpDoc;
class QPainter;

namespace app {

// The default size of an exported picture, in pixels.
inline constexpr QSize kPictureSize{1200, 1000};

// Paints doc's title line and its whole graph (as laid out, unzoomed) on
// a white page of the given size.
void PaintPicture(QPainter* painter, CHcpDoc& doc, QSize size);

// Writes the picture to path: .png, .svg or .pdf. The file appears whole
// or not at all. False with a one-line reason naming the file otherwise.
bool ExportPicture(CHcpDoc& doc, const QString& path, QString* error, QSize size = kPictureSize);

// Whether the extension of path names a picture format ExportPicture writes.
bool IsPictureFile(const QString& path);

}  // namespace app
