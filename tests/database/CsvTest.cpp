// CSV folders: RFC 4180 records, encodings, column typing and table names.
#include "DataFixtures.h"
#include "common/TestSupport.h"
#include "document/TKVSession.h"
#include "document/TKVTable.h"

#include <QElapsedTimer>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace DataFixtures;

namespace {
class Csv : public ::testing::Test
{
protected:
    void SetUp() override { Dir = TestSupport::TempDir(); }

    // Every record of the table as its field texts; Options are the folder
    // alias's parameters ("sep=;").
    std::vector<QStringList> Read(const QByteArray& Bytes, const QString& Filter = QString(),
                                  const QString& Options = QString())
    {
        WriteCsv(Dir, QStringLiteral("t.csv"), Bytes);
        Table = std::make_unique<TKVTable>();
        Table->DatabaseName = Options.isEmpty() ? Dir : Dir + QStringLiteral("/?") + Options;
        Table->TableName = QStringLiteral("t");
        Table->Filter = Filter;
        Table->Filtered = true;
        Table->Open();
        std::vector<QStringList> rows;
        for (int n = Table->RecordCount(); n > 0; --n) {
            QStringList row;
            for (int i = 0; i < Table->FieldCount(); ++i)
                row << Table->Fields(i)->AsString();
            rows.push_back(row);
            Table->Next();
        }
        return rows;
    }

    QStringList Header() const
    {
        QStringList names;
        for (int i = 0; i < Table->FieldCount(); ++i)
            names << Table->Fields(i)->FieldName;
        return names;
    }

    QString Dir;
    std::unique_ptr<TKVTable> Table;
};

TEST_F(Csv, ReadsRfc4180Records)
{
    // RFC 4180 section 2: rules 5 to 7 (quoted fields with commas, line
    // breaks and doubled quotes), CRLF record ends, optional final break.
    const auto rows = Read("a,b,c\r\n"
                           "\"x, y\",\"say \"\"hi\"\"\",plain\r\n"
                           "\"two\r\nlines\",,\"\"\r\n"
                           "last,row,end");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(Header(), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(rows[0], (QStringList{"x, y", "say \"hi\"", "plain"}));
    EXPECT_EQ(rows[1], (QStringList{"two\nlines", "", ""}));
    EXPECT_EQ(rows[2], (QStringList{"last", "row", "end"}));
}

TEST_F(Csv, ForgivesRaggedRowsBlankLinesAndStrayQuotes)
{
    const auto rows = Read("a,b\n"
                           "1\n"              // short: missing fields are empty
                           "\n"               // blank line: no record
                           "2,3,4\n"          // long: extra fields dropped
                           "it\"s,\"q\"x\n"   // quotes inside or after a field kept as text
                           "\"open,end\n");   // unterminated quote ends with the file
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0], (QStringList{"1", ""}));
    EXPECT_EQ(rows[1], (QStringList{"2", "3"}));
    EXPECT_EQ(rows[2], (QStringList{"it\"s", "qx"}));
    EXPECT_EQ(rows[3], (QStringList{"open,end", ""}));
}

