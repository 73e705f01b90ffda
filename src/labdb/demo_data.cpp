#include "labdb/demo_data.h"

#include "labdb/password_hash.h"
#include "labdb/sqlite_db.h"

#include <cmath>

namespace labdb {

namespace {

struct DemoEmployee {
    int number;
    const char* first;
    const char* last;
    const char* group;
    const char* job;
    int supervisor;
    int admin;
    const char* dismissed;
    const char* password;
};

const DemoEmployee kEmployees[] = {
    {103, "Maria", "Lopez", "SUPERVISOR", "Laboratory supervisor", 0, 1, "N", "demo3"},
    {101, "Anna", "Berg", "LABTECH", "Laboratory technician", 103, 0, "N", "demo1"},
    {102, "Jan", "Smit", "LABTECH", "Laboratory technician", 103, 0, "N", "demo2"},
    {104, "Piet", "Vos", "LABTECH", "Laboratory technician", 103, 0, "Y", "demo4"},
};

// A rack and what stands on it, one letter per position 1 to 20:
//   .  empty position
//   R  particle count outstanding, first run (no history)
//   H  second run outstanding; the first run's count was clean
//   D  second run outstanding; the first run's count was dirty
//   N  second run outstanding; the first run was removed without a count
//   T  third run outstanding after two counts
//   X  counted and done
//   P  counted, waiting for review (PENDING)
struct DemoRack {
    const char* desc;
    const char* priority;  // "MIXED": the five priorities in turn
    const char* layout;
};

const DemoRack kRacks[] = {
    {"R1001", "NORMAL", "RRHRXRDRRPRHRNRRRR.."}, {"R1002", "RUSH", "RHRRDRRXRR.RRHRRRDRR"},   {"R1003", "CRITICAL", "RRDRHRRRRXRR........"},
    {"R1004", "URGENT", "RRR.RRHR.RRDRRR....."}, {"R1005", "RETEST", "HDHDTHNDHHDHTHDHHDHD"}, {"R1006", "MIXED", "RHRDHRRNRHRRDRXRRHRP"},
    {"R1007", "NORMAL", "XXXXXPXXXX.........."}, {"R1008", "NORMAL", "RRRRRRRRRRRR........"},
};
constexpr int kFirstRackId = 501;
const char* const kPriorities[] = {"NORMAL", "RUSH", "CRITICAL", "URGENT", "RETEST"};
const char* const kComponents[] = {"ENG", "HYD", "GBX", "TRN", "CMP", "TUR", "DIF"};

// ISO codes (2/5/15 um) of the demo counts.
struct Codes {
    int iso2, iso5, iso15;
};
const Codes kClean[] = {{17, 15, 12}, {19, 16, 13}, {16, 13, 10}, {18, 14, 11}, {15, 12, 9}};
const Codes kDirty[] = {{23, 21, 18}, {22, 20, 17}, {24, 22, 19}, {21, 19, 16}, {25, 23, 20}};
constexpr int kVolume = 20;

// A count that lies in the middle of scale number n's range, for the volume.
qlonglong countFor(int code)
{
    const double lower = code == 0 ? 0.0 : 0.01 * std::pow(2.0, code - 1);
    return qlonglong(std::llround(lower * 1.5 * kVolume));
}

class Loader {
public:
    Loader(Database& db, const QDateTime& now) : db_(db), now_(now), key_(passwordKeyOf(db)) {}

