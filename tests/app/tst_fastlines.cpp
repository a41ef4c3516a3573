// Fast one-pixel lines against the painter's own: the same pixels give or
// take one, nothing outside the clip, and ends far off the image.
#include <QImage>
#include <QPainter>
#include <QtTest>
#include <random>

#include "fastlines.h"

namespace {

constexpr QRgb kInk = 0xFFE0E0E0;

bool InkNear(const QImage& img, int x, int y)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (img.valid(x + dx, y + dy) && img.pixel(x + dx, y + dy) == kInk)
                return true;
    return false;
}

int CountInk(const QImage& img)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += img.pixel(x, y) == kInk;
    return n;
}

}  // namespace

class TestFastLines : public QObject {
    Q_OBJECT
private slots:
    void samePixelsAsThePainterGiveOrTakeOne()
    {
        std::mt19937 rng(11);
        std::uniform_int_distribution<int> x(0, 299), y(0, 199);
        QImage fast(300, 200, QImage::Format_RGB32), slow(300, 200, QImage::Format_RGB32);
        fast.fill(Qt::white);
        slow.fill(Qt::white);
        QVERIFY(app::CanDrawFast(fast));
        QPainter p(&slow);
        p.setPen(QPen(QColor(kInk), 0));
        for (int i = 0; i < 200; ++i) {
            const QPoint a(x(rng), y(rng)), b(x(rng), y(rng));
            app::DrawLineFast(fast, a, b, kInk, fast.rect());
            p.drawLine(a, b);
        }
        p.end();
        for (int yy = 0; yy < 200; ++yy)
            for (int xx = 0; xx < 300; ++xx) {
                if (fast.pixel(xx, yy) == kInk)
                    QVERIFY2(InkNear(slow, xx, yy), qPrintable(QString("%1,%2").arg(xx).arg(yy)));
                if (slow.pixel(xx, yy) == kInk)
                    QVERIFY2(InkNear(fast, xx, yy), qPrintable(QString("%1,%2").arg(xx).arg(yy)));
            }
        const int f = CountInk(fast), s = CountInk(slow);
        QVERIFY(std::abs(f - s) < s / 20);
    }

    void clippedAndFarEndsStayInside()
    {
        QImage img(100, 80, QImage::Format_RGB32);
        img.fill(Qt::white);
        const QRect clip(10, 20, 50, 40);
        // A line from far outside through the clip, one wholly outside, one
        // with both ends a million pixels away.
        app::DrawLineFast(img, QPoint(-500, -500), QPoint(500, 500), kInk, clip);
        app::DrawLineFast(img, QPoint(0, 0), QPoint(99, 5), kInk, clip);
        app::DrawLineFast(img, QPoint(-1000000, 40), QPoint(1000000, 41), kInk, clip);
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < 100; ++x)
                if (!clip.contains(x, y))
                    QCOMPARE(img.pixel(x, y), QColor(Qt::white).rgb());
        // The diagonal crosses the clip from (20,20) to (59,59).
        QCOMPARE(img.pixel(20, 20), kInk);
        QCOMPARE(img.pixel(59, 59), kInk);
        QVERIFY(img.pixel(35, 40) == kInk || img.pixel(35, 41) == kInk);   // the long flat line
        for (int x = 10; x < 60; ++x)
            QVERIFY(img.pixel(x, 40) == kInk || img.pixel(x, 41) == kInk);
        QVERIFY(CountInk(img) >= 40 + 50 - 2);
        // Images it cannot write to directly are refused.
        QImage small(10, 10, QImage::Format_RGB16);
        QVERIFY(!app::CanDrawFast(small));
        QImage hidpi(10, 10, QImage::Format_RGB32);
        hidpi.setDevicePixelRatio(2.0);
        QVERIFY(!app::CanDrawFast(hidpi));
    }
};

QTEST_MAIN(TestFastLines)
#include "tst_fastlines.moc"
