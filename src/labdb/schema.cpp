#include "labdb/schema.h"

#include "labdb/password_hash.h"

namespace labdb {

namespace {

// Names and columns follow the laboratory's own: the station reads the plain
// tables (software, settings, documents, employee directory) with "select *",
// so their column names are the ones it asks for.
const char* const kSchema = R"SQL(
CREATE TABLE labdb_meta (
    KEY   TEXT PRIMARY KEY,
    VALUE BLOB NOT NULL
) WITHOUT ROWID;

CREATE TABLE employees (
    EMP_NUM       INTEGER PRIMARY KEY,
    FIRST_NAME    TEXT NOT NULL,
    LAST_NAME     TEXT NOT NULL,
    LAB_CODE      TEXT NOT NULL COLLATE NOCASE,
    FUNC_GROUP    TEXT,
    JOB_DESC      TEXT,
    SUPERVISOR_ID INTEGER REFERENCES employees (EMP_NUM),
    IS_ADMIN      INTEGER NOT NULL DEFAULT 0,
    DISMISSED     TEXT NOT NULL DEFAULT 'N' CHECK (DISMISSED IN ('N', 'Y')),
    PASSWORD_HASH BLOB UNIQUE
);

-- The employee directory as other programs see it: no password.
CREATE VIEW view_employees AS
SELECT EMP_NUM AS emp_num, FIRST_NAME AS first_name, LAST_NAME AS last_name,
       FIRST_NAME || ' ' || LAST_NAME AS full_name, LAB_CODE AS lab_code, FUNC_GROUP AS func_group,
       JOB_DESC AS job_desc, SUPERVISOR_ID AS supervisor_id, IS_ADMIN AS isadmin, DISMISSED AS dismissed
FROM employees;

CREATE TABLE samples (
    LAB_ID            INTEGER PRIMARY KEY,
    LAB_NUMBER        TEXT NOT NULL,            -- 8 digits; also the work-order number
    LAB_CODE          TEXT NOT NULL COLLATE NOCASE,
    COMPONENT_CODE    TEXT,
    RECEIVED_DATETIME DATETIME,
    PRIORITY          TEXT NOT NULL DEFAULT 'NORMAL',
    DOPICTURE         INTEGER NOT NULL DEFAULT 0,
    UNIQUE (LAB_CODE, LAB_NUMBER)
);

-- One row per test of a sample and run of that test.
CREATE TABLE lab_tracking (
    TEST_ID        INTEGER PRIMARY KEY,
    LAB_ID         INTEGER NOT NULL REFERENCES samples (LAB_ID),
    TEST_GROUP     TEXT NOT NULL COLLATE NOCASE,
    RUN_NO         INTEGER NOT NULL DEFAULT 1,
    STATUS         TEXT NOT NULL DEFAULT 'READY' CHECK (STATUS IN ('READY', 'PENDING', 'DONE')),
    CLASS          TEXT,
    COMMENTS       TEXT,
    DESIRED_WEIGHT REAL,
    WEIGHT         TEXT,
    DATE_ADDED     DATETIME,
    DATE_COMPLETED DATETIME,
    EMP_NUM        INTEGER,
    TEST_ACTION    TEXT,
    UNIQUE (LAB_ID, TEST_GROUP, RUN_NO)
);
-- The outstanding work, covering what the rack queries and counts read of it.
CREATE INDEX lab_tracking_ready ON lab_tracking (TEST_GROUP, LAB_ID, WEIGHT, DESIRED_WEIGHT) WHERE STATUS = 'READY';

CREATE TABLE test_actions (
    ACTION_ID       INTEGER PRIMARY KEY,
    TEST_ID         INTEGER NOT NULL REFERENCES lab_tracking (TEST_ID),
    TEST_ACTION     TEXT NOT NULL,
    EMP_NUM         INTEGER,
    ACTION_DATETIME DATETIME NOT NULL
);
CREATE INDEX test_actions_test ON test_actions (TEST_ID);

CREATE TABLE racks (
    RACK_ID         INTEGER PRIMARY KEY,
    RACK_DESC       TEXT NOT NULL UNIQUE COLLATE NOCASE,
    LAB_CODE        TEXT NOT NULL COLLATE NOCASE,
    CURR_USER       INTEGER REFERENCES employees (EMP_NUM),
    CURR_STATION    TEXT,
    RACK_STATUS     TEXT,
    STATUS_DATETIME DATETIME
);

CREATE TABLE rack_positions (
    RACK_ID  INTEGER NOT NULL REFERENCES racks (RACK_ID),
    POSITION INTEGER NOT NULL CHECK (POSITION BETWEEN 1 AND 20),
    LAB_ID   INTEGER NOT NULL UNIQUE REFERENCES samples (LAB_ID),
    PRIMARY KEY (RACK_ID, POSITION)
);
-- From a sample to its rack without reading the table.
CREATE INDEX rack_positions_sample ON rack_positions (LAB_ID, RACK_ID, POSITION);

CREATE TABLE lab_software (
    SOFTWARE_ID INTEGER PRIMARY KEY,
    NAME        TEXT NOT NULL UNIQUE COLLATE NOCASE,
    DESCRIPTION TEXT
);

CREATE TABLE lab_software_settings (
    SETTING_ID  INTEGER PRIMARY KEY,
    SOFTWARE_ID INTEGER NOT NULL REFERENCES lab_software (SOFTWARE_ID),
    SETTING     TEXT NOT NULL COLLATE NOCASE,
    VALUE       TEXT,
    DESCRIPTION TEXT,
    TYPE        TEXT NOT NULL DEFAULT 'NORMAL' COLLATE NOCASE,
    UNIQUE (SOFTWARE_ID, SETTING)
);

-- Work instructions; Test_Group lists the test groups, each followed by ";".
CREATE TABLE documents (
    DOC_ID     TEXT PRIMARY KEY,
    DOC_TYPE   TEXT,
    TITLE      TEXT,
    Test_Group TEXT NOT NULL
);

-- The bath batch of an instrument: at most one open (not completed) per
-- instrument, laboratory and test group, with up to 30 samples at positions 1-30.
CREATE TABLE pc_batches (
    BATCH_ID       INTEGER PRIMARY KEY,
    BATCH_NAME     TEXT NOT NULL,
    INSTRUMENT_ID  TEXT NOT NULL COLLATE NOCASE,
    LAB_CODE       TEXT NOT NULL COLLATE NOCASE,
    TEST_GROUP     TEXT NOT NULL COLLATE NOCASE,
    DATE_CREATED   DATETIME NOT NULL,
    DATE_COMPLETED DATETIME
);
CREATE UNIQUE INDEX pc_batches_open ON pc_batches (INSTRUMENT_ID, LAB_CODE, TEST_GROUP) WHERE DATE_COMPLETED IS NULL;
CREATE INDEX pc_batches_open_lab ON pc_batches (LAB_CODE) WHERE DATE_COMPLETED IS NULL;

CREATE TABLE pc_batch_details (
    DETAIL_ID   INTEGER PRIMARY KEY,
    BATCH_ID    INTEGER NOT NULL REFERENCES pc_batches (BATCH_ID),
    POSITION    INTEGER NOT NULL CHECK (POSITION BETWEEN 1 AND 30),
    LAB_ID      INTEGER NOT NULL REFERENCES samples (LAB_ID),
    RUN_NO      INTEGER,
    SAMPLE_TYPE TEXT NOT NULL DEFAULT 'SAMPLE',
    EXTRA       TEXT,
    RACK_DESC   TEXT,
    EMP_NUM     INTEGER,
    DATE_ADDED  DATETIME NOT NULL,
    UNIQUE (BATCH_ID, POSITION),
    UNIQUE (BATCH_ID, LAB_ID)
);

-- Stored particle counts: the counts as the counter reported them, the volume,
-- and the ISO 4406 codes of 2, 5 and 15 um.
CREATE TABLE pc_counts (
    COUNT_ID       INTEGER PRIMARY KEY,
    TEST_ID        INTEGER NOT NULL REFERENCES lab_tracking (TEST_ID),
    LAB_ID         INTEGER NOT NULL REFERENCES samples (LAB_ID),
    RUN_NO         INTEGER NOT NULL,
    INSTRUMENT_ID  TEXT,
    FILENAME       TEXT,
    METHOD         TEXT,
    SAMPLE_VOLUME  NUMERIC NOT NULL,
    FACTOR_VOLUME  NUMERIC NOT NULL DEFAULT 1,
    PC2M NUMERIC, PC5M NUMERIC, PC15M NUMERIC, PC25M NUMERIC, PC50M NUMERIC, PC100M NUMERIC, PC200M NUMERIC,
    ISO_2          INTEGER,
    ISO_5          INTEGER,
    ISO_15         INTEGER,
    EMP_NUM        INTEGER,
    COUNT_DATETIME DATETIME NOT NULL
);
CREATE INDEX pc_counts_sample ON pc_counts (LAB_ID, COUNT_ID);

-- Screening ratings of a test run.
CREATE TABLE screen_results (
    TEST_ID       INTEGER PRIMARY KEY REFERENCES lab_tracking (TEST_ID),
    APPEARANCE TEXT, BABBITT TEXT, DEBRIS TEXT, DIRT TEXT, H2O_EMUL TEXT, H2O_FREE TEXT,
    ODOR TEXT, PRECIPITATE TEXT, SILT TEXT, WHITE_METAL TEXT,
    STATUS_VISUAL INTEGER NOT NULL DEFAULT -1,
    STATUS_SPAT   INTEGER NOT NULL DEFAULT -1,
    STATUS_IMAGE  INTEGER NOT NULL DEFAULT 0,
    EMP_NUM       INTEGER,
    DATE_UPDATED  DATETIME
);
)SQL";

}  // namespace

void createSchema(Database& db)
{
    db.script(kSchema);
    db.exec("INSERT INTO labdb_meta (KEY, VALUE) VALUES ('schema_version', ?)", {kSchemaVersion});
    db.exec("INSERT INTO labdb_meta (KEY, VALUE) VALUES ('password_key', ?)", {newPasswordKey()});
}

void configureConnection(Database& db)
{
    // Reading through a memory map spares a new connection its page reads.
    db.script("PRAGMA foreign_keys = ON; PRAGMA synchronous = NORMAL; PRAGMA mmap_size = 1073741824;");
}

bool hasLabSchema(Database& db)
{
    try {
        return db.scalar("SELECT VALUE FROM labdb_meta WHERE KEY = 'schema_version'").toInt() == kSchemaVersion;
    } catch (const SqliteError& e) {
        if (e.isBusy()) throw;
        return false;  // no such table: another program's file
    }
}

}  // namespace labdb
