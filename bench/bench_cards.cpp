// The question card lists with 1000 entries: the favourites of the stand-in
// service's kuaiji user (subject 19851), shown on each of the four card
// pages.  For each page: the first build (slots created), the rebuild with
// reused slots (median of 5), the longest stretch without event handling,
// and the memory the client holds once all four pages show 1000 cards.
// Each timing includes the layout pass that follows the rebuild.
//
//   build/release/bench/bench_cards

#include "serviceprocess.h"
#include "stallmeter.h"
#include "tclientmodule1.h"
#include "tform_windows_main.h"
#include "timage.h"

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QStackedWidget>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// Resident memory of this process in MiB.
double residentMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return -1;
}

// The build and the layout it causes, until the event queue is drained.
void buildAndSettle(const std::function<void()> &build)
{
    build();
    QApplication::processEvents();
    QApplication::processEvents();
}

// The list with its entries moved `by` positions, so that every card gets
// other texts and ids.
TUserInfoArr rotated(const TUserInfoArr &list, int by)
{
    TUserInfoArr out = list;
    for (QStringList *column : {&out.testsid, &out.usernoteid, &out.note, &out.userfavid, &out.UserTestLogid,
                                &out.title, &out.a3title, &out.btitle, &out.rightanswer, &out.answercontent,
                                &out.analyse, &out.testtype})
        std::rotate(column->begin(), column->begin() + (by % column->size()), column->end());
    return out;
}

} // namespace

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
    window.show();
    QApplication::processEvents();
    window.UserId = 1236;
    window.TestAppId = 19851;
    bool flag = false;
    window.GetInterfaceData(flag, QStringLiteral("wdsc"));
    TUserInfoArr thousand = window.UserFavArr;
    if (thousand.testsid.size() != 1000) {
        std::fprintf(stderr, "bench: expected 1000 favourites, got %d\n", int(thousand.testsid.size()));
        return 1;
    }
    // The same questions serve as notes, wrong questions and search results.
    for (qsizetype j = 0; j < thousand.testsid.size(); ++j) {
        thousand.usernoteid[j] = thousand.userfavid[j];
        thousand.UserTestLogid[j] = thousand.userfavid[j];
        thousand.note[j] = QStringLiteral("笔记：借贷方向与期末余额要对应，第%1条").arg(j);
    }
    window.UserFavArr = TUserInfoArr();
    window.ShowUserFavList();
    QApplication::processEvents();
    const double before = residentMiB();
    {
        StallMeter idle;
        const double ms = idle.run([] {
            for (int i = 0; i < 1000; ++i)
                QApplication::processEvents();
        });
        std::printf("1000 turns of event handling with nothing to do: %.1f ms (accessibility %s)\n", ms,
                    QAccessible::isActive() ? "active" : "inactive");
    }

    auto *pages = window.findChild<QStackedWidget *>(QStringLiteral("tbc_Client"));
    struct CardPage
    {
        const char *label, *tab, *suffix;
        TUserInfoArr &list;
        void (TForm_windows_main::*show)();
    };
    const CardPage cardPages[] = {
        {"notes", "tbtm_wdbj", "UserNote", window.UserNoteArr, &TForm_windows_main::ShowUserNoteList},
        {"favourites", "tbtm_wdsc", "UserFav", window.UserFavArr, &TForm_windows_main::ShowUserFavList},
        {"wrong questions", "tbtm_ctcz", "UserError", window.UserErrorArr, &TForm_windows_main::ShowUserErrorList},
        {"search results", "tbtm_stcz", "FindTest", window.FindTestArr, &TForm_windows_main::ShowFindTestList},
    };
    std::printf("1000 cards per page (targets: first build < 150 ms, rebuild < 50 ms, no stretch without"
                " events > 16 ms on the collection pages):\n");
    for (const CardPage &page : cardPages) {
        pages->setCurrentWidget(pages->findChild<QWidget *>(QLatin1String(page.tab)));
        page.list = thousand;
        StallMeter stall;
        const double first = stall.run([&] { buildAndSettle([&] { (window.*page.show)(); }); });
        const double firstStall = stall.longestMs();
        stall.reset();
        // A visit of the page hides the card area before it fetches the list
        // again; each rebuild gets other entries at every position.
        auto *area = pages->currentWidget()->findChild<QWidget *>(QStringLiteral("vrtscrlbx_") + QLatin1String(page.suffix));
        std::vector<double> again;
        for (int i = 1; i <= 5; ++i) {
            page.list = rotated(thousand, i);
            area->hide();
            again.push_back(stall.run([&] { buildAndSettle([&] { (window.*page.show)(); }); }));
        }
        std::sort(again.begin(), again.end());
        std::printf("  %-16s first build %7.1f ms (longest stretch %5.1f ms), rebuild median %6.1f ms"
                    " (longest stretch %5.1f ms)\n",
                    page.label, first, firstStall, again[again.size() / 2], stall.longestMs());
    }
    // Visiting the favourites page again from the home page, as the user
    // does: the list is fetched from the service and rebuilt.
    {
        StallMeter stall;
        std::vector<double> visits;
        for (int i = 0; i < 5; ++i) {
            // The home page is drawn before the measured visit starts.
            buildAndSettle([&] { window.Layout_homeClick(window.navIcon(QStringLiteral("home"))); });
            stall.reset();
            visits.push_back(stall.run([&] {
                buildAndSettle([&] { window.Layout_homeClick(window.navIcon(QStringLiteral("wdsc"))); });
            }));
        }
        std::sort(visits.begin(), visits.end());
        std::printf("  visit of the favourites page (request for 1000 entries + rebuild), median %.1f ms,"
                    " longest stretch %.1f ms (last visit; the UI thread's own CPU time in it %.1f ms)\n",
                    visits[visits.size() / 2], stall.longestMs(), stall.longestCpuMs());
    }
    const double after = residentMiB();
    std::printf("resident memory: %.1f MiB before the cards, %.1f MiB with 1000 cards on each of the four"
                " pages (+%.1f MiB, %.1f KiB per card)\n",
                before, after, after - before, (after - before) * 1024.0 / 4000.0);
    module->shutdown();
    return 0;
}
