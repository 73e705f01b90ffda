// How the embedded database reads the station's statement texts: call forms,
// names, literals, and the errors a malformed or unknown statement gets.
#include "lab_fixture.h"

#include "labdb/sql_lexer.h"

namespace {

class Dialect : public LabDb {};

TEST(Lexer, DoubledQuotesAreOneQuoteOfTheText)
{
    const labdb::Tokens t = labdb::tokenize(QStringLiteral("exec x @a = 'O''Brien', @b = N'x''', @c = -1.5"));
    ASSERT_FALSE(t.error);
    QStringList texts;
    for (const labdb::Token& k : t.list)
        if (k.is(labdb::Token::Text)) texts << k.text;
    EXPECT_EQ(texts, (QStringList{QStringLiteral("O'Brien"), QStringLiteral("x'")}));
}

TEST(Lexer, UnclosedQuoteIsReported)
{
    const labdb::Tokens t = labdb::tokenize(QStringLiteral("select * from x where a = 'abc"));
    ASSERT_TRUE(t.error);
    EXPECT_EQ(t.error->number, 105);
}

TEST_F(Dialect, CallFormsTheStationSendsAllAnswer)
{
    // With and without exec, names in any letter case, odd blanks, a comma with
    // no blank after it, positional arguments.
    EXPECT_EQ(ok(QStringLiteral("exec lab.dbo.validate_password @source = 'Zolt', @UserPassword = 'demo1', @labcode = 'ZIVIRUZEZ'")).rowCount(),
              1);
    EXPECT_EQ(ok(QStringLiteral("EXECUTE LAB.DBO.VALIDATE_PASSWORD @labcode='ZIVIRUZEZ',@USERPASSWORD='demo1'")).rowCount(), 1);
    EXPECT_EQ(ok(QStringLiteral("lab.dbo.validate_password 'Zolt', 'demo1', 'ZIVIRUZEZ' ;")).rowCount(), 1);
    EXPECT_EQ(ok(QStringLiteral("labrack.dbo.get_rack_priority 'ZIVIRUZEZ' , 'PrtCount' , 0, 0, 0")).rowCount(), 5);
    EXPECT_EQ(ok(QStringLiteral("  exec   [labrack].[dbo].[Get_PC_Bath_OldestRack]   @labcode = 'ZIVIRUZEZ'  ")).rowCount(), 1);
    EXPECT_EQ(
        ok(QStringLiteral("exec labrack..get_pc_history @labNumber = '%1', @labCode = 'ZIVIRUZEZ'").arg(labNumberAt("R1005", 1))).rowCount(),
        1);
}

TEST_F(Dialect, DefaultAndNullArguments)
{
    // null where a text is expected gives no match, not an error.
    EXPECT_EQ(ok(QStringLiteral("exec lab.dbo.validate_password @UserPassword = null")).rowCount(), 0);
    EXPECT_EQ(ok(QStringLiteral("exec lab.dbo.validate_password @UserPassword = 'demo1', @labcode = default")).rowCount(), 1);
    EXPECT_EQ(fails(QStringLiteral("exec lab.dbo.validate_password @UserPassword = default")).number, 201);
}

TEST_F(Dialect, UnknownAndMalformedStatementsAreErrorsAndChangeNothing)
{
    const QString before = snapshot();
    struct Case {
        const char* sql;
        long number;
    } cases[] = {
        {"exec labrack.dbo.nope @a = 1", 2812},
        {"lab.dbo.Import_PC003", 2812},
        {"exec labrack.dbo.set_PC_Bath @sampleId = '1' @position = 3", 102},
        {"exec labrack.dbo.set_PC_Bath @sampleId = '1', @position = 3,", 102},
        {"exec labrack.dbo.set_PC_Bath @sampleId = '1', @position = 3; drop table racks", 102},
        {"exec labrack.dbo.set_PC_Bath @sampleId = 'abc", 105},
        {"exec labrack.dbo.set_PC_Bath @sampleId = abc, @position = 1, @action = 'ADD'", 102},
        {"exec lab.dbo.validate_password @source = 'Zolt'", 201},
        {"exec lab.dbo.validate_password 'a', 'b', 'c', 'd'", 8144},
        {"exec lab.dbo.validate_password @UserPassword = 'a', @user = 'b'", 8145},
        {"exec lab.dbo.validate_password @UserPassword = 'a', @userpassword = 'b'", 8143},
        {"exec lab.dbo.validate_password @UserPassword = 'a', 'ZIVIRUZEZ'", 119},
        {"exec labrack.dbo.set_PC_Bath @sampleId = '1', @empNum = 101, @position = 'three', @action = 'ADD'", 245},
        {"exec labrack.dbo.rack_acquisition_upd @rack_id = 99999999999, @emp_num = 101, @station = 'PC', @action = 'GET'", 245},
        {"delete from labrack.dbo.Lab_Software", 229},
        {"drop table racks", 229},
        {"insert into sop.dbo.documents values ('a', 'b', 'c', 'd')", 229},
        {"exec ('delete from racks')", 102},
        {"select * from labrack.dbo.racks", 208},
        {"select * from employees", 208},
        {"select password_hash from travomi.dbo.view_employees", 207},
        {"select * from sop.dbo.documents where charindex('x', Test_Group) > 0; delete from racks", 102},
        {"update lab.dbo.lab_tracking set status = 'DONE' where lab_id = 1", 230},
        {"update labrack.dbo.racks set curr_user = null", 208},
        {"update lab.dbo.testgroup_prtcount set weight = '1' where lab_id = 1", 208},
        {"select * from sop.dbo.documents where sqlite_version() > ''", 195},
        {"12abc", 102},
    };
    for (const Case& c : cases) {
        const db::DbError e = fails(QString::fromLatin1(c.sql));
        EXPECT_EQ(e.number, c.number) << c.sql << ": " << e.description.toStdString();
        EXPECT_FALSE(e.sqlState.isEmpty()) << c.sql;
        EXPECT_FALSE(e.description.isEmpty()) << c.sql;
    }
    EXPECT_EQ(snapshot(), before);
}

TEST_F(Dialect, ErrorTextsReadLikeTheLaboratoryServer)
{
    EXPECT_EQ(fails(QStringLiteral("exec labrack.dbo.nope")).description,
              QStringLiteral("Could not find stored procedure 'labrack.dbo.nope'."));
    EXPECT_EQ(fails(QStringLiteral("exec lab.dbo.validate_password @UserPassword = 'a' 'b'")).description,
              QStringLiteral("Incorrect syntax near 'b'."));
}

TEST_F(Dialect, EmptyStatementRunsNothing)
{
    db::Recordset rs;
    EXPECT_TRUE(cn.execute(QStringLiteral("  ; "), &rs));
    EXPECT_FALSE(rs.isOpen());
    EXPECT_TRUE(cn.errors().isEmpty());
}

TEST_F(Dialect, QuotesInsideValuesStayData)
{
    const QString before = snapshot();
    // A password that tries to widen the match finds nobody.
    EXPECT_EQ(ok(QStringLiteral("exec lab.dbo.validate_password @UserPassword = 'x'' or ''1''=''1', @labcode = 'ZIVIRUZEZ'")).rowCount(), 0);
    EXPECT_EQ(ok(QStringLiteral("exec labrack.dbo.outstanding_rackTests @rack_desc = 'R1001'' or 1=1 --', @test_group = 'PrtCount'")).rowCount(),
              0);
    EXPECT_EQ(
        ok(QStringLiteral("select * from sop.dbo.documents (nolock) where charindex(''') > 0 or ''a'' = ''a;', Test_Group) > 0")).rowCount(),
        0);
    EXPECT_EQ(snapshot(), before);

    // A quote in a stored text comes back as one quote.
    const QString sample = labNumberAt("R1001", 1);
    ok(QStringLiteral("exec labrack.dbo.set_PC_Bath @sampleId = '%1', @extra = 'RD=O''Neil''s rackRID=1', @empNum = 101, @position = 10, "
                      "@action = 'ADD', @test = 0")
           .arg(sample));
    db::Recordset rs = ok(QStringLiteral("exec labrack.dbo.get_batch_samples @batch_id = null, @lab_code = 'ZIVIRUZEZ', "
                                         "@instrument_id = 'PC002', @test_group = 'PrtCount'"));
    bool found = false;
    for (; !rs.eof(); rs.moveNext())
        if (rs.value(QStringLiteral("POSITION")).toInt() == 10) {
            found = true;
            EXPECT_EQ(rs.value(QStringLiteral("EXTRA")).toString(), QStringLiteral("RD=O'Neil's rackRID=1"));
        }
    EXPECT_TRUE(found);
}

}  // namespace
