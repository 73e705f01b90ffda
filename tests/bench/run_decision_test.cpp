#include "bench/count_limits.h"
#include "bench/iso_code_rules.h"
#include "bench/run_decision.h"
#include "qstring_printer.h"

#include <gtest/gtest.h>

namespace {

using countLimits::Within_Limits;
using runDecision::Get_Run_Type;

TEST(CountLimitsTest, ACodeEqualToItsLimitPassesOneAboveFails)
{
    // Flush limits 15/13 as the station's defaults.
    const struct {
        QVariant c5;
        QVariant c15;
        bool within;
    } cases[] = {
        {15, 13, true},
        {14, 12, true},
        {16, 13, false},
        {15, 14, false},
        {0, 0, true},
        {QString("15"), QString(" 13 "), true},  // codes still as text
        {QString("16/13"), 13, false},           // three-number code: not a number
        {15, QString("13/11"), false},
        {QVariant(), 13, false},
        {QString(""), 13, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Within_Limits(c.c5, c.c15, 15, 13), c.within) << c.c5.toString().toStdString() << "/" << c.c15.toString().toStdString();
    }
}

struct HistoryProbe {
    bool answer = true;
    int asked = 0;
    std::function<bool()> fn()
    {
        return [this] {
            ++asked;
            return answer;
        };
    }
};

TEST(RunDecisionTest, FirstTapAfterStartIsACheck)
{
    HistoryProbe history;  // empty history table: the history test passes
    const runDecision::Run_Type run = Get_Run_Type(15, 15, history.fn());
    EXPECT_EQ(run.run_id, "CHECK");
    EXPECT_FALSE(run.flush);
    EXPECT_EQ(history.asked, 1);
    // It passes: the counter starts again and the box shows the full count.
    const int after = runDecision::Samples_After_Click("CHECK", 15, 15);
    EXPECT_EQ(after, 0);
    EXPECT_EQ(runDecision::Count_Down_Text(after, 15), "15");
}

TEST(RunDecisionTest, ADueCheckAfterADirtyCountBecomesAFlushAndStaysDue)
{
    HistoryProbe history{false};
    const runDecision::Run_Type run = Get_Run_Type(15, 15, history.fn());
    EXPECT_EQ(run.run_id, "FLUSH");
    EXPECT_TRUE(run.flush);
    // After the flush the counter is still at the check.
    EXPECT_EQ(runDecision::Samples_After_Click("FLUSH", 15, 15), 15);
    EXPECT_EQ(runDecision::Count_Down_Text(15, 15), "0");
}

TEST(RunDecisionTest, BetweenChecksTheHistoryDecides)
{
    HistoryProbe clean{true};
    runDecision::Run_Type run = Get_Run_Type(3, 15, clean.fn());
    EXPECT_EQ(run.run_id, "");
    EXPECT_FALSE(run.flush);

    HistoryProbe dirty{false};
    run = Get_Run_Type(3, 15, dirty.fn());
    EXPECT_EQ(run.run_id, "FLUSH");
    EXPECT_TRUE(run.flush);

    // A counter out of range flushes without asking the history.
    for (int n : {-1, 16, 32767}) {
        HistoryProbe unasked;
        run = Get_Run_Type(n, 15, unasked.fn());
        EXPECT_EQ(run.run_id, "FLUSH") << n;
        EXPECT_EQ(unasked.asked, 0) << n;
    }
}

TEST(RunDecisionTest, OnlyAPassedCheckResetsTheCounter)
{
    EXPECT_EQ(runDecision::Samples_After_Click("CHECK", 15, 15), 0);
    EXPECT_EQ(runDecision::Samples_After_Click("CHECK", 14, 15), 14);
    EXPECT_EQ(runDecision::Samples_After_Click("", 15, 15), 15);  // dialog closed
    EXPECT_EQ(runDecision::Samples_After_Click("12345", 4, 15), 4);
    EXPECT_EQ(runDecision::Count_Down_Text(4, 15), "11");
}

// The decision as the bench makes it, with the history test of the bath position.
runDecision::Run_Type Decide(int samples, const QString& newest, const QString& history)
{
    return Get_Run_Type(samples, 15, [&] { return isoRules::Check_ISO_History(newest, history, 18); });
}

TEST(RunDecisionTest, FlushWhenTheNewestCountIsDirtierThanTheSampleAllows)
{
    const struct {
        const char* newest;
        const char* history;
        bool flush;
    } cases[] = {
        {"19/15", "18/16 ", true},                                                              // 19 above 18, not both below 18
        {"17/12", "18/16 ", false},                                                             // 17 below the limit
        {"16/12", "15/11 ", false},                                                             // above, but both below 18
        {"17/12", "No Hist ", false},                                                           // no history counts as 17
        {"18/12", "No Hist ", true},   {"18/12", "Not Entered ", true}, {"", "22/21 ", false},  // no count since start
        {"18/15", "21/18/16 ", false},                                                          // sample code 18: equal
        {"19/15", "21/18/16 ", true},
    };
    for (const auto& c : cases) {
        const runDecision::Run_Type run = Decide(4, c.newest, c.history);
        EXPECT_EQ(run.flush, c.flush) << c.newest << " after " << c.history;
        EXPECT_EQ(run.run_id, c.flush ? "FLUSH" : "") << c.newest << " after " << c.history;
    }
}

TEST(RunDecisionTest, ANewestCodeThatIsNotANumberFlushesEveryPosition)
{
    for (const char* newest : {"ERR", "--/--", "x/12"}) {
        for (const char* history : {"13/9 ", "No Hist ", "Not Entered ", "22/21 "}) {
            EXPECT_TRUE(Decide(4, newest, history).flush) << newest << " after " << history;
            EXPECT_EQ(Decide(15, newest, history).run_id, "FLUSH") << newest << " after " << history;
        }
    }
}

}  // namespace
