// Request latency: GetInterfaceData against the same server call made
// directly and against a literal 10 ms sleep-polling wait, all in one run on
// loopback; and the decode time of a 5 MB TUserInfoObject answer.
//
//   build/release/bench/bench_requests [rounds]

#include "data_structure.h"
#include "serviceprocess.h"
#include "tclientmodule1.h"
#include "tform_windows_main.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct Figures
{
    double median, p99;
};

Figures figures(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms[std::min(ms.size() - 1, size_t(ms.size() * 0.99))]};
}

template <class F> std::vector<double> measure(int rounds, F &&f)
{
    std::vector<double> out;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        out.push_back(t.nsecsElapsed() / 1e6);
    }
    return out;
}

void decodeBenchmark()
{
    TUserInfoObject big;
    const QString text = QStringLiteral("青霉素类药物最常见的不良反应是过敏反应，严重者可发生过敏性休克。");
    auto addRow = [&big, &text](int i) {
        for (QStringList *c : {&big.testsid, &big.usernoteid, &big.userfavid, &big.UserTestLogid})
            c->append(QString::number(100000 + i));
        for (QStringList *c : {&big.note, &big.title, &big.analyse, &big.answercontent})
            c->append(text);
        for (QStringList *c : {&big.notetime, &big.favtime, &big.comefrom, &big.logtime, &big.st,
                               &big.sr, &big.sb, &big.cp, &big.a3title, &big.btitle,
                               &big.rightanswer, &big.testtype})
            c->append(QStringLiteral("A1test"));
    };
    addRow(0);
    big.msg = QStringLiteral("ok");
    const qsizetype oneRow = ObjectToJson(big).size();
    addRow(1);
    const qsizetype perRow = ObjectToJson(big).size() - oneRow;
    for (int i = 2; i < (5 * 1024 * 1024 - oneRow) / perRow + 1; ++i)
        addRow(i);
    const QString json = QString::fromUtf8(ObjectToJson(big));
    std::vector<double> times = measure(9, [&] {
        auto object = ExpectObject<TUserInfoObject>(JsonToObject(json));
        const TUserInfoArr record = UserInfoObjectToArr(object.get());
        if (record.testsid.size() != big.testsid.size())
            std::abort();
    });
    const Figures f = figures(times);
    std::printf("decode %.1f MB TUserInfoObject (%lld rows) into TUserInfoArr: median %.1f ms, max %.1f ms"
                " (target < 50 ms)\n",
                json.toUtf8().size() / 1048576.0, static_cast<long long>(big.testsid.size()),
                f.median, *std::max_element(times.begin(), times.end()));
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 200;

    ServiceProcess service;
    if (!service.isRunning()) {
        std::fprintf(stderr, "bench: the stand-in service did not start\n");
        return 1;
    }
    auto module = std::make_shared<TClientModule1>();
    module->setServer(QStringLiteral("127.0.0.1"), service.appPort());
    module->ConnectAppServer();
    TForm_windows_main window;
    window.setClientModule(module);
    window.TestAppId = 10218;
    window.UserId = 1234;

    // Warm up the connection and the commands.
    for (int i = 0; i < 20; ++i)
        module->ServerProxy()->GetUserNote(10218, 1234);

    const auto direct = measure(rounds, [&] {
        auto notes = module->ServerProxy()->GetUserNote(10218, 1234);
        (void)UserInfoObjectToArr(notes.get());
    });
    const auto ours = measure(rounds, [&] {
        bool flag = false;
        window.GetInterfaceData(flag, QStringLiteral("wdbj"));
    });
    const auto polling = measure(std::min(rounds, 100), [&] {
        RequestInput input;
        input.FunctionName = QStringLiteral("wdbj");
        input.appid = 10218;
        input.userid = 1234;
        auto state = StartRequest(module, input, RequestTiming());
        while (!state->ThreadDataFlg.load() && !state->workerEnded()) {
            QApplication::processEvents();
            QThread::msleep(10);
        }
    });
    const Figures d = figures(direct), o = figures(ours), p = figures(polling);
    std::printf("request \"wdbj\" (GetUserNote, 5 notes) on loopback, %d rounds:\n", rounds);
    std::printf("  direct call on the calling thread   median %6.3f ms  p99 %6.3f ms\n", d.median, d.p99);
    std::printf("  GetInterfaceData (event-driven)     median %6.3f ms  p99 %6.3f ms\n", o.median, o.p99);
    std::printf("  10 ms sleep-polling wait            median %6.3f ms  p99 %6.3f ms\n", p.median, p.p99);
    std::printf("  added latency over the direct call: median %.3f ms (target <= 1 ms)\n",
                o.median - d.median);
    decodeBenchmark();
    module->shutdown();
    return 0;
}
