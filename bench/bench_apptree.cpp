// Building the subject tree of the 1060-row catalogue: the window's
// BuildAppTree (one pass over an index by parent, events handled on a time
// budget) against the literal algorithm (scan every row for every parent,
// handle events after every row examined), in one run.  Also the longest
// stretch without event handling during our build.
//
//   build/release/bench/bench_apptree [rounds]

#include "catalogue.h"
#include "data_structure.h"
#include "stallmeter.h"
#include "tform_windows_main.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

void literalBuild(QTreeWidget &tree, const TAppListArr &list)
{
    tree.clear();
    std::function<void(const QString &, QTreeWidgetItem *)> addChildren =
        [&](const QString &pid, QTreeWidgetItem *parent) {
            for (qsizetype i = 0; i < list.appid.size(); ++i) {
                if (list.pid[i] == pid) {
                    auto *item = new QTreeWidgetItem(parent);
                    item->setText(0, list.caption[i]);
                    item->setData(0, Qt::UserRole, list.appid[i].toInt());
                    item->setSizeHint(0, QSize(0, 42));
                    addChildren(list.appid[i], item);
                }
                QCoreApplication::processEvents();
            }
        };
    for (qsizetype i = 0; i < list.appid.size(); ++i) {
        if (list.isapp[i] == QLatin1String("False") && list.pid[i] == QLatin1String("1")) {
            auto *item = new QTreeWidgetItem(&tree);
            item->setText(0, list.caption[i]);
            item->setSizeHint(0, QSize(0, 42));
            addChildren(list.appid[i], item);
        }
        QCoreApplication::processEvents();
    }
    tree.collapseAll();
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 5;
    auto object = ExpectObject<TAppListObject>(JsonToObject(EmbeddedAppListText()));
    const TAppListArr list = AppListObjectToArr(object.get());

    TForm_windows_main window;
    window.AppListArr = list;
    QTreeWidget literalTree;

    StallMeter stall;

    std::vector<double> ours;
    std::vector<double> literal;
    for (int r = 0; r < rounds; ++r) {
        ours.push_back(stall.run([&] { window.BuildAppTree(); }));
        QElapsedTimer t;
        t.start();
        literalBuild(literalTree, list);
        literal.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(ours.begin(), ours.end());
    std::sort(literal.begin(), literal.end());
    const double o = ours[ours.size() / 2];
    const double l = literal[literal.size() / 2];
    std::printf("subject tree of %lld rows (945 shown), median of %d rounds:\n",
                static_cast<long long>(list.appid.size()), rounds);
    std::printf("  BuildAppTree (parent index, events every 4 ms)  %8.2f ms\n", o);
    std::printf("  literal (scan all rows per parent, events per row) %8.2f ms\n", l);
    std::printf("  speed-up %.0fx (target >= 50x); longest stretch without events during our build %.2f ms"
                " (target <= 16 ms)\n",
                l / o, stall.longestMs());
    return 0;
}