    void run()
    {
        employees();
        settingsAndDocuments();
        int nextNumber = 1;
        for (int r = 0; r < int(std::size(kRacks)); ++r) rack(r, nextNumber);
        finishedSamples(nextNumber);
        bath();
        db_.exec("UPDATE racks SET CURR_USER = 102, CURR_STATION = 'SCREENING', RACK_STATUS = 'In use by Jan Smit (102) at SCREENING', "
                 "STATUS_DATETIME = ? WHERE RACK_DESC = 'R1008'",
                 {now_.addSecs(-1800)});
    }

private:
    void employees()
    {
        for (const DemoEmployee& e : kEmployees)
            db_.exec("INSERT INTO employees (EMP_NUM, FIRST_NAME, LAST_NAME, LAB_CODE, FUNC_GROUP, JOB_DESC, SUPERVISOR_ID, IS_ADMIN,"
                     " DISMISSED, PASSWORD_HASH) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                     {e.number, QString::fromLatin1(e.first), QString::fromLatin1(e.last), QString::fromLatin1(demo::kLabCode),
                      QString::fromLatin1(e.group), QString::fromLatin1(e.job), e.supervisor ? QVariant(e.supervisor) : QVariant(), e.admin,
                      QString::fromLatin1(e.dismissed), passwordHash(key_, QString::fromLatin1(e.password))});
    }

    void settingsAndDocuments()
    {
        db_.exec("INSERT INTO lab_software (SOFTWARE_ID, NAME, DESCRIPTION) VALUES (1, ?, 'Particle-count bench')",
                 {QString::fromLatin1(demo::kSoftwareName)});
        const struct {
            const char* name;
            const char* value;
            const char* description;
        } settings[] = {
            {"SAMPLES_BETWEEN_CHECKS", "15", "Samples between two process-control checks"},
            {"ISO5_FLUSH", "15", "Highest 5 um code of a passed flush"},
            {"ISO15_FLUSH", "13", "Highest 15 um code of a passed flush"},
            {"ISO5_CHECK", "15", "Highest 5 um code of a passed check"},
            {"ISO15_CHECK", "13", "Highest 15 um code of a passed check"},
            {"ISO5_SAMPLE", "18", "5 um code limit of an ordinary sample"},
            {"ISO15_SAMPLE", "999", "15 um code limit of an ordinary sample"},
            {"INIT_ISO_HIST_DECREASE", "22", "Initial history decrease"},
            {"ISO_HIST_DECREASE_MAX", "20", "Largest history decrease"},
            {"SAMPLE_SHAKE_TIME", "5", "Seconds a new bath sample shows SHAKE (demo: short)"},
            {"SAMPLE_BATH_TIME", "20", "Seconds a sample stays in the bath (demo: short)"},
            {"MAX_RACKS_IN_BATH", "2", "Racks besides the bench's own that the bath may hold"},
        };
        for (const auto& s : settings)
            db_.exec("INSERT INTO lab_software_settings (SOFTWARE_ID, SETTING, VALUE, DESCRIPTION, TYPE) VALUES (1, ?, ?, ?, 'NORMAL')",
                     {QString::fromLatin1(s.name), QString::fromLatin1(s.value), QString::fromLatin1(s.description)});
        const struct {
            const char* id;
            const char* type;
            const char* title;
            const char* groups;
        } documents[] = {
            {"LWI-0412", "pdf", "Particle count with the automatic particle counter", "PrtCount;PrtFilter;"},
            {"LWI-0305", "htm", "Visual screening of oil samples", "SCREEN;VISUAL;SPAT;"},
            {"LWI-0220", "pdf", "Weighing sample portions", "KF;TAN MAN;TAN AUTO;TBN;SPECGRAVITY;"},
        };
        for (const auto& d : documents)
            db_.exec("INSERT INTO documents (DOC_ID, DOC_TYPE, TITLE, Test_Group) VALUES (?, ?, ?, ?)",
                     {QString::fromLatin1(d.id), QString::fromLatin1(d.type), QString::fromLatin1(d.title), QString::fromLatin1(d.groups)});
    }

    qlonglong sample(int number, const QString& priority, const QDateTime& received)
    {
        const QString labNumber = QStringLiteral("0425%1").arg(number, 4, 10, QLatin1Char('0'));
        db_.exec("INSERT INTO samples (LAB_NUMBER, LAB_CODE, COMPONENT_CODE, RECEIVED_DATETIME, PRIORITY, DOPICTURE) VALUES (?, ?, ?, ?, ?, ?)",
                 {labNumber, QString::fromLatin1(demo::kLabCode), QString::fromLatin1(kComponents[number % std::size(kComponents)]),
                  received, priority, number % 7 == 3 ? 1 : 0});
        return db_.lastInsertId();
    }

