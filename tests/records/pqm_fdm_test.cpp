#include "fake_database.h"
#include "records/instrument.h"
#include "records/pqm_fdm.h"

#include "qstring_printer.h"

#include <QObject>
#include <gtest/gtest.h>

namespace {

TEST(PqmRecord, OperationsStoreNothingAndReportFailure)
{
    FakeDatabase database;
    PQM_FDM record;
    record.Lab_Id = QStringLiteral("4711");
    record.Status = QStringLiteral("READY");

    record.Save_Results(QStringLiteral("04250001"), 101, 12.5);
    EXPECT_FALSE(record.saveOk) << "a new record's outcome stays";
    record.saveOk = true;
    record.Save_Results(QStringLiteral("04250001"), 101, 12.5);
    EXPECT_TRUE(record.saveOk) << "whatever it held before";
    EXPECT_EQ(record.Status, "READY");
    EXPECT_FALSE(record.Result().isValid()) << "the result given is not taken";

    for (const char* labNumber : {"04250001", "", "x'y"}) {
        EXPECT_FALSE(record.Remove_Sample(labNumber, QStringLiteral("TOO_DARK")));
        EXPECT_FALSE(record.Redo_Sample(labNumber, QStringLiteral("Anna Berg")));
        EXPECT_FALSE(record.Get_PQM_History(labNumber).has_value());
    }
    EXPECT_TRUE(database.statements().isEmpty());
    EXPECT_EQ(record.Lab_Id, "4711");
}

TEST(PqmRecord, ResultHoldsANumberOrAnObject)
{
    PQM_FDM record;
    record.Set_Result(42.5);
    EXPECT_FALSE(record.Result_Is_Object());
    EXPECT_EQ(record.Result().toDouble(), 42.5);
    EXPECT_EQ(record.Result_Object(), nullptr);

    auto* result = new QObject;
    record.Set_Result(result);
    EXPECT_TRUE(record.Result_Is_Object());
    EXPECT_EQ(record.Result_Object(), result) << "the same reference back";
    EXPECT_FALSE(record.Result().isValid());

    delete result;
    EXPECT_TRUE(record.Result_Is_Object());
    EXPECT_EQ(record.Result_Object(), nullptr) << "an object that is gone is no longer handed out";

    record.Set_Result(7);
    EXPECT_FALSE(record.Result_Is_Object());
    EXPECT_EQ(record.Result().toInt(), 7);
}

TEST(InstrumentRecord, HoldsItsStateAndItsOperationsChangeNothing)
{
    Instrument instrument;
    EXPECT_EQ(instrument.Status, "");
    EXPECT_FALSE(instrument.is_On);
    instrument.Status = QStringLiteral("READY");
    instrument.is_On = true;
    EXPECT_FALSE(instrument.Set_DeviceStatus());
    EXPECT_FALSE(instrument.Reset());
    EXPECT_EQ(instrument.Status, "READY");
    EXPECT_TRUE(instrument.is_On);
}

}  // namespace
