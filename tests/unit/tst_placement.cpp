#include "placement.h"

#include <QTest>

class TestPlacement : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void placeBesideTaskbar_data();
    void placeBesideTaskbar();
    void taskbarFromGeometry_data();
    void taskbarFromGeometry();
};

void TestPlacement::placeBesideTaskbar_data()
{
    QTest::addColumn<QRect>("taskbar"); // left, top, right, bottom as x1, y1, x2, y2
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QRect>("expected");

    const QRect unused;
    QTest::newRow("bottom 60 px shrinks the height")
        << QRect(QPoint(0, 708), QPoint(1366, 768)) << QSize(1366, 768) << QRect(43, 25, 1280, 658);
    QTest::newRow("bottom 40 px keeps the size")
        << QRect(QPoint(0, 728), QPoint(1366, 768)) << QSize(1366, 768) << QRect(43, 4, 1280, 720);
    QTest::newRow("left 60 px shrinks the width")
        << QRect(QPoint(0, 0), QPoint(60, 1024)) << QSize(1280, 1024) << QRect(85, 152, 1170, 720);
    QTest::newRow("top 40 px")
        << QRect(QPoint(0, 0), QPoint(1920, 40)) << QSize(1920, 1080) << QRect(320, 200, 1280, 720);
    QTest::newRow("right 60 px")
        << QRect(QPoint(1860, 0), QPoint(1920, 1080)) << QSize(1920, 1080)
        << QRect(290, 180, 1280, 720);
    QTest::newRow("small screen, bottom taskbar: both corrections")
        << QRect(QPoint(0, 570), QPoint(1024, 600)) << QSize(1024, 600) << QRect(25, 25, 974, 520);
    QTest::newRow("unknown taskbar centres the window")
        << QRect(QPoint(0, 0), QPoint(0, 0)) << QSize(1366, 768) << QRect(43, 24, 1280, 720);
}

void TestPlacement::placeBesideTaskbar()
{
    QFETCH(QRect, taskbar);
    QFETCH(QSize, screen);
    QFETCH(QRect, expected);
    const TaskbarRect bar{taskbar.left(), taskbar.top(), taskbar.right(), taskbar.bottom()};
    // The window comes from its designed place above the screen.
    QCOMPARE(PlaceBesideTaskbar(bar, screen, QRect(0, -1000, 1280, 720)), expected);
}

void TestPlacement::taskbarFromGeometry_data()
{
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QRect>("expected"); // as QRect(QPoint(L, T), QPoint(R, B))

    QTest::newRow("no panel") << QRect(0, 0, 1366, 768) << QRect(0, 0, 1366, 768)
                              << QRect(QPoint(0, 0), QPoint(0, 0));
    QTest::newRow("bottom panel") << QRect(0, 0, 1366, 768) << QRect(0, 0, 1366, 708)
                                  << QRect(QPoint(0, 708), QPoint(1366, 768));
    QTest::newRow("left panel") << QRect(0, 0, 1280, 1024) << QRect(60, 0, 1220, 1024)
                                << QRect(QPoint(0, 0), QPoint(60, 1024));
    QTest::newRow("top panel") << QRect(0, 0, 1920, 1080) << QRect(0, 40, 1920, 1040)
                               << QRect(QPoint(0, 0), QPoint(1920, 40));
    QTest::newRow("right panel") << QRect(0, 0, 1920, 1080) << QRect(0, 0, 1860, 1080)
                                 << QRect(QPoint(1860, 0), QPoint(1920, 1080));
    QTest::newRow("second screen, bottom panel")
        << QRect(1920, 0, 1366, 768) << QRect(1920, 0, 1366, 728)
        << QRect(QPoint(0, 728), QPoint(1366, 768));
}

void TestPlacement::taskbarFromGeometry()
{
    QFETCH(QRect, screen);
    QFETCH(QRect, available);
    QFETCH(QRect, expected);
    const TaskbarRect bar = TaskbarFromGeometry(screen, available);
    QCOMPARE(QRect(QPoint(bar.left, bar.top), QPoint(bar.right, bar.bottom)), expected);
}

QTEST_GUILESS_MAIN(TestPlacement)
#include "tst_placement.moc"
