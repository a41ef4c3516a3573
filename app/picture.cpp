#include "picture.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "framework/resstrings.h"
#include "graphpainter.h"
#include "hcpdoc.h"
#include "io/atomicfile.h"
#include "resource.h"
#include "viewport.h"

namespace app {
namespace {

constexpr int kMargin = 20;

QFont PictureFont(int pixels)
{
    QFont f(LoadResString(IDS_LABEL_FONT));
    f.setStyleHint(QFont::Serif, QFont::PreferQuality);
    f.setWeight(QFont::Bold);
    f.setPixelSize(pixels);
    return f;
}

QString Suffix(const QString& path)
{
    return QFileInfo(path).suffix().toLower();
}

// The engine's atomic save: whole or not at all, and only over a regular
// file (a link is written through to the file it names; a device, FIFO or
// folder there is refused and left alone).
bool WriteWhole(const QString& path, const QByteArray& data, QString* error)
{
    std::string why;
    const hcp::AtomicWrite r = hcp::WriteFileAtomically(
        QFile::encodeName(path).toStdString(), std::string_view(data.constData(), data.size()), &why);
    if (r == hcp::AtomicWrite::Ok)
        return true;
    if (error) {
        const QString reason = QString::fromLocal8Bit(why);
        switch (r) {
        case hcp::AtomicWrite::NotRegularFile:
            *error = path + QStringLiteral(": ") + reason + QStringLiteral("; nothing was written");
            break;
        case hcp::AtomicWrite::CannotCreate:
            *error = path + QStringLiteral(": cannot create a file in this folder (") + reason + ")";
            break;
        default:
            *error = path + QStringLiteral(": the file could not be written (") + reason + ")";
            break;
        }
    }
    return false;
}

}  // namespace

bool IsPictureFile(const QString& path)
{
    const QString s = Suffix(path);
    return s == QLatin1String("png") || s == QLatin1String("svg") || s == QLatin1String("pdf");
}

void PaintPicture(QPainter* painter, CHcpDoc& doc, QSize size)
{
    painter->save();
    painter->fillRect(QRect(QPoint(0, 0), size), Qt::white);
    const QFont font = PictureFont(14);
    const QFontMetrics fm(font, painter->device());
    painter->setFont(font);
    painter->setPen(Qt::black);
    const QString title = fm.elidedText(doc.CycleTitle(), Qt::ElideRight, size.width() - 2 * kMargin);
    painter->drawText(QRect(kMargin, 0, size.width() - 2 * kMargin, kMargin), Qt::AlignLeft | Qt::AlignVCenter,
                      title);
    painter->drawLine(kMargin, kMargin, size.width() - kMargin, kMargin);

    doc.EnsurePositions();
    const int n = doc.GetNodeCount();
    const Box r = GraphRect(size.width(), size.height(), kMargin);
    std::vector<QPointF> at(static_cast<std::size_t>(n) + 1);
    for (int v = 1; v <= n; ++v) {
        const Point p = NodePoint(r, doc.m_pX[v - 1], doc.m_pY[v - 1]);
        at[v] = QPointF(p.x, p.y);
    }
    PaintStyle st;
    st.labelFont = font;
    st.radius = LabelRadius(fm.horizontalAdvance(QString::number(n)), fm.height(), 1);
    const double spacing = MedianNearestSpacing(doc.m_pX, doc.m_pY, r.Width(), r.Height());
    st.labelsReadable = n < 2 || spacing >= 2.0 * st.radius;
    st.spacing = spacing;
    PaintScene(painter, doc.Scene(), at, st);
    painter->restore();
}

bool ExportPicture(CHcpDoc& doc, const QString& path, QString* error, QSize size)
{
    const QString suffix = Suffix(path);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    if (suffix == QLatin1String("png")) {
        QImage image(size, QImage::Format_RGB32);
        {
            QPainter p(&image);
            PaintPicture(&p, doc, size);
        }
        // Fast compression: the picture is mostly white and compresses well
        // anyway, and the strongest setting costs more than the drawing.
        if (!image.save(&buffer, "PNG", 80)) {
            if (error)
                *error = path + QStringLiteral(": the picture could not be encoded");
            return false;
        }
    } else if (suffix == QLatin1String("svg")) {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(doc.CycleTitle().left(200));
        QPainter p(&svg);
        PaintPicture(&p, doc, size);
    } else if (suffix == QLatin1String("pdf")) {
        QPdfWriter pdf(&buffer);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setResolution(150);
        pdf.setTitle(doc.CycleTitle().left(200));
        QPainter p(&pdf);
        // The picture's pixels scaled onto the page, keeping its shape.
        const QRect page = p.viewport();
        const double scale = std::min(page.width() / double(size.width()), page.height() / double(size.height()));
        p.scale(scale, scale);
        PaintPicture(&p, doc, size);
    } else {
        if (error)
            *error = path + QStringLiteral(": unknown picture type (use .png, .svg or .pdf)");
        return false;
    }
    buffer.close();
    return WriteWhole(path, data, error);
}

}  // namespace app
