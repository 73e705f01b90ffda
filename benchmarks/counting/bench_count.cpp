// The bench's side of one count: the counter's report arriving at the port, the
// report taken apart, logged, stored in the embedded demo laboratory, the re-run
// question answered at once, drawn in the histogram and added to the history table.
#include "bench/count_logs.h"
#include "bench/count_report.h"
#include "bench/counter_link.h"
#include "bench/form_pcgrid.h"
#include "bench/form_test.h"
#include "bench/report_catalogue.h"
#include "common/alert.h"
#include "common/common_module.h"
#include "common/db_module.h"
#include "common_ui/form_alert_yes_no.h"
#include "labdb/connection_pool.h"
#include "labdb/labdb.h"
#include "platform/clock/clock.h"
#include "platform/serial/line_chunks.h"
#include "platform/ui/modal.h"
#include "platform/ui/twips.h"
#include "records/employee.h"
#include "records/prt_count.h"
#include "records/rack.h"
#include "shell/form_search.h"
#include "shell/station_form.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// A port that hands the station what a test gives it, as the line would.
class LinePort : public serial::Port {
public:
    QString deviceName() const override { return QStringLiteral("/dev/bench"); }
    bool isOpen() const override { return open_; }
    bool open() override { return open_ = true; }
    void close() override { open_ = false; }
    bool write(const QByteArray&) override { return open_; }
    QString errorText() const override { return QString(); }
    void receive(const QByteArray& chunk) { emit commEvent(serial::CommEvent::Receive, chunk); }

private:
    bool open_ = false;
};

// What the station's event loop does between two counts: windows unloaded since are
// destroyed.
void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// The station as it stands at a count: Anna Berg at the bench, the demo bath with
// its first sample at position 1, the demo laboratory in a folder of its own.
struct Station {
    QTemporaryDir folder;
    QString sample;

    Station()
    {
        QDir::setCurrent(folder.path());
        ui::setTwipsPerPixel(15, 15);
        QString error;
        if (!labdb::createDatabase(folder.filePath("labdata.db"), true, &error))
            qFatal("demo laboratory not created: %s", qPrintable(error));
        commonModule::Curr_Rack();  // its creation names the station folder's database
        dbModule::Conn_String = QStringLiteral("EMBEDDED=") + folder.filePath("labdata.db");
        shell::registerStationForm<Form_Test>();
        commonModule::Init_Colors();
        Employee& e = commonModule::Curr_Employee();
        e.Emp_Num = 101;
        e.Full_name = QStringLiteral("Anna Berg");
        ui::ModalResponders responders;
        responders.add([](QDialog* w) {
            if (auto* search = qobject_cast<Form_Search*>(w)) QTest::mouseClick(search->lbl_Exit, Qt::LeftButton);
        });
        Form_Test& b = ui::Default_Instance<Form_Test>::loaded();
        sample = b.lbl_wo[0]->caption().trimmed();
        if (sample.isEmpty()) qFatal("the demo bath holds no sample");
    }

    static Form_Test& bench() { return ui::Default_Instance<Form_Test>::get(); }

    // The sample's count is outstanding again (outside the measured time).
    void readyForCount()
    {
        settle();
        commonModule::Curr_PrtCount().Redo_Sample(sample, QString());
        commonModule::Curr_Lab_Number = sample;
        commonModule::Curr_PrtCount().saveOk = false;
        bench().Count_Index = 0;
    }
};

Station& station()
{
    static Station s;
    return s;
}

const QString& report() { return reportCatalogue::find(QStringLiteral("14/12"))->line; }

// Answers the re-run question with yes at once, so the sample stays in the bath.
ui::ModalResponder answerYes()
{
    return [](QDialog* w) {
        if (auto* box = qobject_cast<Form_AlertYesNo*>(w)) box->lbl_Yes_Click();
    };
}

// The report's last byte (the line end) reaches the port: the receive path finds the
// report and the bench processes it.
void BM_LastByteToStoredCount(benchmark::State& state)
{
    Station& s = station();
    const QByteArray body = report().toLatin1();
    for (auto _ : state) {
        state.PauseTiming();
        s.readyForCount();
        QString received;
        auto port = std::make_unique<LinePort>();
        LinePort* line = port.get();
        CounterLink link(std::move(port), received);
        link.Reset_Port();
        link.Counter_Command(QStringLiteral("START"));
        QObject::connect(&link, &CounterLink::reportReceived, [&] { s.bench().process_data(received); });
        for (qsizetype i = 0; i < body.size(); i += 16) line->receive(body.mid(i, 16));
        ui::ModalResponders responders;
        responders.add(answerYes());
        state.ResumeTiming();

        line->receive("\r\n");
    }
    if (!commonModule::Curr_PrtCount().saveOk) state.SkipWithError("the count was not stored");
}
BENCHMARK(BM_LastByteToStoredCount)->Unit(benchmark::kMillisecond)->UseRealTime();