    qlonglong test(qlonglong labId, const char* group, int run, const char* status, const QDateTime& added,
                   const QVariant& desiredWeight = {})
    {
        const bool closed = qstrcmp(status, "READY") != 0;
        db_.exec("INSERT INTO lab_tracking (LAB_ID, TEST_GROUP, RUN_NO, STATUS, CLASS, DESIRED_WEIGHT, DATE_ADDED, DATE_COMPLETED, EMP_NUM)"
                 " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)",
                 {labId, QString::fromLatin1(group), run, QString::fromLatin1(status),
                  run > 1 ? QStringLiteral("REDO") : QStringLiteral("NEW"), desiredWeight, added,
                  closed ? QVariant(added.addSecs(3600)) : QVariant(), closed ? QVariant(101 + run % 2) : QVariant()});
        return db_.lastInsertId();
    }

    void count(qlonglong testId, qlonglong labId, int run, const Codes& codes, const QDateTime& at)
    {
        const qlonglong pc15 = countFor(codes.iso15);
        const qlonglong pc25 = pc15 * 3 / 10, pc50 = pc25 / 5, pc100 = pc50 / 10;
        db_.exec("INSERT INTO pc_counts (TEST_ID, LAB_ID, RUN_NO, INSTRUMENT_ID, FILENAME, METHOD, SAMPLE_VOLUME, FACTOR_VOLUME,"
                 " PC2M, PC5M, PC15M, PC25M, PC50M, PC100M, PC200M, ISO_2, ISO_5, ISO_15, EMP_NUM, COUNT_DATETIME)"
                 " VALUES (?, ?, ?, 'PC002', 'USER_INTERFACE', 'ISO4406', ?, 1, ?, ?, ?, ?, ?, ?, 0, ?, ?, ?, ?, ?)",
                 {testId, labId, run, kVolume, countFor(codes.iso2), countFor(codes.iso5), pc15, pc25, pc50, pc100, codes.iso2, codes.iso5,
                  codes.iso15, 101 + run % 2, at});
    }

    // The particle-count runs of one sample as its layout letter says.
    void particleRuns(qlonglong labId, char kind, int n, const QDateTime& received)
    {
        const Codes& clean = kClean[n % std::size(kClean)];
        const Codes& dirty = kDirty[n % std::size(kDirty)];
        const QDateTime first = received.addSecs(600);
        switch (kind) {
        case 'R':
            test(labId, "PrtCount", 1, "READY", first);
            break;
        case 'H':
        case 'D': {
            const qlonglong t1 = test(labId, "PrtCount", 1, "DONE", first);
            count(t1, labId, 1, kind == 'H' ? clean : dirty, first.addSecs(1800));
            test(labId, "PrtCount", 2, "READY", first.addSecs(3600));
            break;
        }
        case 'N': {
            const qlonglong t1 = test(labId, "PrtCount", 1, "DONE", first);
            db_.exec("UPDATE lab_tracking SET TEST_ACTION = 'TOO_DARK' WHERE TEST_ID = ?", {t1});
            db_.exec("INSERT INTO test_actions (TEST_ID, TEST_ACTION, EMP_NUM, ACTION_DATETIME) VALUES (?, 'TOO_DARK', 101, ?)",
                     {t1, first.addSecs(1800)});
            test(labId, "PrtCount", 2, "READY", first.addSecs(3600));
            break;
        }
        case 'T': {
            const qlonglong t1 = test(labId, "PrtCount", 1, "DONE", first);
            count(t1, labId, 1, dirty, first.addSecs(1200));
            const qlonglong t2 = test(labId, "PrtCount", 2, "DONE", first.addSecs(1800));
            count(t2, labId, 2, clean, first.addSecs(2400));
            test(labId, "PrtCount", 3, "READY", first.addSecs(3000));
            break;
        }
        case 'X':
        case 'P': {
            const qlonglong t1 = test(labId, "PrtCount", 1, kind == 'X' ? "DONE" : "PENDING", first);
            count(t1, labId, 1, n % 3 == 0 ? dirty : clean, first.addSecs(1800));
            break;
        }
        default:
            break;
        }
    }

