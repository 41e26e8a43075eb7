// The chapter page with a 300-section chapter of the stand-in service:
// building its rows the first time (OpenChapter) and refreshing them after
// practice (RefreshChapterRows: the statistics request plus the rebuild in
// the same slots), and the longest stretch without event handling.
//
//   build/release/bench/bench_chapters

#include "serviceprocess.h"
#include "tclientmodule1.h"
#include "stallmeter.h"
#include "tform_windows_main.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <cstdio>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ServiceProcess service;
    auto module = std::make_shared<TClientModule1>();
    module->setServer(QStringLiteral("127.0.0.1"), service.appPort());
    module->ConnectAppServer();
    TForm_windows_main window;
    window.setClientModule(module);
    window.resize(1280, 720);
    window.UserId = 1236;
    window.TestAppId = 19851;
    bool flag = false;
    window.GetInterfaceData(flag, QStringLiteral("zjlx"));
    window.BuildChapterTree(window.UserTestsClassCountArr);

    auto *tree = window.findChild<QTreeWidget *>(QStringLiteral("tv_zjlx"));
    QTreeWidgetItem *exercise = nullptr;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        for (int j = 0; j < tree->topLevelItem(i)->childCount(); ++j)
            if (tree->topLevelItem(i)->child(j)->text(0).contains(QStringLiteral("分项精练")))
                exercise = tree->topLevelItem(i)->child(j);
    if (!exercise) {
        std::fprintf(stderr, "bench: no 300-section chapter\n");
        return 1;
    }

    StallMeter stall;
    const int before = window.chapterSlots();
    const double first = stall.run([&] { window.OpenChapter(exercise); });
    const int rows = window.chapterSlots() - before;
    const double firstGap = stall.longestMs();
    stall.reset();
    const QString id = QString::number(exercise->data(0, Qt::UserRole).toInt());
    std::vector<double> refresh;
    for (int i = 0; i < 5; ++i)
        refresh.push_back(stall.run([&] { window.RefreshChapterRows(id); }));
    std::sort(refresh.begin(), refresh.end());
    std::printf("chapter of %d sections on the chapter page:\n", rows);
    std::printf("  first build (OpenChapter)                      %7.1f ms (target < 150 ms), longest stretch"
                " without events %.1f ms\n", first, firstGap);
    std::printf("  refresh (request + rebuild in place), median   %7.1f ms (target < 50 ms), longest stretch"
                " without events %.1f ms (target <= 16 ms)\n", refresh[refresh.size() / 2], stall.longestMs());
    std::printf("  slots after five refreshes: %d (unchanged: %s)\n", window.chapterSlots(),
                window.chapterSlots() == before + rows ? "yes" : "no");

    // The mock exam setup for 40 chapters and 8 question types, built the
    // first time and again with its controls reused.
    window.TestClassArr = TTestClassArr();
    window.TestTypeArr = TTestTypeArr();
    for (int c = 0; c < 40; ++c) {
        window.TestClassArr.testclassid << QString::number(5000 + c);
        window.TestClassArr.pid << QStringLiteral("4999");
        window.TestClassArr.tree << QStringLiteral("2");
        window.TestClassArr.caption << QStringLiteral("第%1章 模拟考试章节").arg(c + 1);
    }
    for (int t = 0; t < 8; ++t) {
        window.TestTypeArr.testtypeid << QString::number(11 + t);
        window.TestTypeArr.caption << QStringLiteral("题型%1").arg(t + 1);
        window.TestTypeArr.score << QStringLiteral("1");
    }
    QElapsedTimer mt;
    mt.start();
    window.BuildMockExamSetup();
    const double mockFirst = mt.nsecsElapsed() / 1e6;
    mt.restart();
    window.BuildMockExamSetup();
    const double mockAgain = mt.nsecsElapsed() / 1e6;
    std::printf("mock exam setup, 40 chapters and 8 types: first build %.1f ms, rebuild with reused controls %.1f ms\n",
                mockFirst, mockAgain);
    module->shutdown();
    return 0;
}