TEST_F(Csv, ReadsFilesAsPeopleWriteThem)
{
    struct Row {
        const char* What;
        QByteArray Bytes;
        const char* Options;
        QStringList Header;
        std::vector<QStringList> Records;
    } rows[] = {
        {"commas, LF", "a,b\n1,2\n", "", {"a", "b"}, {{"1", "2"}}},
        {"semicolons, CRLF, quoted separators and quotes", "a;b\r\n\"x;y\";\"say \"\"hi\"\"\"\r\n", "", {"a", "b"},
         {{"x;y", "say \"hi\""}}},
        {"tabs", "a\tb\n1\t2,5\n", "", {"a", "b"}, {{"1", "2,5"}}},
        {"bare CR line ends", "a,b\r1,2\r3,4", "", {"a", "b"}, {{"1", "2"}, {"3", "4"}}},
        {"mixed line ends, CR inside quotes", "a,b\r\n1,\"x\ry\"\n2,3\r", "", {"a", "b"}, {{"1", "x\ny"}, {"2", "3"}}},
        {"Windows-1252", "nombre;ciudad\r\nGarc\xED" "a;M\xE1laga\r\n", "", {"nombre", "ciudad"},
         {{"Garc\u00eda", "M\u00e1laga"}}},
        {"UTF-8 with a byte-order mark and semicolons", "\xEF\xBB\xBFnombre;ean\nJos\xC3\xA9;841\n", "",
         {"nombre", "ean"}, {{"Jos\u00e9", "841"}}},
        {"UTF-8, then a field that is not", "n\nJos\xC3\xA9\nGarc\xED" "a\n", "", {"n"}, {{"Jos\u00e9"}, {"Garc\u00eda"}}},
        {"Windows-1252 bytes that are not valid UTF-8 decide", "n\nGarc\xED" "a\nJos\xC3\xA9\n", "", {"n"},
         {{"Garc\u00eda"}, {"Jos\u00c3\u00a9"}}},
        {"a separator inside quotes is not counted", "\"a,b\";c\n1;2\n", "", {"a,b", "c"}, {{"1", "2"}}},
        {"the alias names the separator", "a;b;c,d\n1;2;3,4\n", "sep=,", {"a;b;c", "d"}, {{"1;2;3", "4"}}},
        {"sep=tab", "a,b\tc\n1,2\t3\n", "sep=tab", {"a,b", "c"}, {{"1,2", "3"}}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.What);
        const auto records = Read(r.Bytes, QString(), QString::fromUtf8(r.Options));
        EXPECT_EQ(Header(), r.Header);
        EXPECT_EQ(records, r.Records);
    }
    // Only the separator can be named, and only as one of the three.
    for (const char* options : {"sep=|", "encoding=latin1"}) {
        Table->Close();
        Table->DatabaseName = Dir + QStringLiteral("/?") + QString::fromUtf8(options);
        EXPECT_THROW(Table->Open(), EDBError) << options;
    }
}

// Guard: TKVCsvReader's regular-file check and record limit.
TEST_F(Csv, HostileFilesFailQuicklyNamingTheFile)
{
    QByteArray huge = "a,b\r1,2\r3,";
    huge += QByteArray(50 * 1024 * 1024, 'x');
    const QString fifo = Dir + QStringLiteral("/fifo.csv");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), Dir + QStringLiteral("/zero.csv")));
    WriteCsv(Dir, QStringLiteral("huge.csv"), huge);
    WriteCsv(Dir, QStringLiteral("quote.csv"), "a\n\"" + QByteArray(2 * 1024 * 1024, ';'));
    struct Row {
        const char* Table;
        const char* Message; // a part of the error
    } rows[] = {
        {"zero", "No es un archivo normal: "},
        {"fifo", "No es un archivo normal: "},
        {"huge", "El registro de la línea 3 de "},
        {"quote", "El registro de la línea 2 de "},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Table);
        TKVTable t;
        t.DatabaseName = Dir;
        t.TableName = QString::fromUtf8(r.Table);
        QElapsedTimer clock;
        clock.start();
        try {
            t.Open();
            t.MoveBy(3);
            ADD_FAILURE() << "read";
        } catch (const EDBError& e) {
            EXPECT_TRUE(e.Message().startsWith(QString::fromUtf8(r.Message))) << e.Message().toStdString();
            EXPECT_TRUE(e.Message().contains(QStringLiteral("/%1.csv").arg(QLatin1String(r.Table))))
                << e.Message().toStdString();
        }
        EXPECT_LT(clock.elapsed(), 5000);
    }
}

TEST_F(Csv, ReadsUtf8WithOrWithoutByteOrderMark)
{
    const QByteArray body = QStringLiteral("ciudad,nombre\nM\u00e1laga,\u00d1and\u00fa\n").toUtf8();
    for (const QByteArray& bytes : {body, QByteArray("\xEF\xBB\xBF") + body}) {
        const auto rows = Read(bytes);
        EXPECT_EQ(Header(), (QStringList{QStringLiteral("ciudad"), QStringLiteral("nombre")}));
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0], (QStringList{QStringLiteral("M\u00e1laga"), QStringLiteral("\u00d1and\u00fa")}));
        EXPECT_NE(Table->FindField(QStringLiteral("ciudad")), nullptr);
    }
}