// The chunks through the receive path of a link that started its count, one receive
// event each; true when the link took the report.
bool reportTakenFrom(const QList<QByteArray>& chunks)
{
    QString received;
    auto port = std::make_unique<LinePort>();
    LinePort* line = port.get();
    CounterLink link(std::move(port), received);
    link.Reset_Port();
    link.Counter_Command(QStringLiteral("START"));  // a report counts only for a count the link started
    for (const QByteArray& c : chunks) line->receive(c);
    return link.reportTaken();
}

// The whole report through the receive path, one byte per receive event.
void BM_WholeReportByteByByte(benchmark::State& state)
{
    QList<QByteArray> bytes;
    for (char c : report().toLatin1() + "\r\n") bytes << QByteArray(1, c);
    for (auto _ : state)
        if (!reportTakenFrom(bytes)) state.SkipWithError("the report was not found");
}
BENCHMARK(BM_WholeReportByteByByte)->Unit(benchmark::kMicrosecond)->UseRealTime();

// A flood of short noise lines before the report (a counter left printing, a loose
// cable), cut at its line ends as the port delivers it: every line start makes the
// receive path look for the report. The argument is the size of the noise in bytes.
void BM_NoiseLinesThenReport(benchmark::State& state)
{
    QByteArray noise;
    while (noise.size() < state.range(0)) noise += "\r\nE 0000";
    const QList<QByteArray> chunks = serial::splitAtLineEnds(noise + "\r\n" + report().toLatin1() + "\r\n");
    for (auto _ : state)
        if (!reportTakenFrom(chunks)) state.SkipWithError("the report was not found");
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_NoiseLinesThenReport)->Arg(64 << 10)->Arg(256 << 10)->Arg(1 << 20)->Unit(benchmark::kMillisecond)->UseRealTime();

// The pieces of process_data.
void BM_ReadReport(benchmark::State& state)
{
    const QString text = QStringLiteral("REMOTE+\r\nS\r\n") + report() + QStringLiteral("\r\n");
    for (auto _ : state) benchmark::DoNotOptimize(countReport::Read_Report(text));
}
BENCHMARK(BM_ReadReport)->Unit(benchmark::kMicrosecond);

void BM_ActiveLogLine(benchmark::State& state)
{
    station();
    for (auto _ : state) countLogs::Write_Active_Log(report());
}
BENCHMARK(BM_ActiveLogLine)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_StoreCount(benchmark::State& state)
{
    Station& s = station();
    for (auto _ : state) {
        state.PauseTiming();
        s.readyForCount();
        state.ResumeTiming();
        commonModule::Curr_PrtCount().Save_Results(s.sample, 101, 20, "6785", "2818", "408", "133", "18", "0", 0);
    }
    if (!commonModule::Curr_PrtCount().saveOk) state.SkipWithError("the count was not stored");
}
BENCHMARK(BM_StoreCount)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RerunQuestion(benchmark::State& state)
{
    Station& s = station();
    for (auto _ : state) {
        state.PauseTiming();
        settle();
        ui::ModalResponders responders;
        responders.add(answerYes());
        state.ResumeTiming();
        Form_AlertYesNo::Message = QStringLiteral("R1002\r\n\r\nCurrent count is [14/12], history is [No Hist].  "
                                                  "Do you want to rerun the sample?");
        ui::Default_Instance<Form_AlertYesNo>::get().Show_Modal(&s.bench());
        ui::Default_Instance<Form_AlertYesNo>::Unload();
    }
}
BENCHMARK(BM_RerunQuestion)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_HistogramAndHistoryRow(benchmark::State& state)
{
    Station& s = station();
    for (auto _ : state) {
        ui::Default_Instance<form_pcGrid>::get().Show_histogram(QStringLiteral("14/12"), 339, 141, 20, 7, 1, 0, 0);
        s.bench().History->History_Add_Result(s.sample, QStringLiteral("14/12"), 339, 141, 20, 7, 1, 0, 0);
    }
}
BENCHMARK(BM_HistogramAndHistoryRow)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ui::setNeverBlock(true);
    labdb::registerEmbeddedBackend();
    // Anything the station would tell the technician is a fault of the set-up here.
    commonModule::Set_Alert_Presenter([](const QString& m) { qWarning("station message: %s", qPrintable(m)); });
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    labdb::ConnectionPool::clear();
    return 0;
}