    void rack(int index, int& nextNumber)
    {
        const DemoRack& r = kRacks[index];
        const int rackId = kFirstRackId + index;
        db_.exec("INSERT INTO racks (RACK_ID, RACK_DESC, LAB_CODE, RACK_STATUS) VALUES (?, ?, ?, 'Available')",
                 {rackId, QString::fromLatin1(r.desc), QString::fromLatin1(demo::kLabCode)});
        for (int p = 0; p < 20; ++p) {
            const char kind = r.layout[p];
            if (kind == '.') continue;
            const int n = nextNumber++;
            const QString priority = qstrcmp(r.priority, "MIXED") == 0 ? QString::fromLatin1(kPriorities[p % 5])
                                                                       : QString::fromLatin1(r.priority);
            const QDateTime received = now_.addSecs(-3600 * (30 - 3 * index) + 180 * p);
            const qlonglong labId = sample(n, priority, received);
            db_.exec("INSERT INTO rack_positions (RACK_ID, POSITION, LAB_ID) VALUES (?, ?, ?)", {rackId, p + 1, labId});
            particleRuns(labId, kind, n, received);
            test(labId, "SCREEN", 1, n % 5 < 3 ? "READY" : "DONE", received.addSecs(300));
            if (index < 4 && p % 2 == 1) test(labId, "KF", 1, "READY", received.addSecs(300), 2.0 + (n % 4) * 0.5);
        }
    }

    // Samples counted in the days before, no longer on a rack.
    void finishedSamples(int& nextNumber)
    {
        for (int i = 0; i < 60; ++i) {
            const int n = nextNumber++;
            const QDateTime received = now_.addDays(-(i % 20) - 2).addSecs(-600 * i);
            const qlonglong labId = sample(n, QString::fromLatin1(kPriorities[i % 4]), received);
            particleRuns(labId, i % 4 == 0 ? 'P' : 'X', n, received);
        }
    }

    // An open bath batch with three samples of R1002 that went in 40 minutes ago.
    void bath()
    {
        db_.exec("INSERT INTO pc_batches (BATCH_ID, BATCH_NAME, INSTRUMENT_ID, LAB_CODE, TEST_GROUP, DATE_CREATED)"
                 " VALUES (1, ?, 'PC002', ?, 'PrtCount', ?)",
                 {QStringLiteral("PC002-") + now_.addSecs(-2400).toString(QStringLiteral("yyyyMMdd-hhmmss")),
                  QString::fromLatin1(demo::kLabCode), now_.addSecs(-2400)});
        const QList<QVariantList> onRack = db_.rows(
            "SELECT p.POSITION, p.LAB_ID, t.RUN_NO, r.RACK_ID FROM rack_positions p JOIN racks r ON r.RACK_ID = p.RACK_ID"
            " JOIN lab_tracking t ON t.LAB_ID = p.LAB_ID AND t.TEST_GROUP = 'PrtCount' AND t.STATUS = 'READY'"
            " WHERE r.RACK_DESC = 'R1002' AND p.POSITION <= 3 ORDER BY p.POSITION");
        int bathPosition = 1;
        for (const QVariantList& row : onRack) {
            db_.exec("INSERT INTO pc_batch_details (BATCH_ID, POSITION, LAB_ID, RUN_NO, SAMPLE_TYPE, EXTRA, RACK_DESC, EMP_NUM, DATE_ADDED)"
                     " VALUES (1, ?, ?, ?, 'SAMPLE', ?, 'R1002', 101, ?)",
                     {bathPosition, row[1], row[2], QStringLiteral("RD=R1002RID=%1").arg(row[3].toString()),
                      now_.addSecs(-2400 + 60 * bathPosition)});
            ++bathPosition;
        }
    }

    Database& db_;
    QDateTime now_;
    QByteArray key_;
};

}  // namespace

void loadDemoData(Database& db, const QDateTime& now) { Loader(db, now).run(); }

}  // namespace labdb
