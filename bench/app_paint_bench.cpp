// Repaint and export figures of the desktop program's graph picture on the
// benchmark graphs: open, first paint (edge layer built), warm repaints (the
// layer reused), a repaint after zooming (layer rebuilt), and open + render
// + PNG export. Prints wall and CPU milliseconds; asserts nothing.
//
//   app_paint_bench [GRAPH.hcp ...]   (default: graph150, alb5000, graph1001)
#include <chrono>
#include <cstdio>
#include <ctime>
#include <memory>

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>

#include "hcpdoc.h"
#include "hcpview.h"
#include "picture.h"

namespace {

struct Clock {
    std::chrono::steady_clock::time_point wall = std::chrono::steady_clock::now();
    std::clock_t cpu = std::clock();
    double WallMs() const
    {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - wall).count();
    }
    double CpuMs() const { return 1000.0 * double(std::clock() - cpu) / CLOCKS_PER_SEC; }
};

void Bench(const QString& path, const QString& tmp)
{
    if (!QFileInfo::exists(path)) {
        std::printf("%-12s missing (%s)\n", qPrintable(QFileInfo(path).fileName()), qPrintable(path));
        return;
    }
    const Clock total;
    CHcpDoc doc;
    Clock c;
    if (!doc.OnOpenDocument(path)) {
        std::printf("%s: cannot open\n", qPrintable(path));
        return;
    }
    const double openMs = c.WallMs(), openCpu = c.CpuMs();
    auto view = std::make_unique<CHcpView>();
    view->resize(1000, 800);
    view->SetDocument(&doc);
    view->SendInitialUpdate();
    c = Clock();
    view->grab();
    const double firstMs = c.WallMs(), firstCpu = c.CpuMs();
    c = Clock();
    QString error;
    const bool ok = app::ExportPicture(doc, tmp + "/" + QFileInfo(path).completeBaseName() + ".png", &error);
    const double exportMs = c.WallMs(), exportCpu = c.CpuMs();
    const double flowMs = total.WallMs(), flowCpu = total.CpuMs();
    const int repeats = 10;
    double warm = 0, warmCpu = 0, warmPaint = 0;
    for (int i = 0; i < repeats; ++i) {
        c = Clock();
        view->grab();
        warm += c.WallMs();
        warmCpu += c.CpuMs();
        warmPaint += view->LastPaintMs();
    }
    view->ZoomBy(1.25);
    c = Clock();
    view->grab();
    const double zoomMs = c.WallMs(), zoomCpu = c.CpuMs();
    std::printf("%-12s N=%5d E=%7zu  open %7.1f ms (cpu %7.1f)  first paint %7.1f (cpu %7.1f)  "
                "repaint %6.2f (cpu %6.2f, paint %6.2f)  zoomed %7.1f (cpu %7.1f)  png %7.1f (cpu %7.1f)%s  "
                "open+render+export %7.1f ms (cpu %7.1f)\n",
                qPrintable(QFileInfo(path).fileName()), doc.GetNodeCount(), doc.Scene().edges.size(), openMs,
                openCpu, firstMs, firstCpu, warm / repeats, warmCpu / repeats, warmPaint / repeats, zoomMs, zoomCpu,
                exportMs, exportCpu, ok ? "" : " FAILED", flowMs, flowCpu);
}

}  // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir tmp;
    QStringList graphs = QApplication::arguments().mid(1);
    if (graphs.isEmpty()) {
        const QString shared = QStringLiteral(TOURVANE_SHARED_DIR "/bench/");
        graphs = {shared + "fhcpcs/graph150.hcp", shared + "tsplib/alb5000.hcp", shared + "fhcpcs/graph1001.hcp"};
    }
    for (const QString& g : graphs)
        Bench(g, tmp.path());
    return 0;
}