TEST_F(Csv, ColumnIsBooleanWhenEveryValueIsABooleanWord)
{
    Read("yn,word,num,mixed,blank,someempty\n"
         "s\u00ed,TRUE,1,yes,,Y\n"
         "No,f,0,maybe,,\n"
         "SI,t,1,no,,n\n");
    const TKVFieldType expected[] = {TKVFieldType::ftBoolean, TKVFieldType::ftBoolean, TKVFieldType::ftBoolean,
                                     TKVFieldType::ftString,  TKVFieldType::ftString,  TKVFieldType::ftBoolean};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(Table->Fields(i)->DataType, expected[i]) << Table->Fields(i)->FieldName.toStdString();
    Table->First();
    EXPECT_TRUE(Table->Fields(0)->AsBoolean());
    EXPECT_EQ(Table->Fields(0)->AsString(), QStringLiteral("s\u00ed")); // the text as written
    Table->Next();
    EXPECT_FALSE(Table->Fields(0)->AsBoolean());
    EXPECT_FALSE(Table->Fields(5)->AsBoolean());
}

TEST_F(Csv, TypingStopsEarlyYetCountsAndReadsEveryRecord)
{
    // Text columns are known from the first row; a Boolean-looking column
    // is decided only by its last value. Records are counted and read
    // whole either way, also with a filter.
    QByteArray text = "name,city\n", late = "name,flag\n";
    for (int i = 0; i < 5000; ++i) {
        text += "n" + QByteArray::number(i) + ",c\n";
        late += "n" + QByteArray::number(i) + (i < 4999 ? ",yes\n" : ",later\n");
    }
    auto rows = Read(text);
    EXPECT_EQ(rows.size(), 5000u);
    EXPECT_EQ(rows.back()[0], QStringLiteral("n4999"));
    EXPECT_EQ(Table->Fields(1)->DataType, TKVFieldType::ftString);
    rows = Read(late);
    EXPECT_EQ(rows.size(), 5000u);
    EXPECT_EQ(Table->Fields(1)->DataType, TKVFieldType::ftString) << "the last value is no Boolean word";
    rows = Read(text, QStringLiteral("([name] = 'n4998')"));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0], QStringLiteral("n4998"));
}

TEST_F(Csv, FiltersCompareNumbersAsNumbers)
{
    const auto rows = Read("n,t\n9,a\n10,b\n100,c\n12.5,d\n", QStringLiteral("([n] >= 10) AND ([n] < 100)"));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][1], QStringLiteral("b"));
    EXPECT_EQ(rows[1][1], QStringLiteral("d"));
}

TEST_F(Csv, HeaderOnlyAndEmptyFiles)
{
    EXPECT_TRUE(Read("a,b\n").empty());
    EXPECT_EQ(Table->FieldCount(), 2);
    EXPECT_EQ(Table->GetRecNo(), 0);
    EXPECT_THROW(Read(""), EDBError);
}

TEST_F(Csv, TablesAreTheCsvFilesOfTheFolderOnly)
{
    WriteCsv(Dir, QStringLiteral("b.csv"), "x\n1\n");
    WriteCsv(Dir, QStringLiteral("A.CSV"), "x\n1\n");
    WriteCsv(Dir, QStringLiteral("notes.txt"), "x\n1\n");
    const QString sub = Dir + QStringLiteral("/sub");
    MakeCsvCustomers(sub);
    EXPECT_EQ(TKVSession::GetTableNames(Dir), (QStringList{QStringLiteral("A.CSV"), QStringLiteral("b.csv")}));
    EXPECT_EQ(TKVSession::GetTableNames(Dir, QString(), false), (QStringList{QStringLiteral("A"), QStringLiteral("b")}));
    TKVTable t;
    t.DatabaseName = Dir;
    for (const char* ok : {"a", "A.CSV", "a.csv", "B"}) {
        t.TableName = QString::fromUtf8(ok);
        EXPECT_NO_THROW(t.Open()) << ok;
        t.Close();
    }
    // Nothing outside the folder's own .csv files can be named.
    for (const char* bad : {"notes", "notes.txt", "sub/clientes", "sub/clientes.csv", "../b", "/etc/passwd", ""}) {
        t.TableName = QString::fromUtf8(bad);
        EXPECT_THROW(t.Open(), EDBError) << bad;
    }
}
}
