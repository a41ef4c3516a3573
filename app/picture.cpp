#include "picture.h"

#include <functional>
#include <ostream>

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
#include "scenegeometry.h"
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

// Hands what Qt's writers produce straight to the engine's save stream, so
// a large picture (an SVG of a million nodes is hundreds of megabytes) is
// never held whole in memory.
class StreamDevice : public QIODevice {
public:
    explicit StreamDevice(std::ostream& os) : m_os(os) { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 len) override
    {
        m_os.write(data, static_cast<std::streamsize>(len));
        return m_os ? len : -1;
    }

private:
    std::ostream& m_os;
};

// The engine's atomic save: whole or not at all, and only over a regular
// file (a link is written through to the file it names; a device, FIFO or
// folder there is refused and left alone, before anything is drawn).
bool WriteWhole(const QString& path, const std::function<bool(QIODevice&)>& write, QString* error)
{
    std::string why;
    bool encoded = true;
    const hcp::AtomicWrite r = hcp::WriteFileAtomically(
        QFile::encodeName(path).toStdString(),
        [&](std::ostream& os) {
            StreamDevice device(os);
            encoded = write(device);
            return encoded && os.good();
        },
        &why);
    if (r == hcp::AtomicWrite::Ok)
        return true;
    if (error) {
        const QString reason = QString::fromLocal8Bit(why);
        if (!encoded)
            *error = path + QStringLiteral(": the picture could not be encoded");
        else if (r == hcp::AtomicWrite::NotRegularFile)
            *error = path + QStringLiteral(": ") + reason + QStringLiteral("; nothing was written");
        else if (r == hcp::AtomicWrite::CannotCreate)
            *error = path + QStringLiteral(": cannot create a file in this folder (") + reason + ")";
        else
            *error = path + QStringLiteral(": the file could not be written (") + reason + ")";
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
    st.arrows = ShowArrows(doc.Scene(), spacing);
    PaintScene(painter, doc.Scene(), at, st);
    painter->restore();
}

bool ExportPicture(CHcpDoc& doc, const QString& path, QString* error, QSize size)
{
    const QString suffix = Suffix(path);
    if (suffix == QLatin1String("png")) {
        return WriteWhole(path, [&](QIODevice& out) {
            QImage image(size, QImage::Format_RGB32);
            {
                QPainter p(&image);
                PaintPicture(&p, doc, size);
            }
            // Fast compression: the picture is mostly white and compresses
            // well anyway, and the strongest setting costs more than the drawing.
            return image.save(&out, "PNG", 80);
        }, error);
    }
    if (suffix == QLatin1String("svg")) {
        return WriteWhole(path, [&](QIODevice& out) {
            QSvgGenerator svg;
            svg.setOutputDevice(&out);
            svg.setSize(size);
            svg.setViewBox(QRect(QPoint(0, 0), size));
            svg.setTitle(doc.CycleTitle().left(200));
            QPainter p(&svg);
            PaintPicture(&p, doc, size);
            return p.end();
        }, error);
    }
    if (suffix == QLatin1String("pdf")) {
        return WriteWhole(path, [&](QIODevice& out) {
            QPdfWriter pdf(&out);
            pdf.setPageSize(QPageSize(QPageSize::A4));
            pdf.setResolution(150);
            pdf.setTitle(doc.CycleTitle().left(200));
            QPainter p(&pdf);
            // The picture's pixels scaled onto the page, keeping its shape.
            const QRect page = p.viewport();
            const double scale =
                std::min(page.width() / double(size.width()), page.height() / double(size.height()));
            p.scale(scale, scale);
            PaintPicture(&p, doc, size);
            return p.end();
        }, error);
    }
    if (error)
        *error = path + QStringLiteral(": unknown picture type (use .png, .svg or .pdf)");
    return false;
}

}  // namespace app
